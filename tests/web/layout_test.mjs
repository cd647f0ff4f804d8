// Where things stand on every screen: the board as large as the screen
// allows, the question the game waits at and the controls in view at every
// question and every end, and nothing under a scrollbar, in either of the
// page's languages.
import assert from "node:assert/strict";
import { test } from "node:test";

import { asked, assertInView, ended, layoutFigures, useSite, withPage } from "./harness.mjs";

useSite();

const { kRowsOfATurn } = await import(new URL("../../web/page/game-constants.js", import.meta.url));
const figures = (session) => session.evaluate(layoutFigures);

// The page's layout shifts since it loaded, added up as Chromium counts them.
const layoutShift = (session) => session.evaluate(() => new Promise((done) => {
  let sum = 0;
  new PerformanceObserver((list) => list.getEntries().forEach((entry) => { sum += entry.hadRecentInput ? 0 : entry.value; }))
    .observe({ type: "layout-shift", buffered: true });
  setTimeout(() => done(sum), 200);
}));

// A screen, the smallest tile it must give, and how its game ends: at the
// play question unless the row says at which.
const kScreens = [
  [{ width: 360, height: 640 }, true, 32, "n", "The game is over."],
  [{ width: 390, height: 844 }, true, 36, "Control+D", "The input ended (Ctrl-D)"],
  [{ width: 844, height: 390 }, true, 32, "Control+C", "You ended the game with Ctrl-C."],
  [{ width: 1280, height: 800 }, false, 24, "x", "The game takes y or n here, so “x” ended it."],
  [{ width: 390, height: 844 }, false, 24, "n", "The game is over."], // a narrow desktop window
  [{ width: 320, height: 568 }, true, 24, "Control+C", "You ended the game with Ctrl-C.", "direction"],
  [{ width: 360, height: 560 }, true, 24, "3,4", "The game takes a row and a column, as 3 4", "row"],
];

for (const language of ["en-US", "ru-RU"]) for (const [viewport, phone, smallestTile, end, words, endAt = "play"] of kScreens) {
  const where = `${viewport.width} x ${viewport.height}${phone ? " (phone)" : ""}, ${language}`;
  test(`${where}: tiles of ${smallestTile} px or more, the question and the controls in view, at every question and end`, () => withPage(async (session) => {
    const { page } = session;
    const script = [["start", "y"], ["play", "y"], ["row", "3 4"], ["direction", "r"], ["play"]];
    const answers = script.slice(0, script.findLastIndex(([question]) => question === endAt) + 1);
    answers.at(-1)[1] = end;
    let count = 0;
    let before;
    for (const [question, answer] of answers) {
      count += question === "direction" ? 2 : 1; // the row's question, then the column's
      await asked(session, 0, question, count);
      before = await figures(session);
      assertInView(before, smallestTile, `at the ${question} question`);
      if (count === 1) assert.ok(await layoutShift(session) <= 0.02, `shifts ${await layoutShift(session)}`);
      // The rows a turn takes, where the terminal is as narrow as the game's window.
      if (question === "direction" && before.columns === 50) assert.equal(before.cursorRow + 1, kRowsOfATurn);
      if (answer.startsWith("Control+")) {
        await page.evaluate(() => window.match3Page.terminal.focus());
        await page.keyboard.press(answer);
      } else {
        await page.fill("#typed", answer);
        await page.press("#typed", "Enter");
      }
    }
    await ended(session);
    const last = await figures(session);
    assertInView(last, smallestTile, `after ${end}`);
    assert.ok(language === "en-US" ? last.status.startsWith(words) : /^[А-Я]/.test(last.status), last.status);
    assert.ok(Math.abs(last.lineTop - before.lineTop) <= 4, `the end moved the controls: ${before.lineTop} ${last.lineTop}`);
    await page.click("#new-game");
    await asked(session, 1, "start", 1);
    assertInView(await figures(session), smallestTile, "in a new game");
  }, { viewport, phone, language }));
}

test("320 x 256, a page zoomed to 400 %: every letter of the board in the width, scrolled up and down only", () => withPage(async (session) => {
  await asked(session, 0, "start", 1);
  const figure = await figures(session);
  assert.ok(figure.overflow <= 0 && figure.tilesInWidth && figure.smallestTile >= 24, JSON.stringify(figure));
  assert.ok(figure.terminalInBox && figure.columns >= 50, JSON.stringify(figure));
}, { viewport: { width: 320, height: 256 } }));
