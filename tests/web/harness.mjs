// What every test of the page shares: the site served on 127.0.0.1, Debian's
// chromium driven by playwright-core, a page with its clock frozen that
// records every game, the game's state and screen as the page has them,
// the POSIX build's bytes for the same answers, and the gestures of a
// hand.
//   MATCH3_SITE=build/web/site MATCH3_POSIX_GAME=build/default/match3 \
//     node --test tests/web/
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { mkdtempSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before } from "node:test";

import { serveSite } from "../../tools/serve-site.mjs";

export { assertInView, layoutFigures } from "./layout-figures.mjs";

const require = createRequire(new URL("../../web/package.json", import.meta.url));
export const { chromium } = require("playwright-core");
export const { AxeBuilder } = require("@axe-core/playwright");

export const site = process.env.MATCH3_SITE;
export const executablePath = process.env.MATCH3_CHROMIUM ?? "/usr/bin/chromium";
const frozenTime = Date.UTC(2026, 11, 8, 12, 0, 0); // a whole second: the seed
export const frozenSeed = frozenTime / 1000;
export const kFarewell = "Thanks for playing ( Спасибо за игру )\n\x1b[0m\x1b[?25h";

// The answers of the scripted game, as typed: a move that clears a run, a
// move, and the end.
export const kScript = "y\ny\n1 1\nr\ny\n10 1\nu\nn\n";

// The site served and a browser, for the tests of one file.
export const served = {};
export function useBrowser(launchOptions = {}) {
  before(async () => {
    served.server = await serveSite(site); // served.server.folder = ... serves another
    served.origin = served.server.origin;
    served.browser = await chromium.launch({ executablePath, ...launchOptions });
  });
  after(async () => {
    await served.browser?.close();
    served.server?.close();
  });
}

// A page with its clock frozen, recording every game, watched for errors
// and for requests that leave the site; a phone's (touch, mobile) with
// `phone`. `problems` lists what went wrong.
export const kPhone = { hasTouch: true, isMobile: true, deviceScaleFactor: 2 };
// With `refuse`, the page's requests for that file fail; with `clock:
// false`, its clock runs.
export async function openPage(viewport = { width: 1280, height: 800 },
                               { phone = false, refuse = null, clock = true, ...options } = {}) {
  const context = await served.browser.newContext({ viewport, ...(phone ? kPhone : {}), ...options });
  if (refuse) await context.route(`**/${refuse}`, (route) => route.abort());
  const page = await context.newPage();
  const problems = [];
  page.on("pageerror", (error) => problems.push(`error: ${error.message}`));
  page.on("console", (message) => message.type() === "error" && problems.push(message.text()));
  page.on("request", (request) => request.url().startsWith(served.origin) ||
                                  problems.push(`request: ${request.url()}`));
  page.on("requestfailed", (request) => problems.push(`failed: ${request.url()}`));
  await page.addInitScript(() => { window.match3Page = { record: true }; });
  if (clock) await page.clock.setFixedTime(frozenTime);
  await page.goto(`${served.origin}/`);
  return { page, problems };
}

// Game `index` as the page has recorded it: what it wrote and read so far,
// as text, its status and the questions it asked.
export const gameOf = (page, index) => page.evaluate((at) => {
  const game = window.match3Page.games?.[at];
  if (!game) return null;
  const text = (chunks) => {
    const bytes = new Uint8Array(chunks.reduce((size, chunk) => size + chunk.length, 0));
    chunks.reduce((offset, chunk) => (bytes.set(chunk, offset), offset + chunk.length), 0);
    return new TextDecoder().decode(bytes);
  };
  return { text: text(game.output), read: text(game.input), status: game.status, questions: game.questions };
}, index);

export async function waitFor(page, index, predicate) {
  for (let tries = 0; tries < 600; ++tries) {
    const game = await gameOf(page, index);
    if (game && predicate(game)) return game;
    await page.waitForTimeout(50);
  }
  assert.fail(`waited in vain; game ${index} wrote: ${JSON.stringify(await gameOf(page, index))}`);
}

// Waits until game `index` has asked `count` questions, the last `question`.
export const asked = (page, index, question, count) => waitFor(page, index, (game) =>
  game.questions.length === count && game.questions.at(-1) === question);
export const ended = (page, index = 0) => waitFor(page, index, (game) => game.status !== null);

// musl's rand(), which Emscripten's C library is: the first board for a seed.
export function muslBoard(seed) {
  let state = BigInt(seed) - 1n;
  const tiles = [];
  for (let cell = 0; cell < 100; ++cell) {
    state = (state * 6364136223846793005n + 1n) & ((1n << 64n) - 1n);
    tiles.push(String.fromCharCode(65 + Number((state >> 33n) % 9n)));
  }
  return tiles;
}

// The tile letters of board rows and the digits of scores masked: the two
// C libraries draw other random numbers.
export function masked(text) {
  return text.split("\n").map((line) => {
    const plain = line.replace(/\x1b\[[0-9;?]*[A-Za-z]/g, "");
    const board = /^([A-I] ){10}$/.test(plain);
    return line.replace(/(\x1b\[[0-9;?]*[A-Za-z])|[A-I]|(?<=your score: )[0-9]+/g,
                        (match, control) => control ?? (board || /[0-9]/.test(match) ? "x" : match));
  }).join("\n");
}

// The POSIX build on a pseudo-terminal (script(1)), its answers from a file,
// at a clock whose boards last the game.
const fixedClock = new URL("../../tools/at-fixed-clock", import.meta.url).pathname;
export function posixOutput(input) {
  const answers = join(mkdtempSync(join(tmpdir(), "match3-web-")), "answers");
  writeFileSync(answers, input);
  const command = `TERM=xterm-256color LANG=C.UTF-8 exec '${fixedClock}' '${process.env.MATCH3_POSIX_GAME}' < '${answers}'`;
  const output = execFileSync("script", ["-q", "-e", "-c", command, "/dev/null"],
                              { env: { PATH: process.env.PATH }, stdio: ["ignore", "pipe", "inherit"] });
  return output.toString("utf8").replaceAll("\r\n", "\n"); // the terminal's own CR
}

// The game read exactly what a player types for `script`, and wrote what the
// POSIX build writes for it.
export async function assertPlayedAsTyped(page, script = kScript) {
  const game = await ended(page);
  assert.equal(game.status, 0);
  assert.equal(game.read, script);
  assert.equal(masked(game.text), masked(posixOutput(script)));
}

// Each tile cell of the top rows of the page's terminal, letter and
// foreground (a palette number), and each row's text.
export const cells = (page) => page.evaluate(() => {
  const buffer = window.match3Page.terminal.buffer.active;
  return Array.from({ length: 16 }, (_, y) => {
    const line = buffer.getLine(y);
    const row = [];
    for (let x = 0; x < 20; x += 2) {
      const cell = line.getCell(x);
      row.push({ letter: cell.getChars(), colour: cell.isFgPalette() ? cell.getFgColor() : -1 });
    }
    return { cells: row, text: line.translateToString(true) };
  });
});

// The screen once `predicate` holds: the terminal draws what it is given a
// moment after the game has written it.
export async function screenWhen(page, predicate) {
  for (let tries = 0; tries < 600; ++tries) {
    const rows = await cells(page);
    if (predicate(rows)) return rows;
    await page.waitForTimeout(50);
  }
  assert.fail(`the screen never showed it: ${(await cells(page)).map((row) => row.text).join("\n")}`);
}

// The board's tile at row `row`, column `column` (from 1), and a control.
export const tile = (page, row, column) => page.locator("#board button").nth((row - 1) * 10 + column - 1);
export const button = (page, name) => page.getByRole("button", { name, exact: true });

// A point `share` of a tile off the centre of `locator`, across and down.
export async function pointOn(locator, across = 0, down = 0) {
  const box = await locator.boundingBox();
  return { x: box.x + box.width * (0.5 + across), y: box.y + box.height * (0.5 + down), side: box.width };
}

// A tap on the touch screen where the element stands, whatever takes it
// there (Playwright's own tap waits for a control to be enabled).
export async function tapAt(page, locator) {
  const { x, y } = await pointOn(locator);
  await page.touchscreen.tap(x, y);
}

// A swipe through the phone's touch screen, from one point to another.
export async function swipe(page, from, to) {
  const cdp = await page.context().newCDPSession(page);
  const at = (share) => [{ x: from.x + (to.x - from.x) * share, y: from.y + (to.y - from.y) * share }];
  await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: at(0) });
  for (const share of [0.5, 1]) await cdp.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: at(share) });
  await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
  // A finger takes a moment before its next touch: a tap at once would be
  // taken by the browser as part of this gesture, and give no click.
  await page.waitForTimeout(300);
}

// A drag with the mouse's button held, from one point to another.
export async function drag(page, from, to) {
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  await page.mouse.move(to.x, to.y, { steps: 4 });
  await page.mouse.up();
}

// Pastes `text` into the terminal as the browser does with the clipboard.
export const paste = (page, text) => page.evaluate((pasted) => {
  const clipboardData = new DataTransfer();
  clipboardData.setData("text/plain", pasted);
  document.activeElement.dispatchEvent(new ClipboardEvent("paste", { clipboardData, bubbles: true }));
}, text);

export async function assertNoViolation(page, when) {
  const { violations } = await new AxeBuilder({ page }).analyze();
  assert.deepEqual(violations.map((violation) => `${violation.id}: ${violation.help}`), [], when);
}

// Types `script` into the terminal a line at a time, each once the game has
// read the line before it.
export async function typeLines(page, script, index = 0) {
  let typed = (await gameOf(page, index))?.read ?? "";
  for (const line of script.split(/(?<=\n)/)) {
    typed += line;
    await page.keyboard.type(line.replaceAll("\n", "\r"));
    await waitFor(page, index, (game) => game.read === typed || game.status !== null);
  }
}
