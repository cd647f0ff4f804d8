// The board a hand holds, in Chromium: touch on a phone and the keys on the
// tiles, each turned into exactly the answers a player would type.
import assert from "node:assert/strict";
import { test } from "node:test";

import { asked, assertPlayedAsTyped, ended, gameOf, pointOf, swipe, tapAt, tile, typeLines, useSite,
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

test("a game by swipes that start off a tile's centre, and by a shaky tap then an arrow, on a 360 x 640 phone", () => withPage(async (session) => {
  await asked(session, 0, "start", 1);
  // What the start question cannot take sends nothing, with a sign: a swipe,
  // an arrow; and two fingers are no gesture.
  const from = await pointOf(session, tile(1, 1), 0.3, -0.3);
  await swipe(session, from, { x: from.x + from.side, y: from.y });
  assert.ok(await flashed(session, tile(1, 1)));
  await tapAt(session, "[data-direction=r]");
  assert.ok(await flashed(session, "[data-direction=r]"));
  await tapAt(session, "[data-answer=y]");
  await asked(session, 0, "play", 2);
  const cdp = await session.context.newCDPSession(session.page);
  const two = [from, { x: from.x, y: from.y + 3 * from.side }];
  await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: two });
  await cdp.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: two.map(({ x, y }) => ({ x: x + from.side, y })) });
  await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
  // A swipe of one tile to the right, begun 30 % off the tile's centre.
  await swipe(session, from, { x: from.x + from.side, y: from.y + 0.1 * from.side });
  await asked(session, 0, "play", 6);
  // A tap that drifts 8 px picks the tile; the arrow then moves it.
  const shaky = await pointOf(session, tile(10, 1), -0.3, 0.3);
  await swipe(session, shaky, { x: shaky.x + 8, y: shaky.y - 4 });
  assert.ok(await picked(session, tile(10, 1)));
  await tapAt(session, "[data-direction=u]");
  await asked(session, 0, "play", 10);
  await tapAt(session, "[data-answer=n]");
  await assertPlayedAsTyped(session);
}, { viewport: { width: 360, height: 640 }, phone: true }));

test("the board takes the keys: one stop in the tab order, the arrow keys move among its tiles, Enter picks", () => withPage(async (session) => {
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
  await page.click("[data-direction=d]");
  await asked(session, 0, "play", 10);
  assert.equal((await gameOf(session)).read, "y\ny\n1 1\nr\ny\n3 2\nd\n");
  await page.click("[data-answer=n]");
  assert.equal((await ended(session)).status, 0);
}));
