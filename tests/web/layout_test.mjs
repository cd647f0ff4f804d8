// Where things stand on every screen: the board as large as the screen
// allows, the question the game waits at and the controls in view at every
// question and every end, and nothing under a scrollbar.
import assert from "node:assert/strict";
import { test } from "node:test";

import { asked, ended, openPage, useBrowser } from "./harness.mjs";

useBrowser({ ignoreDefaultArgs: ["--hide-scrollbars"] }); // scrollbars as desktops draw them

// Figures taken once the page has drawn what changed.
const figures = (page) => page.evaluate(async () => {
  for (let frames = 0; frames < 2; ++frames) await new Promise(requestAnimationFrame);
  const { terminal } = window.match3Page;
  const rect = (element) => element.getBoundingClientRect();
  const tiles = [...document.querySelectorAll("#board button")].map(rect);
  const screen = rect(document.querySelector(".xterm-screen"));
  const box = rect(document.getElementById("screen"));
  const viewport = document.querySelector(".xterm-viewport");
  const cellHeight = screen.height / terminal.rows;
  const cursorTop = screen.top + terminal.buffer.active.cursorY * cellHeight;
  const shown = [...document.querySelectorAll("#controls > *")].filter((element) => !element.hidden);
  const [right, no] = ["[data-direction=r]", "[data-answer=n]", "[data-answer=y]"].map((at) => rect(document.querySelector(at)));
  return {
    overflow: document.documentElement.scrollWidth - innerWidth, scrollY, columns: terminal.cols,
    smallestTile: Math.min(...tiles.map((tile) => Math.min(tile.width, tile.height))),
    tilesInView: tiles.every((tile) => tile.left >= 0 && tile.top >= 0 && tile.right <= innerWidth && tile.bottom <= innerHeight),
    questionInBox: cursorTop >= box.top - 0.5 && cursorTop + cellHeight <= Math.min(box.bottom, innerHeight) + 0.5,
    terminalInBox: screen.left >= box.left && screen.right <= box.right + 0.5,
    underScrollbar: viewport.offsetWidth - viewport.clientWidth,
    controlsBottom: Math.max(...shown.map((element) => rect(element).bottom)), height: innerHeight,
    noApart: Math.min(Math.abs(no.left - right.right), Math.hypot(no.left - right.right, no.top - right.top)),
    status: document.getElementById("status").textContent,
  };
});

// The page's layout shifts since it loaded, added up as Chromium counts them.
const layoutShift = (page) => page.evaluate(() => new Promise((done) => {
  let sum = 0;
  new PerformanceObserver((list) => list.getEntries().forEach((entry) => { sum += entry.hadRecentInput ? 0 : entry.value; }))
    .observe({ type: "layout-shift", buffered: true });
  setTimeout(() => done(sum), 200);
}));

function assertInView(figure, smallestTile, where) {
  const said = `${where}: ${JSON.stringify(figure)}`;
  assert.ok(figure.overflow <= 0 && figure.scrollY === 0 && figure.columns >= 50, said);
  assert.ok(figure.smallestTile >= smallestTile && figure.tilesInView, said);
  assert.ok(figure.questionInBox && figure.terminalInBox && figure.underScrollbar === 0, said);
  assert.ok(figure.controlsBottom <= figure.height && figure.noApart >= 24, said);
}

// A screen, the smallest tile it must give, and how its game ends.
const kScreens = [
  [{ width: 360, height: 640 }, true, 32, "n", "The game is over."],
  [{ width: 390, height: 844 }, true, 36, "Control+D", "The input ended (Ctrl-D)"],
  [{ width: 844, height: 390 }, true, 32, "Control+C", "You ended the game with Ctrl-C."],
  [{ width: 1280, height: 800 }, false, 24, "x", "The game is over."],
  [{ width: 390, height: 844 }, false, 24, "n", "The game is over."], // a narrow desktop window
];

for (const [viewport, phone, smallestTile, end, words] of kScreens) {
  const where = `${viewport.width} x ${viewport.height}${phone ? " (phone)" : ""}`;
  test(`${where}: tiles of ${smallestTile} px or more, the question and the controls in view, at every question and end`, async () => {
    const { page, problems } = await openPage(viewport, { phone });
    const answers = [["start", "y"], ["play", "y"], ["row", "3 4"], ["direction", "r"], ["play", end]];
    let count = 0;
    for (const [question, answer] of answers) {
      count += question === "direction" ? 2 : 1; // the row's question, then the column's
      await asked(page, 0, question, count);
      assertInView(await figures(page), smallestTile, `at the ${question} question`);
      if (count === 1) assert.ok(await layoutShift(page) <= 0.02, `shifts ${await layoutShift(page)}`);
      if (answer.startsWith("Control+")) {
        await page.evaluate(() => window.match3Page.terminal.focus());
        await page.keyboard.press(answer);
      } else {
        await page.fill("#typed", answer);
        await page.press("#typed", "Enter");
      }
    }
    await ended(page);
    const last = await figures(page);
    assertInView(last, smallestTile, `after ${end}`);
    assert.ok(last.status.startsWith(words), last.status);
    await page.click("#new-game");
    await asked(page, 1, "start", 1);
    assertInView(await figures(page), smallestTile, "in a new game");
    assert.deepEqual(problems, []);
    await page.context().close();
  });
}
