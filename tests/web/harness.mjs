// What every test of the page shares, written once for the three engines:
// the site served on 127.0.0.1 with a first script that records every game,
// freezes the clock (the board's seed) and keeps every error; a session in
// Chromium (playwright-core), Firefox ESR (puppeteer-core, WebDriver BiDi)
// or WebKitGTK (its WebDriver driving MiniBrowser under Xvfb) behind one
// small interface; the games, screen and layout as the page has them; the
// POSIX build's bytes for the same answers; and a hand's gestures.
//   MATCH3_SITE=build/web/site MATCH3_POSIX_GAME=build/default/match3 \
//     node --test tests/web/
import assert from "node:assert/strict";
import { execFileSync, spawn } from "node:child_process";
import { cpSync, existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before } from "node:test";
import { setTimeout as sleep } from "node:timers/promises";
import { brotliCompressSync, gzipSync } from "node:zlib";

import { serveSite } from "../../tools/serve-site.mjs";

export { assertInView, layoutFigures } from "./layout-figures.mjs";

const require = createRequire(new URL("../../web/package.json", import.meta.url));
export const site = process.env.MATCH3_SITE;
const frozenTime = Date.UTC(2026, 11, 8, 12, 0, 0); // a whole second: the seed
export const frozenSeed = frozenTime / 1000;
export const kFarewell = "Thanks for playing ( Спасибо за игру )\n\x1b[0m\x1b[?25h";
// The answers of the scripted game, as typed: a move that clears a run, a
// move, and the end.
export const kScript = "y\ny\n1 1\nr\ny\n10 1\nu\nn\n";

// The site as built, with a first script that records every game and keeps
// every error, the same in every engine with no driver's help; its clock
// stands at the frozen second, or at `?seed=N`, or runs with `?seed=live`.
const kFirstScript = `<script>
  window.match3Page = { record: true };
  window.match3Errors = [];
  addEventListener("error", (event) => event.target === window && match3Errors.push(String(event.message)));
  addEventListener("unhandledrejection", (event) => match3Errors.push(String(event.reason)));
  const seed = new URLSearchParams(location.search).get("seed");
  if (seed !== "live") Date.now = () => (Number(seed) || ${frozenSeed}) * 1000;
</script>`;
export const served = {};
export function useSite() {
  before(async () => {
    served.folder = join(mkdtempSync(join(tmpdir(), "match3-served-")), "site");
    cpSync(site, served.folder, { recursive: true });
    const index = join(served.folder, "index.html");
    const page = Buffer.from(readFileSync(index, "utf8").replace("<head>", `<head>\n${kFirstScript}`));
    writeFileSync(index, page);
    writeFileSync(`${index}.gz`, gzipSync(page));
    writeFileSync(`${index}.br`, brotliCompressSync(page));
    served.server = await serveSite(served.folder); // served.server.folder = ... serves another
    served.origin = served.server.origin;
  });
  after(async () => {
    await chromiumBrowser?.then((browser) => browser.close());
    served.server?.close();
  });
}

// What each engine needs, and the Debian package that brings it.
const kMiniBrowser = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";
const kEngines = {
  chromium: [[process.env.MATCH3_CHROMIUM ?? "/usr/bin/chromium", "chromium"]],
  firefox: [["/usr/bin/firefox-esr", "firefox-esr"]],
  webkit: [["/usr/bin/WebKitWebDriver", "webkit2gtk-driver"], [kMiniBrowser, "webkit2gtk-driver"],
           ["/usr/bin/Xvfb", "xvfb"]],
};
export const missing = (engine) => kEngines[engine].filter(([path]) => !existsSync(path)).map(([, name]) => name);

// A session on a page of playwright-core or puppeteer-core, whose pages
// speak alike but for chords of keys.
const pageSession = (page, press) => ({
  page,
  goto: (url) => page.goto(url),
  reload: () => page.reload(),
  evaluate: (fn, arg) => page.evaluate(fn, arg),
  type: (text) => page.keyboard.type(text),
  press,
  click: async ({ x, y }) => page.mouse.click(x, y),
  drag: async (from, to) => {
    await page.mouse.move(from.x, from.y);
    await page.mouse.down();
    await page.mouse.move(to.x, to.y, { steps: 4 });
    await page.mouse.up();
  },
});

// Chromium, one browser for a test file and a context for each session;
// the session's `page` and `context` carry the cases only Chromium can
// play (touch, its protocol, the network). A phone's is touch and mobile,
// with `phone`; with `refuse`, the page's requests for that file fail. In
// every engine, `language` is the one the browser prefers (en-US unless
// said).
const kPhone = { hasTouch: true, isMobile: true, deviceScaleFactor: 2 };
let chromiumBrowser = null;
export const chromium = () => (chromiumBrowser ??= require("playwright-core").chromium.launch({
  executablePath: kEngines.chromium[0][0], ignoreDefaultArgs: ["--hide-scrollbars"], // scrollbars as desktops draw them
}));
export const launchPersistent = (profile) => require("playwright-core").chromium.launchPersistentContext(profile, {
  executablePath: kEngines.chromium[0][0],
});
async function chromiumSession(viewport, { phone = false, refuse = null, language = "en-US", ...options } = {}) {
  const context = await (await chromium()).newContext({ viewport, locale: language, ...(phone ? kPhone : {}), ...options });
  if (refuse) await context.route(`**/${refuse}`, (route) => route.abort());
  const page = await context.newPage();
  const problems = [];
  page.on("console", (message) => message.type() === "error" && problems.push(message.text()));
  page.on("request", (request) => request.url().startsWith(served.origin) || request.url().startsWith("file:") ||
                                  problems.push(`request: ${request.url()}`));
  page.on("requestfailed", (request) => problems.push(`failed: ${request.url()}`));
  return { ...pageSession(page, (...keys) => page.keyboard.press(keys.join("+"))), context, problems,
           close: () => context.close() };
}

async function firefoxSession(viewport, { language = "en-US" } = {}) {
  const puppeteer = require("puppeteer-core");
  const browser = await puppeteer.launch({ browser: "firefox", executablePath: kEngines.firefox[0][0], headless: true,
                                           extraPrefsFirefox: { "intl.accept_languages": language } });
  const page = await browser.newPage();
  await page.setViewport(viewport);
  return { ...pageSession(page, async (...keys) => {
    for (const key of keys.slice(0, -1)) await page.keyboard.down(key);
    await page.keyboard.press(keys.at(-1));
    for (const key of keys.slice(0, -1).reverse()) await page.keyboard.up(key);
  }), problems: [], close: () => browser.close() };
}

// WebDriver's codes for the keys that are not characters.
const kWebDriverKeys = { "\r": "\uE007", Enter: "\uE007", Tab: "\uE004", Shift: "\uE008", Control: "\uE009", Escape: "\uE00C" };

async function webkitSession(viewport, { language = "en-US" } = {}) {
  const display = `:${90 + Math.floor(Math.random() * 900)}`;
  const port = 4400 + Math.floor(Math.random() * 1000);
  const xvfb = spawn("Xvfb", [display, "-screen", "0", "1600x1000x24"], { stdio: "ignore" });
  // WebKit prefers the language of its locale (en-US in C's), made here
  // for another.
  const env = { ...process.env, DISPLAY: display };
  if (language !== "en-US") {
    const locale = language.replace("-", "_");
    Object.assign(env, { LOCPATH: mkdtempSync(join(tmpdir(), "match3-locale-")), LC_ALL: `${locale}.UTF-8` });
    execFileSync("localedef", ["-i", locale, "-f", "UTF-8", join(env.LOCPATH, env.LC_ALL)]);
  }
  const driver = spawn("WebKitWebDriver", [`--port=${port}`], { stdio: "ignore", env });
  const stop = () => {
    [driver, xvfb].forEach((child) => child.kill());
    if (env.LOCPATH) rmSync(env.LOCPATH, { recursive: true });
  };
  const call = async (method, path, body) => {
    const response = await fetch(`http://127.0.0.1:${port}${path}`, {
      method, headers: { "Content-Type": "application/json" }, body: body && JSON.stringify(body),
    });
    const { value } = await response.json();
    if (value?.error) throw new Error(`WebDriver ${path}: ${value.error}: ${value.message}`);
    return value;
  };
  let session;
  for (let tries = 0; session === undefined; ++tries) {
    await sleep(200);
    session = await call("POST", "/session", { capabilities: { alwaysMatch: {
      browserName: "MiniBrowser", "webkitgtk:browserOptions": { binary: kMiniBrowser, args: ["--automation"] },
    } } }).catch((error) => (tries < 75 ? undefined : (stop(), Promise.reject(error))));
  }
  const at = `/session/${session.sessionId}`;
  // The window's rectangle holds the browser's frame: set it, then make up
  // the difference.
  await call("POST", `${at}/window/rect`, viewport);
  const inner = await call("POST", `${at}/execute/sync`, { script: "return [innerWidth, innerHeight]", args: [] });
  await call("POST", `${at}/window/rect`, { width: 2 * viewport.width - inner[0], height: 2 * viewport.height - inner[1] });
  const actions = (type, steps) => call("POST", `${at}/actions`, { actions: [{ type, id: type, ...(type === "pointer" ? { parameters: { pointerType: "mouse" } } : {}), actions: steps }] });
  const move = ({ x, y }) => ({ type: "pointerMove", x: Math.round(x), y: Math.round(y), origin: "viewport", duration: 0 });
  const keys = (list) => list.map((key) => kWebDriverKeys[key] ?? key);
  return {
    goto: (url) => call("POST", `${at}/url`, { url }),
    reload: () => call("POST", `${at}/refresh`, {}),
    evaluate: async (fn, arg) => {
      const script = `const done = arguments[1]; Promise.resolve((${fn})(arguments[0]))` +
                     ".then((value) => done({ value }), (error) => done({ error: String(error) }));";
      const { value, error } = await call("POST", `${at}/execute/async`, { script, args: [arg ?? null] });
      if (error) throw new Error(error);
      return value;
    },
    type: (text) => actions("key", keys([...text]).flatMap((value) => [{ type: "keyDown", value }, { type: "keyUp", value }])),
    press: (...list) => actions("key", [...keys(list).map((value) => ({ type: "keyDown", value })),
                                        ...keys(list).reverse().map((value) => ({ type: "keyUp", value }))]),
    click: (point) => actions("pointer", [move(point), { type: "pointerDown", button: 0 }, { type: "pointerUp", button: 0 }]),
    drag: (from, to) => actions("pointer", [move(from), { type: "pointerDown", button: 0 },
      ...[0.25, 0.5, 0.75, 1].map((share) => move({ x: from.x + (to.x - from.x) * share, y: from.y + (to.y - from.y) * share })),
      { type: "pointerUp", button: 0 }]),
    problems: [],
    close: async () => {
      await call("DELETE", at).catch(() => {});
      stop();
    },
  };
}

const kOpen = { chromium: chromiumSession, firefox: firefoxSession, webkit: webkitSession };

// Plays `play(session)` on the served page (at `path`) in `engine`: any
// script error or unhandled rejection there, or in Chromium an error on its
// console or a request that leaves the site, fails it.
export async function withPage(play, { engine = "chromium", viewport = { width: 1280, height: 800 }, path = "/",
                                       ...options } = {}) {
  assert.deepEqual(missing(engine), [], `${engine} needs: apt-get install ${missing(engine).join(" ")}`);
  const session = await kOpen[engine](viewport, options);
  try {
    await session.goto(`${served.origin}${path}`);
    await play(session);
    const errors = await session.evaluate(() => window.match3Errors ?? []);
    assert.deepEqual([...errors, ...session.problems], []);
  } finally {
    await session.close();
  }
}

// Game `index` as the page recorded it: what it wrote and read so far, as
// text, its status, the questions it asked and how it ended.
const recordOf = (at) => {
  const game = window.match3Page.games?.[at];
  if (!game) return null;
  const text = (chunks) => new TextDecoder().decode(new Uint8Array(chunks.flatMap((chunk) => [...chunk])));
  return { text: text(game.output), read: text(game.input), status: game.status, questions: game.questions,
           ended: game.ending?.ended ?? null };
};
export const gameOf = (session, index = 0) => session.evaluate(recordOf, index);

// What `get()` gives once `predicate` holds of it, within 30 seconds.
export async function until(get, predicate, what) {
  let value = null;
  for (let tries = 0; tries < 300; ++tries, await sleep(100)) {
    value = await get();
    if (value !== null && predicate(value)) return value;
  }
  return assert.fail(`${what}: ${JSON.stringify(value)?.slice(-400)}`);
}
export const waitFor = (session, index, predicate) =>
  until(() => gameOf(session, index), predicate, `waited in vain for game ${index}`);

// Waits until game `index` has asked `count` questions, the last `question`.
export const asked = (session, index, question, count) => waitFor(session, index, (game) =>
  game.questions.length === count && game.questions.at(-1) === question);
export const ended = (session, index = 0) => waitFor(session, index, (game) => game.status !== null);

// Types `script` into the terminal a line at a time, each once the game has
// read the line before it; a last line without its end is left unfinished.
export async function typeLines(session, script, index = 0) {
  let typed = (await gameOf(session, index))?.read ?? "";
  for (const line of script.split(/(?<=\n)/)) {
    typed += line;
    await session.type(line.replaceAll("\n", "\r"));
    if (line.endsWith("\n")) await waitFor(session, index, (game) => game.read === typed || game.status !== null);
  }
}

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
function masked(text) {
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
export async function assertPlayedAsTyped(session, script = kScript) {
  const game = await ended(session);
  assert.equal(game.status, 0);
  assert.equal(game.read, script);
  assert.equal(masked(game.text), masked(posixOutput(script)));
}

// Each tile cell of the top rows of the page's terminal, letter and
// foreground (a palette number), and each row's text.
const cellsOf = () => {
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
};

// The screen once `predicate` holds: the terminal draws what it is given a
// moment after the game has written it.
export const screenWhen = (session, predicate) =>
  until(() => session.evaluate(cellsOf), predicate, "the screen never showed it");

// The board's tile at row `row`, column `column` (from 1), and where an
// element stands: its centre, moved by shares of its size.
export const tile = (row, column) => `#board [role=row]:nth-child(${row}) [role=gridcell]:nth-child(${column}) button`;
export const pointOf = (session, selector, across = 0, down = 0) => session.evaluate(([at, x, y]) => {
  const box = document.querySelector(at).getBoundingClientRect();
  return { x: box.left + box.width * (0.5 + x), y: box.top + box.height * (0.5 + y), side: box.width };
}, [selector, across, down]);

// In Chromium: a tap on the touch screen where the element stands, whatever
// takes it there, the screen's touch events as `touch(type, points)`, and a
// swipe from one point to another.
export async function tapAt(session, selector) {
  const { x, y } = await pointOf(session, selector);
  await session.page.touchscreen.tap(x, y);
}
export async function touchScreen(session) {
  const cdp = await session.context.newCDPSession(session.page);
  return (type, touchPoints) => cdp.send("Input.dispatchTouchEvent", { type, touchPoints });
}
export async function swipe(session, from, to) {
  const touch = await touchScreen(session);
  const at = (share) => [{ x: from.x + (to.x - from.x) * share, y: from.y + (to.y - from.y) * share }];
  await touch("touchStart", at(0));
  for (const share of [0.5, 1]) await touch("touchMove", at(share));
  await touch("touchEnd", []);
  // A finger takes a moment before its next touch: a tap at once would be
  // taken by the browser as part of this gesture, and give no click.
  await sleep(300);
}
