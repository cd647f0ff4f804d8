// The board a hand holds, in Chromium: touch on phones of four sizes and the
// keys on the tiles, each turned into exactly the answers a player would
// type, or into nothing where a gesture could mean either.
import assert from "node:assert/strict";
import { test } from "node:test";

import { asked, ended, gameOf, kFarewell, pointOf, swipe, tapAt, tile, touchScreen, typeLines, useSite, waitFor,
         withPage } from "./harness.mjs";

useSite();

// Whether the element comes to match `wanted` within two seconds: a touch
// sent through the browser's input is handled a moment later.
const soon = (session, selector, wanted) => session.evaluate(([at, state]) => new Promise((done) => {
  const element = document.querySelector(at);
  const since = performance.now();
  const look = () => (element.matches(state) || performance.now() - since > 2000
    ? done(element.matches(state)) : requestAnimationFrame(look));
  look();
}), [selector, wanted]);
const flashed = (session, selector) => soon(session, selector, ".flash, .flash *");
const picked = (session, selector) => soon(session, selector, ".picked");

// Gestures on a phone, each from the play question, with what the game
// reads after it ("" for nothing, which the board's sign shows); the game
// has settled at the play question once it has asked it after every move.
const settled = (game) => game.questions.at(-1) === "play" &&
  game.questions.length === 2 + (4 * (game.read.split("\n").length - 2)) / 3;
const kGestures = [
  ["a flick from just above the board's edge moves the edge tile, and the page does not scroll", async (session) => {
    const at = await pointOf(session, tile(1, 3), 0, -0.5);
    await swipe(session, { x: at.x, y: at.y - 3 }, { x: at.x, y: at.y + 2 * at.side });
    assert.equal(await session.evaluate(() => scrollY), 0);
  }, "y\n1 3\nd\n"],
  ["two fingers send nothing", async (session) => {
    const at = await pointOf(session, tile(5, 5));
    const [touch, two] = [await touchScreen(session), [at, { x: at.x, y: at.y + 3 * at.side }]];
    await touch("touchStart", two);
    await touch("touchMove", two.map(({ x, y }) => ({ x: x + at.side, y })));
    await touch("touchEnd", []);
  }, ""],
  ["a swipe begun 30 % off a tile's centre moves that tile", async (session) => {
    const from = await pointOf(session, tile(1, 1), 0.3, -0.3);
    await swipe(session, from, { x: from.x + from.side, y: from.y + 0.1 * from.side });
  }, "y\n1 1\nr\n"],
  ["a tap that drifts 10 px picks; Swap up moves", async (session) => {
    const at = await pointOf(session, tile(5, 5));
    await swipe(session, at, { x: at.x + 10, y: at.y - 3 });
    assert.ok(await picked(session, tile(5, 5)));
    await tapAt(session, "[data-direction=u]");
  }, "y\n5 5\nu\n"],
  ["a swipe along a diagonal sends nothing", async (session) => {
    const at = await pointOf(session, tile(5, 5));
    await swipe(session, at, { x: at.x + at.side, y: at.y + at.side });
  }, ""],
  ["a double tap picks; a tap later puts the tile back", async (session) => {
    await tapAt(session, tile(2, 2));
    await tapAt(session, tile(2, 2));
    assert.ok(await picked(session, tile(2, 2)));
    await new Promise((done) => setTimeout(done, 600));
    await tapAt(session, tile(2, 2));
    assert.ok(!(await picked(session, tile(2, 2))));
  }, ""],
  ["a swipe begun on a board the game then redraws sends nothing", async (session) => {
    const at = await pointOf(session, tile(5, 5));
    const touch = await touchScreen(session);
    await touch("touchStart", [at]);
    const count = (await gameOf(session)).questions.length;
    await session.evaluate(() => window.match3Page.terminal.input("y\r1 1\rr\r"));
    await asked(session, 0, "play", count + 4);
    await touch("touchMove", [{ x: at.x + at.side, y: at.y }]);
    await touch("touchEnd", []);
  }, "y\n1 1\nr\n"],
];

for (const viewport of [{ width: 320, height: 568 }, { width: 360, height: 640 }, { width: 390, height: 844 },
                        { width: 844, height: 390 }]) {
  test(`at ${viewport.width} x ${viewport.height}: each gesture sends what it means, or nothing`, () => withPage(async (session) => {
    // What the start question cannot take sends nothing, with a sign.
    await asked(session, 0, "start", 1);
    await tapAt(session, "[data-direction=r]");
    assert.ok(await flashed(session, "[data-direction=r]"));
    await tapAt(session, "[data-answer=y]");
    await asked(session, 0, "play", 2);
    for (const [name, gesture, reads] of kGestures) {
      const before = await waitFor(session, 0, settled);
      await gesture(session);
      if (reads === "") assert.ok(await flashed(session, tile(5, 5)) || name.startsWith("a double"), name);
      const after = await waitFor(session, 0, (game) => game.read.length >= before.read.length + reads.length && settled(game));
      assert.equal(after.read, before.read + reads, name);
    }
    await tapAt(session, "[data-answer=n]");
    assert.ok((await ended(session)).text.endsWith(kFarewell));
  }, { viewport, phone: true }));
}

test("the board takes the keys: one stop in the tab order, the arrow keys move among its tiles, Enter picks, an arrow moves", () => withPage(async (session) => {
  const { page } = session;
  await asked(session, 0, "start", 1);
  await typeLines(session, "y\ny\n1 1\nr\n");
  await asked(session, 0, "play", 6);
  assert.equal(await page.locator("#board button[tabindex='0']").count(), 1);
  await page.focus(tile(1, 1));
  for (const key of ["ArrowRight", "ArrowDown", "ArrowDown", "ArrowLeft", "ArrowLeft", "End", "Home", "ArrowRight"]) {
    await page.keyboard.press(key);
  }
  assert.equal(await page.evaluate(() => document.activeElement.getAttribute("aria-label").slice(0, 16)), "row 3, column 2:");
  await page.keyboard.press("Enter");
  assert.ok(await picked(session, tile(3, 2)));
  const { x, y } = await pointOf(session, tile(8, 8));
  for (const button of ["right", "middle"]) await page.mouse.click(x, y, { button }); // leave the focus alone
  assert.equal(await page.evaluate(() => document.activeElement.getAttribute("aria-label").slice(0, 16)), "row 3, column 2:");
  await page.keyboard.press("ArrowDown"); // the picked tile's direction
  await asked(session, 0, "play", 10);
  assert.equal((await gameOf(session)).read, "y\ny\n1 1\nr\ny\n3 2\nd\n");
  await page.click("[data-answer=n]");
  assert.equal((await ended(session)).status, 0);
}));
