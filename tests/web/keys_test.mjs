// A web user's keys around the terminal: copy, paste, Tab; and a selection
// that does not outlive its game.
import assert from "node:assert/strict";
import { test } from "node:test";

import { asked, gameOf, openPage, served, useBrowser } from "./harness.mjs";

useBrowser();

test("Ctrl+C copies a selection, Ctrl+V pastes answers, Tab leaves the terminal, a new game clears the selection", async () => {
  const { page, problems } = await openPage();
  await page.context().grantPermissions(["clipboard-read", "clipboard-write"], { origin: served.origin });
  await asked(page, 0, "start", 1);
  await page.evaluate(() => window.match3Page.terminal.select(0, 13, 21));
  await page.keyboard.press("Control+C");
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), "Do you want to start?");
  await page.evaluate(() => navigator.clipboard.writeText("y\ny\n"));
  await page.keyboard.press("Control+V");
  await asked(page, 0, "row", 3);
  assert.equal((await gameOf(page, 0)).read, "y\ny\n");
  const focused = () => page.evaluate(() => document.activeElement.className || document.activeElement.id);
  assert.equal(await focused(), "xterm-helper-textarea");
  await page.keyboard.press("Tab");
  assert.notEqual(await focused(), "xterm-helper-textarea");
  await page.keyboard.press("Shift+Tab");
  assert.equal(await focused(), "xterm-helper-textarea");
  assert.equal((await gameOf(page, 0)).status, null);

  await page.evaluate(() => window.match3Page.terminal.select(0, 0, 10));
  await page.keyboard.press("Control+C"); // copies: the game goes on
  await page.evaluate(() => window.match3Page.terminal.clearSelection());
  await page.keyboard.press("Control+C"); // no selection: ends the game
  await page.evaluate(() => window.match3Page.terminal.select(0, 0, 10));
  await page.click("#new-game");
  await asked(page, 1, "start", 1);
  assert.equal((await gameOf(page, 0)).status, 130);
  assert.equal(await page.evaluate(() => window.match3Page.terminal.hasSelection()), false);
  assert.deepEqual(problems, []);
  await page.context().close();
});
