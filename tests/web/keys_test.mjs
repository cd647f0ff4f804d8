// A web user's keys around the terminal, in Chromium: copy, paste, a line
// longer than a terminal holds, and a selection that does not outlive its
// game.
import assert from "node:assert/strict";
import { test } from "node:test";

import { asked, ended, gameOf, kFarewell, served, typeLines, useSite, waitFor, withPage } from "./harness.mjs";

useSite();

test("Ctrl+C copies a selection, Ctrl+V pastes answers, a new game clears the selection", () => withPage(async (session) => {
  const { page } = session;
  await session.context.grantPermissions(["clipboard-read", "clipboard-write"], { origin: served.origin });
  await asked(session, 0, "start", 1);
  await page.evaluate(() => window.match3Page.terminal.select(0, 13, 21));
  await page.keyboard.press("Control+C");
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), "Do you want to start?");
  await page.evaluate(() => navigator.clipboard.writeText("y\ny\n"));
  await page.keyboard.press("Control+V");
  await asked(session, 0, "row", 3);
  assert.equal((await gameOf(session)).read, "y\ny\n");

  await page.evaluate(() => window.match3Page.terminal.select(0, 0, 10));
  await page.keyboard.press("Control+C"); // copies: the game goes on
  await page.evaluate(() => window.match3Page.terminal.clearSelection());
  await page.keyboard.press("Control+C"); // no selection: ends the game
  await page.evaluate(() => window.match3Page.terminal.select(0, 0, 10));
  await page.click("#new-game");
  await asked(session, 1, "start", 1);
  assert.equal((await gameOf(session)).status, 130);
  assert.equal(await page.evaluate(() => window.match3Page.terminal.hasSelection()), false);
}));

test("text that comes without a key (dictation, a suggestion strip) reaches the game, in screen reader mode or not", () => withPage(async (session) => {
  const cdp = await session.context.newCDPSession(session.page);
  await asked(session, 0, "start", 1);
  for (const [mode, text] of [[true, "y"], [false, "n"]]) {
    await session.evaluate((on) => { window.match3Page.terminal.options.screenReaderMode = on; }, mode);
    await cdp.send("Input.insertText", { text });
    await session.page.keyboard.press("Enter");
    await waitFor(session, 0, (game) => game.read.endsWith(`${text}\n`));
  }
  assert.equal((await ended(session)).read, "y\nn\n");
}));

test("a line longer than a terminal holds loses its end, and the page says so", () => withPage(async (session) => {
  const { page } = session;
  await asked(session, 0, "start", 1);
  assert.ok(await page.isHidden("#refused"));
  await page.evaluate((pasted) => {
    const clipboardData = new DataTransfer();
    clipboardData.setData("text/plain", pasted);
    document.activeElement.dispatchEvent(new ClipboardEvent("paste", { clipboardData, bubbles: true }));
  }, `y${" ".repeat(5000)}n`);
  await page.keyboard.press("Enter");
  await asked(session, 0, "play", 2);
  assert.ok(await page.isVisible("#refused"));
  await typeLines(session, "n\n");
  const game = await ended(session);
  assert.equal(game.read, `y${" ".repeat(4094)}\nn\n`, "4095 bytes and the Enter, then the next line");
  assert.ok(await page.isHidden("#refused"), "the notice gone with the next answer");
  assert.ok(game.text.endsWith(kFarewell));
}));
