// The page's core cases in each of the three engines, written once: the first
// board and a typed game with the POSIX build's bytes, a game by buttons and
// by mouse on the tiles, every way a game ends and the notice it gets, the
// layout wide and narrow with no scrollbar over the terminal, Tab, offline
// after one visit, and the page's two languages.
import assert from "node:assert/strict";
import { mkdtempSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";

import { asked, assertInView, assertPlayedAsTyped, ended, frozenSeed, gameOf, kFarewell, kScript, layoutFigures,
         muslBoard, pointOf, screenWhen, served, tile, typeLines, until, useSite, waitFor, withPage } from "./harness.mjs";

useSite();

const atStart = (session, index = 0) => asked(session, index, "start", 1);
const status = (session) => session.evaluate(() => document.getElementById("status").textContent);
const byQuestions = (session, count) => waitFor(session, 0, (game) => game.questions.length === count);

// The narrowest window each engine takes (MiniBrowser's is about 450 px).
const kNarrow = { chromium: 390, firefox: 390, webkit: 450 };

// Every way a game ends, from the keys: the lines typed, then a chord, and
// the notice the page shows.
const kEnds = [
  [["y n\n"], "The game is over."],
  [["y\ny\n3 3\nr 5\n"], "The game takes y or n here, so “5” ended it."],
  [["y\ny\n3 3 r x\n"], "The game takes y or n here, so “x” ended it."],
  [["x\n"], "The game takes y or n here, so “x” ended it."],
  [["y\nyyyyyyyyyyyyyyyyyyyy\n"], "The game takes y or n here, so “yyyyyyyyyyyy…” ended it."],
  [["y\ny\nx\n"], "The game takes a row and a column, as 3 4, so “x” ended it."],
  [["y\ny\n3 -x\n"], "The game takes a row and a column, as 3 4, so “-x” ended it."],
  [["y\ny\n3,4\n"], "The game takes a row and a column, as 3 4, so “,4” ended it."],
  [["y\ny\n", "Control", "d"], "The input ended (Ctrl-D), so the game is over."],
  [["y\ny\n", "Control", "c"], "You ended the game with Ctrl-C."],
  [["y\n", "Control", "\\"], "You ended the game with Ctrl-\\."],
];
// A board that runs out of moves: at this second's board, these turns.
const kRunsOut = { seed: 2057, script: "y\ny\n9 2\nu\ny\n9 10\nl\ny\n3 3\nl\ny\n7 3\nr\ny\n8 10\nu\ny\n3 3\nd\ny\n7 2\nl\ny\n5 3\nr\ny\n3 4\nr\n" };

const kCases = {
  "the first board, and a typed game with the POSIX build's bytes, colours and Cyrillic": async (session) => {
    const first = await screenWhen(session, (rows) => rows[13].text.startsWith("Do you want to start?"));
    assert.deepEqual(first.slice(0, 10).flatMap((row) => row.cells.map((cell) => cell.letter)), muslBoard(frozenSeed));
    assert.ok(first.slice(13).map((row) => row.text).join("").includes("хотите начать играть? (да, нет )"));
    // The tiles as the board shows them, once they are `expected` (they are
    // drawn at the frame after the terminal's).
    const tilesBecome = (expected) => until(() => session.evaluate(() => [...document.querySelectorAll("#board button")]
      .map((button) => `${button.textContent} ${getComputedStyle(button).color}`)), (shown) =>
      JSON.stringify(shown) === JSON.stringify(expected), "the tiles");
    const green = (letter) => `${letter} rgb(13, 188, 121)`;
    await tilesBecome(muslBoard(frozenSeed).map(green));
    await typeLines(session, "y\ny\n1 1\nr\n");
    // The moved tile in bright white, the rest green, on the terminal and
    // on the board alike.
    const after = await screenWhen(session, (rows) => rows[14].text.startsWith(" enter y/n"));
    const drawn = after.slice(0, 10).flatMap((row) => row.cells);
    drawn.forEach((cell, at) => assert.equal(cell.colour, at === 1 ? 15 : 2, `tile ${at}`));
    await tilesBecome(drawn.map(({ letter, colour }) => (colour === 15 ? `${letter} rgb(255, 255, 255)` : green(letter))));
    await typeLines(session, kScript.slice("y\ny\n1 1\nr\n".length));
    await assertPlayedAsTyped(session);
  },
  "a game by the buttons and by mouse clicks and a drag on the tiles": async (session) => {
    await atStart(session);
    await session.click(await pointOf(session, "[data-answer=y]"));
    await byQuestions(session, 2);
    await session.click(await pointOf(session, tile(1, 1), 0.3, 0.3));
    await session.click(await pointOf(session, "[data-direction=r]"));
    await byQuestions(session, 6);
    const from = await pointOf(session, tile(10, 1), 0.2, 0);
    await session.drag(from, { x: from.x, y: from.y - 0.5 * from.side });
    await byQuestions(session, 10);
    await session.click(await pointOf(session, "[data-answer=n]"));
    await assertPlayedAsTyped(session);
  },
  "every end gets its notice; between games keys are not echoed and Enter starts one; Tab leaves the terminal": async (session) => {
    for (const [index, [[lines, ...chord], notice]] of kEnds.entries()) {
      await atStart(session, index);
      await typeLines(session, lines, index);
      if (chord.length > 0) await session.press(...chord);
      assert.ok((await ended(session, index)).text.endsWith("\x1b[0m\x1b[?25h"), "the terminal restored last");
      assert.ok((await status(session)).startsWith(notice), `${lines}: ${await status(session)}`);
      await session.evaluate(() => window.match3Page.terminal.focus());
      await session.type("xyz\r"); // between games: not echoed; Enter, a new game
    }
    await atStart(session, kEnds.length);
    assert.ok(!(await screenWhen(session, () => true)).some((row) => row.text.includes("xyz")));
    const focused = () => session.evaluate(() => document.activeElement.className || document.activeElement.id);
    assert.equal(await focused(), "xterm-helper-textarea");
    await session.press("Tab"); // to the board, which stands after the terminal
    assert.notEqual(await focused(), "xterm-helper-textarea");
    await session.press("Shift", "Tab");
    assert.equal(await focused(), "xterm-helper-textarea");
  },
  "Ctrl-Z does nothing, Escape puts a picked tile back, and the board, the answers and the terminal have headings": async (session) => {
    await atStart(session);
    await session.type("y");
    await session.press("Control", "z");
    await session.type("\r");
    assert.equal((await byQuestions(session, 2)).read, "y\n");
    assert.ok(!(await screenWhen(session, () => true)).some((row) => row.text.includes("^Z")));
    const pressed = () => session.evaluate((at) => [document.querySelector(at).getAttribute("aria-pressed"),
                                                     document.getElementById("announce").textContent], tile(2, 3));
    await session.click(await pointOf(session, tile(2, 3)));
    const [state, said] = await pressed();
    assert.ok(state === "true" && said.startsWith("Picked row 2, column 3: "), said);
    await session.press("Escape");
    assert.deepEqual(await pressed(), ["false", "No tile picked."]);
    assert.deepEqual(await session.evaluate(() => [document.documentElement.lang,
                                                   ...[...document.querySelectorAll("main h2")].map((h) => h.textContent)]),
                     ["en", "Terminal", "Board", "Answers"]);
  },
  "after one visit the game plays offline": async (session) => {
    await atStart(session);
    await session.evaluate(() => navigator.serviceWorker.ready.then(() => new Promise((done) => {
      const look = () => (navigator.serviceWorker.controller ? done() : setTimeout(look, 50));
      look();
    })));
    const folder = served.server.folder;
    served.server.folder = mkdtempSync(join(tmpdir(), "match3-nothing-")); // every request now 404
    try {
      await session.reload();
      await atStart(session);
      await typeLines(session, "y\nn\n");
      assert.ok((await ended(session)).text.endsWith(kFarewell));
    } finally {
      served.server.folder = folder;
    }
  },
};

// The page's words in each language: its lang, Yes, an arrow's name, a
// tile's, and the sentence said once the game waits at the start.
const kPageWords = {
  ru: ["ru", "Да", "Поменять с левой", /^ряд 3, столбец 4: [A-I]$/, "Счёт 0. Хотите начать? Введите y или n."],
  en: ["en", "Yes", "Swap left", /^row 3, column 4: [A-I]$/, "Score 0. Do you want to start? Enter y or n."],
};
// Waits until the page shows its words in `language` (and, with `said`,
// has said its sentence in it).
async function untilWordsIn(session, language, said) {
  const shown = () => session.evaluate((at) => [document.documentElement.lang, document.querySelector("[data-answer=y]").textContent,
    ...[document.querySelector("[data-direction=l]"), document.querySelector(at)].map((node) => node.getAttribute("aria-label")),
    document.getElementById("announce").textContent], tile(3, 4));
  const expected = kPageWords[language].slice(0, said ? 5 : 4);
  await until(shown, (words) => expected.every((word, at) => word.test?.(words[at]) ?? word === words[at]), `the page in ${language}`);
}

// CTest runs the file once an engine, named by MATCH3_ENGINE (several with commas).
for (const engine of process.env.MATCH3_ENGINE?.split(",") ?? ["chromium", "firefox", "webkit"]) {
  for (const [name, play] of Object.entries(kCases)) test(`${engine}: ${name}`, () => withPage(play, { engine }));
  test(`${engine}: a board that runs out of moves ends the game, and the page says so`, () => withPage(async (session) => {
    await atStart(session);
    await session.evaluate((script) => window.match3Page.terminal.input(script.replaceAll("\n", "\r")), kRunsOut.script);
    assert.equal((await ended(session)).ended, "reversing");
    assert.ok((await status(session)).startsWith("The board offers no move: the game is over."));
    assert.equal((await gameOf(session)).text.split("reversing").length, 2);
  }, { engine, path: `/?seed=${kRunsOut.seed}` }));
  test(`${engine}: a Russian browser gets the page in Russian; the switch gives English, kept on the device, and back`, () => withPage(async (session) => {
    await atStart(session);
    await untilWordsIn(session, "ru", true);
    await session.click(await pointOf(session, "[data-choose=en]"));
    await untilWordsIn(session, "en", false);
    await session.reload();
    await atStart(session);
    await untilWordsIn(session, "en", true);
    await session.click(await pointOf(session, "[data-choose=ru]"));
    await untilWordsIn(session, "ru", false);
  }, { engine, language: "ru-RU" }));
  test(`${engine}: the layout wide and narrow, with no scrollbar over the terminal`, async () => {
    for (const width of [1280, kNarrow[engine]]) {
      await withPage(async (session) => {
        await atStart(session);
        assertInView(await session.evaluate(layoutFigures), 24, `${engine} at ${width} x 800`);
      }, { engine, viewport: { width, height: 800 } });
    }
  });
}
