// The board a hand holds: what it shows, and touch, mouse and keys on it,
// each turned into exactly the answers a player would type.
import assert from "node:assert/strict";
import { test } from "node:test";

import { asked, assertPlayedAsTyped, button, drag, ended, frozenSeed, gameOf, muslBoard, openPage, pointOn, screenWhen,
         swipe, tapAt, tile, typeLines, useBrowser } from "./harness.mjs";

useBrowser();

// The board's tiles as shown: letter and colour.
const shown = (page) => page.locator("#board button").evaluateAll((buttons) =>
  buttons.map((tile) => ({ letter: tile.textContent, colour: getComputedStyle(tile).color, label: tile.getAttribute("aria-label") })));
// Whether the element comes to match `selector` within two seconds: a
// touch sent through the browser's input is handled a moment later.
const soon = (locator, selector) => locator.evaluate((element, wanted) => new Promise((done) => {
  const since = performance.now();
  const look = () => (element.matches(wanted) || performance.now() - since > 2000
    ? done(element.matches(wanted)) : requestAnimationFrame(look));
  look();
}), selector);
const flashed = (locator) => soon(locator, ".flash, .flash *");
const picked = (locator) => soon(locator, ".picked");

test("a game by swipes that start off a tile's centre, and by a shaky tap then an arrow, on a 360 x 640 phone", async () => {
  const { page, problems } = await openPage({ width: 360, height: 640 }, { phone: true });
  await asked(page, 0, "start", 1);
  // What the start question cannot take sends nothing, with a sign: a swipe,
  // an arrow; and two fingers are no gesture.
  const from = await pointOn(tile(page, 1, 1), 0.3, -0.3);
  await swipe(page, from, { x: from.x + from.side, y: from.y });
  assert.ok(await flashed(tile(page, 1, 1)));
  await tapAt(page, button(page, "Swap right"));
  assert.ok(await flashed(button(page, "Swap right")));
  await button(page, "Yes").tap();
  await asked(page, 0, "play", 2);
  const cdp = await page.context().newCDPSession(page);
  const two = [from, { x: from.x, y: from.y + 3 * from.side }];
  await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: two });
  await cdp.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: two.map(({ x, y }) => ({ x: x + from.side, y })) });
  await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
  // A swipe of one tile to the right, begun 30 % off the tile's centre.
  await swipe(page, from, { x: from.x + from.side, y: from.y + 0.1 * from.side });
  await asked(page, 0, "play", 6);
  // A tap that drifts 8 px picks the tile; the arrow then moves it.
  const shaky = await pointOn(tile(page, 10, 1), -0.3, 0.3);
  await swipe(page, shaky, { x: shaky.x + 8, y: shaky.y - 4 });
  assert.ok(await picked(tile(page, 10, 1)));
  await button(page, "Swap up").tap();
  await asked(page, 0, "play", 10);
  await button(page, "No").tap();
  await assertPlayedAsTyped(page);
  assert.deepEqual(problems, []);
  await page.context().close();
});

test("a game by mouse: a click off a tile's centre then an arrow, and a drag", async () => {
  const { page, problems } = await openPage();
  await asked(page, 0, "start", 1);
  await button(page, "Yes").click();
  await asked(page, 0, "play", 2);
  assert.equal(await tile(page, 1, 1).evaluate((element) => getComputedStyle(element).cursor), "pointer");
  const off = await pointOn(tile(page, 1, 1), 0.3, 0.3);
  await page.mouse.click(off.x, off.y);
  assert.ok(await picked(tile(page, 1, 1)));
  await button(page, "Swap right").click();
  await asked(page, 0, "play", 6);
  const from = await pointOn(tile(page, 10, 1), 0.25, 0);
  await drag(page, from, { x: from.x + 0.1 * from.side, y: from.y - 0.4 * from.side });
  await asked(page, 0, "play", 10);
  await button(page, "No").click();
  await assertPlayedAsTyped(page);
  assert.deepEqual(problems, []);
  await page.context().close();
});

test("the board shows each board the game draws, its colours and names, and the arrow keys move among its tiles", async () => {
  const { page, problems } = await openPage();
  await asked(page, 0, "start", 1);
  await page.waitForFunction(() => document.querySelector("#board button").textContent !== "");
  const first = await shown(page);
  assert.deepEqual(first.map((shownTile) => shownTile.letter), muslBoard(frozenSeed));
  assert.ok(first.every(({ colour }) => colour === "rgb(13, 188, 121)"), "green, as the terminal draws it");
  assert.equal(first[23].label, `row 3, column 4: ${first[23].letter}`);
  await typeLines(page, "y\ny\n1 1\nr\n");
  await asked(page, 0, "play", 6);
  // The board the game drew last, as the terminal has it, the moved tile
  // in bright white: the board's tiles follow it, letter and colour.
  const drawn = await screenWhen(page, (rows) => rows[14].text.startsWith(" enter y/n"));
  const expected = drawn.slice(0, 10).flatMap((row) => row.cells.map(({ letter, colour }) =>
    `${letter} ${colour === 15 ? "rgb(255, 255, 255)" : "rgb(13, 188, 121)"}`));
  assert.equal(expected[1].slice(2), "rgb(255, 255, 255)");
  await page.waitForFunction((tiles) => [...document.querySelectorAll("#board button")]
    .every((element, index) => `${element.textContent} ${getComputedStyle(element).color}` === tiles[index]), expected);

  // One stop in the tab order; the arrows move, Enter picks.
  assert.equal(await page.locator("#board button[tabindex='0']").count(), 1);
  await tile(page, 1, 1).focus();
  for (const key of ["ArrowRight", "ArrowDown", "ArrowDown", "ArrowLeft", "ArrowLeft", "End", "Home", "ArrowRight"]) {
    await page.keyboard.press(key);
  }
  assert.equal(await page.evaluate(() => document.activeElement.getAttribute("aria-label").slice(0, 16)), "row 3, column 2:");
  await page.keyboard.press("Enter");
  assert.ok(await picked(tile(page, 3, 2)));
  await button(page, "Swap down").click();
  await asked(page, 0, "play", 10);
  assert.equal((await gameOf(page, 0)).read, "y\ny\n1 1\nr\ny\n3 2\nd\n");
  await button(page, "No").click();
  assert.equal((await ended(page)).status, 0);
  assert.deepEqual(problems, []);
  await page.context().close();
});
