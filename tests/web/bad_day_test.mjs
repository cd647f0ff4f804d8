// The page on a bad day, in Chromium: a download that fails, a page opened as
// a file, New game pressed again and again, a long session.
import assert from "node:assert/strict";
import { resolve } from "node:path";
import { test } from "node:test";

import { asked, ended, screenWhen, site, typeLines, useSite, withPage } from "./harness.mjs";

useSite();

// A file refused on a first visit: the page says which, and Try again
// plays (for the game's WebAssembly, without loading the page again).
for (const file of ["match3.wasm", "page.js"]) {
  test(`a refused ${file} says so in words, and Try again plays`, () => withPage(async (session) => {
    const { page } = session;
    await page.waitForSelector("#failure", { state: "visible" });
    assert.match(await page.textContent("#failure p"), new RegExp(`could not download .*${file}`));
    // Without the page's script no control looks live, and none submits.
    assert.equal(await page.isDisabled("[data-answer=y]") && await page.isDisabled("#line button"), file === "page.js");
    await session.context.unroute(`**/${file}`);
    await page.click("#failure button");
    await asked(session, 0, "start", 1);
    assert.ok(await page.isHidden("#failure"));
    session.problems.splice(0); // the refusal itself, on the console
  }, { refuse: file }));
}

test("a page opened as a file says it must be served, and how", () => withPage(async ({ page, problems }) => {
  await page.goto(`file://${resolve(site)}/index.html`);
  await page.waitForSelector("#failure", { state: "visible" });
  assert.match(await page.textContent("#failure p"), /must be served.*make serve/);
  problems.splice(0); // the files it could not load, on the console
}));

test("New game pressed again and again deals a new board every time", () => withPage(async (session) => {
  const boards = [];
  for (let game = 0; game < 4; ++game) {
    await asked(session, game, "start", 1);
    const first = await screenWhen(session, (rows) => rows[13].text.startsWith("Do you want to start?"));
    boards.push(first.slice(0, 10).map((row) => row.text).join("\n"));
    await typeLines(session, "n\n", game);
    await ended(session, game);
    await session.page.click("#new-game");
  }
  assert.equal(new Set(boards).size, boards.length, boards.join("\n"));
}, { path: "/?seed=live" }));

test("the page's nodes stay as many over a long session: 200 typed turns", () => withPage(async (session) => {
  const { page } = session;
  await asked(session, 0, "start", 1);
  const cdp = await session.context.newCDPSession(page);
  // The fewest of a few counts, each after a collection: what the page keeps.
  const nodes = async () => {
    const counts = [];
    for (let times = 0; times < 4; ++times) {
      await page.waitForTimeout(100);
      await cdp.send("HeapProfiler.collectGarbage");
      counts.push((await cdp.send("Memory.getDOMCounters")).nodes);
    }
    return Math.min(...counts);
  };
  await page.keyboard.type("y\r");
  const counted = {};
  for (let turn = 1; turn <= 200; ++turn) {
    await page.keyboard.type("y\r1 1\rr\r");
    if (turn === 20 || turn === 200) {
      await page.waitForFunction((lines) => window.match3Page.typedAhead() === 0 &&
        window.match3Page.games[0].questions.length >= lines, 1 + 4 * turn);
      counted[turn] = await nodes();
    }
  }
  assert.ok(counted[200] <= counted[20] * 1.1, JSON.stringify(counted));
}));
