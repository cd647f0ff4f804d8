// Games typed into the page's terminal: their boards, colours and texts, and
// their bytes beside the POSIX build's for the same keys.
import assert from "node:assert/strict";
import { test } from "node:test";

import { asked, assertPlayedAsTyped, ended, frozenSeed, gameOf, kFarewell, muslBoard, openPage, paste,
         screenWhen, typeLines, useBrowser, waitFor } from "./harness.mjs";

useBrowser();

test("a typed game: the board of musl's rand, green with the moved tile white, the Cyrillic, the POSIX bytes", async () => {
  const { page, problems } = await openPage();
  const first = await screenWhen(page, (rows) => rows[13].text.startsWith("Do you want to start?"));
  assert.deepEqual(first.slice(0, 10).flatMap((row) => row.cells.map((cell) => cell.letter)), muslBoard(frozenSeed));
  assert.ok(first.slice(0, 10).every((row) => row.cells.every((cell) => cell.colour === 2)), "every tile green");
  const question = first.slice(13).map((row) => row.text).join("");
  assert.ok(question.includes("хотите начать играть? (да, нет )"), question);
  await typeLines(page, "y\ny\n1 1\nr\n");
  const after = await screenWhen(page, (rows) => rows[14].text.startsWith(" enter y/n"));
  after.slice(0, 10).forEach((row, y) => row.cells.forEach((cell, x) =>
    assert.equal(cell.colour, y === 0 && x === 1 ? 15 : 2, `tile ${y + 1}, ${x + 1}`)));
  await typeLines(page, "y\n10 1\nu\nn\n");
  await assertPlayedAsTyped(page);
  assert.ok((await gameOf(page, 0)).text.endsWith(kFarewell));
  assert.deepEqual(problems, []);
  await page.context().close();
});

// Ends that come from the keys, and what the page does between games.
const kEnds = [
  ["Control+D", "y\ny\n3", 0, "The input ended (Ctrl-D), so the game is over."],
  ["Control+C", "y\ny\n", 130, "You ended the game with Ctrl-C."],
  ["Control+\\", "y\n", 131, "You ended the game with Ctrl-\\."],
];

test("Ctrl-D ends the input, Ctrl-C and Ctrl-\\ the game; between games keys are not echoed and Enter starts one", async () => {
  const { page, problems } = await openPage();
  for (const [index, [key, before, status, words]] of kEnds.entries()) {
    await asked(page, index, "start", 1);
    await page.keyboard.type(before.replaceAll("\n", "\r"));
    await page.keyboard.press("Control+Z"); // means nothing in a page
    await waitFor(page, index, (game) => game.read === before.replace(/[^\n]*$/, ""));
    await page.keyboard.press(key);
    const game = await ended(page, index);
    assert.equal(game.status, status, key);
    if (status !== 0) assert.ok(game.text.endsWith("\n\x1b[0m\x1b[?25h"), "the restore and nothing after it");
    assert.ok((await page.textContent("#status")).startsWith(words), key);
    assert.ok(await page.isVisible("#new-game"));
    await page.evaluate(() => window.match3Page.terminal.focus());
    await page.keyboard.type("xyz"); // between games: not echoed
    await page.keyboard.press("Enter"); // a new game
  }
  await asked(page, 3, "start", 1);
  assert.ok(!(await page.evaluate(() => window.match3Page.terminal.buffer.active.getLine(0).translateToString())).includes("xyz"));
  assert.deepEqual(problems, []);
  await page.context().close();
});

test("a line longer than a terminal holds loses its end, and the page says so", async () => {
  const { page, problems } = await openPage();
  await asked(page, 0, "start", 1);
  assert.ok(await page.isHidden("#refused"));
  await paste(page, `y${" ".repeat(5000)}n`);
  await page.keyboard.press("Enter");
  await asked(page, 0, "play", 2);
  assert.ok(await page.isVisible("#refused"));
  await typeLines(page, "n\n");
  const game = await ended(page);
  assert.equal(game.read, `y${" ".repeat(4094)}\nn\n`, "4095 bytes and the Enter, then the next line");
  assert.ok(game.text.endsWith(kFarewell));
  assert.deepEqual(problems, []);
  await page.context().close();
});

test("with service workers blocked the page plays all the same", async () => {
  const { page, problems } = await openPage(undefined, { serviceWorkers: "block" });
  await asked(page, 0, "start", 1);
  await typeLines(page, "y\nn\n");
  assert.ok((await ended(page)).text.endsWith(kFarewell));
  assert.deepEqual(problems, []);
  await page.context().close();
});
