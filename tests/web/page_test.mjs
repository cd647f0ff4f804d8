// The page in a real browser: Debian's chromium, driven by playwright-core,
// plays scripted games key by key and compares what the game wrote to the
// page's terminal with what the POSIX build writes to a pseudo-terminal.
//   MATCH3_SITE=build/web/site MATCH3_POSIX_GAME=build/default/match3 \
//     node --test tests/web/page_test.mjs
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { appendFileSync, cpSync, mkdtempSync, readFileSync, readdirSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { tmpdir } from "node:os";
import { dirname, join } from "node:path";
import { after, before, test } from "node:test";
import { brotliDecompressSync, gunzipSync } from "node:zlib";

import { serveSite } from "../../tools/serve-site.mjs";

const require = createRequire(new URL("../../web/package.json", import.meta.url));
const { chromium } = require("playwright-core");
const { AxeBuilder } = require("@axe-core/playwright");

const site = process.env.MATCH3_SITE;
const posixGame = process.env.MATCH3_POSIX_GAME;
const frozenTime = Date.UTC(2026, 11, 8, 12, 0, 0); // a whole second: the seed
const kRestore = "\x1b[0m\x1b[?25h";

let served;
let origin;
let browser;

before(async () => {
  served = await serveSite(site);
  origin = served.origin;
  browser = await chromium.launch({ executablePath: process.env.MATCH3_CHROMIUM ?? "/usr/bin/chromium" });
});

after(async () => {
  await browser?.close();
  served?.close();
});

// A page with its clock frozen, recording every game's bytes, watched for
// errors and for requests that leave the site; a phone's when `phone`.
const kPhone = { hasTouch: true, isMobile: true, deviceScaleFactor: 2 };
async function openPage(viewport = { width: 1280, height: 800 }, phone = false, options = {}) {
  const context = await browser.newContext({ viewport, ...(phone ? kPhone : {}), ...options });
  const page = await context.newPage();
  const problems = [];
  page.on("pageerror", (error) => problems.push(`error: ${error.message}`));
  page.on("console", (message) => message.type() === "error" && problems.push(message.text()));
  page.on("request", (request) => request.url().startsWith(origin) ||
                                  problems.push(`request: ${request.url()}`));
  page.on("requestfailed", (request) => problems.push(`failed: ${request.url()}`));
  await page.addInitScript(() => { window.match3Record = true; });
  await page.clock.setFixedTime(frozenTime);
  await page.goto(`${origin}/`);
  return { page, problems };
}

// What game `index` has written so far, as text, and its status.
const gameOf = (page, index) => page.evaluate((at) => {
  const game = window.match3Page.games[at];
  if (!game) return null;
  const text = (chunks) => {
    const bytes = new Uint8Array(chunks.reduce((size, chunk) => size + chunk.length, 0));
    chunks.reduce((offset, chunk) => (bytes.set(chunk, offset), offset + chunk.length), 0);
    return new TextDecoder().decode(bytes);
  };
  return { text: text(game.output), read: text(game.input), status: game.status, questions: game.questions };
}, index);

async function waitFor(page, index, predicate) {
  for (let tries = 0; tries < 600; ++tries) {
    const game = await gameOf(page, index);
    if (game && predicate(game)) return game;
    await page.waitForTimeout(50);
  }
  assert.fail(`waited in vain; game ${index} wrote: ${JSON.stringify(await gameOf(page, index))}`);
}

const count = (text, part) => text.split(part).length - 1;

// Types each answer once the game has asked for it: after the n-th question
// written, n counted over every question mark of the game.
async function play(page, index, answers) {
  for (const [question, answer] of answers) {
    await waitFor(page, index, (game) => count(game.text, question[0]) >= question[1]);
    for (const key of answer) await page.keyboard.press(key === "\n" ? "Enter" : key);
  }
}

// musl's rand(), which Emscripten's C library is: the first board for a seed.
function muslBoard(seed) {
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
function posixOutput(input) {
  const answers = join(mkdtempSync(join(tmpdir(), "match3-web-")), "answers");
  writeFileSync(answers, input);
  const command = `TERM=xterm-256color LANG=C.UTF-8 exec '${fixedClock}' '${posixGame}' < '${answers}'`;
  const output = execFileSync("script", ["-q", "-e", "-c", command, "/dev/null"],
                              { env: { PATH: process.env.PATH }, stdio: ["ignore", "pipe", "inherit"] });
  return output.toString("utf8").replaceAll("\r\n", "\n"); // the terminal's own CR
}

// Each tile cell of the top rows of the page's terminal, letter and
// foreground (a palette number), and each row's text.
const cells = (page) => page.evaluate(() => {
  const buffer = window.match3Page.terminal.buffer.active;
  const rows = [];
  for (let y = 0; y < 16; ++y) {
    const line = buffer.getLine(y);
    const row = [];
    for (let x = 0; x < 20; x += 2) {
      const cell = line.getCell(x);
      row.push({ letter: cell.getChars(), colour: cell.isFgPalette() ? cell.getFgColor() : -1 });
    }
    rows.push({ cells: row, text: line.translateToString(true) });
  }
  return rows;
});

// Every row of the page's terminal, as text.
const screenText = (page) => page.evaluate(() => {
  const buffer = window.match3Page.terminal.buffer.active;
  return Array.from({ length: buffer.length }, (_, y) => buffer.getLine(y).translateToString(true)).join("\n");
});

// The screen once `predicate` holds: the terminal draws what it is given a
// moment after the game has written it.
async function screenWhen(page, predicate) {
  for (let tries = 0; tries < 600; ++tries) {
    const rows = await cells(page);
    if (predicate(rows)) return rows;
    await page.waitForTimeout(50);
  }
  assert.fail(`the screen never showed it: ${(await cells(page)).map((row) => row.text).join("\n")}`);
}

// Pastes `text` into the terminal as the browser does with the clipboard.
const paste = (page, text) => page.evaluate((pasted) => {
  const clipboardData = new DataTransfer();
  clipboardData.setData("text/plain", pasted);
  document.activeElement.dispatchEvent(new ClipboardEvent("paste", { clipboardData, bubbles: true }));
}, text);

const START = ["(ввод на английском)\n\n", 1];
const play_ = (n) => ["чтобы играть) (ввод на английском)\n", n];
const COORDINATES = (n) => ["Y-1 )\n", n];
const DIRECTION = (n) => ["l-налево) (ввод на английском)\n", n];

test("a scripted game: the board of musl's rand, the colours, the Cyrillic, the POSIX bytes", async () => {
  const { page, problems } = await openPage();
  const first = await screenWhen(page, (rows) => rows[13].text.startsWith("Do you want to start?"));
  assert.deepEqual(first.slice(0, 10).flatMap((row) => row.cells.map((cell) => cell.letter)),
                   muslBoard(frozenTime / 1000));
  assert.ok(first.slice(0, 10).every((row) => row.cells.every((cell) => cell.colour === 2)),
            "every tile of the first board green");
  assert.ok(first[13].text.includes("хотите начать играть? (да, нет )"), first[13].text);

  const answers = "y\ny\n1 1\nr\ny\n10 1\nu\nn\n";
  await play(page, 0, [[START, "y\n"], [play_(1), "y\n"], [COORDINATES(1), "1 1\n"],
                       [DIRECTION(1), "r\n"]]);
  // The board after the clearing, at the top: the moved tile, now in row 1,
  // column 2, bright white, and every other tile green.
  const after = await screenWhen(page, (rows) => rows[14].text.startsWith(" enter y/n"));
  after.slice(0, 10).forEach((row, y) => row.cells.forEach((cell, x) =>
    assert.equal(cell.colour, y === 0 && x === 1 ? 15 : 2, `tile ${y + 1}, ${x + 1}`)));
  await page.screenshot({ path: join(dirname(site), "page.png") });
  await play(page, 0, [[play_(2), "y\n"], [COORDINATES(2), "10 1\n"], [DIRECTION(2), "u\n"],
                       [play_(3), "n\n"]]);
  const game = await waitFor(page, 0, (state) => state.status !== null);
  assert.equal(game.status, 0);
  assert.ok(game.text.endsWith(`Thanks for playing ( Спасибо за игру )\n${kRestore}`));
  assert.equal(masked(game.text), masked(posixOutput(answers)));
  assert.deepEqual(problems, []);
  await page.context().close();
});

test("Ctrl-D ends the input and Ctrl-C the game, the page then offers a new one, and a line is bounded", async () => {
  const { page, problems } = await openPage();
  await play(page, 0, [[START, "y\n"], [play_(1), "y\n"], [COORDINATES(1), "3"]]);
  await page.keyboard.press("Control+Z"); // means nothing in a page
  await page.keyboard.press("Enter");
  await page.keyboard.press("Control+D");
  const ended = await waitFor(page, 0, (game) => game.status !== null);
  assert.equal(ended.status, 0);
  assert.ok(await page.isVisible("#new-game"));
  await page.click("#terminal"); // the keys to the terminal, not the button
  await page.keyboard.type("xyz"); // between games: not echoed
  await page.waitForTimeout(200);
  assert.ok(!(await screenText(page)).includes("xyz"), await screenText(page));

  await page.keyboard.press("Enter"); // a new game
  await play(page, 1, [[START, "y\n"], [play_(1), "y\n"]]);
  await waitFor(page, 1, (game) => game.text.includes(COORDINATES(1)[0]));
  await page.keyboard.press("Control+C");
  const interrupted = await waitFor(page, 1, (game) => game.status !== null);
  assert.equal(interrupted.status, 130);
  assert.ok(interrupted.text.endsWith(`Y-1 )\n${kRestore}`), "the restore and nothing after it");

  await page.click("#new-game");
  await waitFor(page, 2, (game) => game.text.includes(START[0]));
  // A pasted line longer than a terminal holds loses its end: the "n" past
  // 4095 bytes never reaches the game, which goes on to its next question.
  assert.ok(await page.isHidden("#refused"));
  await paste(page, `y${" ".repeat(5000)}n`);
  await page.keyboard.press("Enter");
  await waitFor(page, 2, (game) => game.text.includes(play_(1)[0]));
  assert.ok(await page.isVisible("#refused"));
  assertInView(await layout(page), "with the notice");
  await play(page, 2, [[play_(1), "n\n"]]);
  const bounded = await waitFor(page, 2, (game) => game.status !== null);
  assert.equal(count(bounded.text, play_(1)[0]), 1);
  assert.ok(bounded.text.endsWith(`Thanks for playing ( Спасибо за игру )\n${kRestore}`));
  assert.deepEqual(problems, []);
  await page.context().close();
});

// Where the page stands: sideways overflow, and the top of the board, the
// row of the question the game waits at (the cursor's) and the bottom of
// the controls shown, against the window; and the terminal against its
// box. Taken once the page has drawn what changed.
const layout = (page) => page.evaluate(async () => {
  for (let frames = 0; frames < 2; ++frames) await new Promise(requestAnimationFrame);
  const { terminal } = window.match3Page;
  const screen = document.querySelector(".xterm-screen").getBoundingClientRect();
  const box = document.getElementById("terminal").getBoundingClientRect();
  const shown = [...document.querySelectorAll("#controls > *")].filter((element) => !element.hidden);
  return {
    overflow: document.documentElement.scrollWidth - innerWidth, scrollY,
    boardTop: screen.top, columns: terminal.cols, rows: terminal.rows,
    spareWidth: box.right - screen.right, cellWidth: screen.width / terminal.cols,
    spareHeight: box.bottom - screen.bottom, cellHeight: screen.height / terminal.rows,
    questionBottom: screen.top + (terminal.buffer.active.cursorY + 1) * (screen.height / terminal.rows),
    controlsBottom: Math.max(...shown.map((element) => element.getBoundingClientRect().bottom)),
    height: innerHeight, status: document.getElementById("status").textContent,
  };
});

// The page's layout shifts since it loaded, added up as Chromium counts them.
const layoutShift = (page) => page.evaluate(() => new Promise((done) => {
  let sum = 0;
  new PerformanceObserver((list) => list.getEntries().forEach((entry) => { sum += entry.hadRecentInput ? 0 : entry.value; }))
    .observe({ type: "layout-shift", buffered: true });
  setTimeout(() => done(sum), 200);
}));

function assertInView(figures, where) {
  assert.ok(figures.overflow <= 0 && figures.scrollY === 0 && figures.columns >= 50, `${where}: ${JSON.stringify(figures)}`);
  // The terminal fills its box to the last whole cell, and no further.
  assert.ok(figures.spareWidth >= 0 && figures.spareWidth < figures.cellWidth, `${where}: ${JSON.stringify(figures)}`);
  assert.ok(figures.spareHeight >= 0 && (figures.spareHeight < figures.cellHeight || figures.rows === 50),
            `${where}: ${JSON.stringify(figures)}`);
  assert.ok(figures.boardTop >= 0 && figures.questionBottom <= figures.height, `${where}: ${JSON.stringify(figures)}`);
  assert.ok(figures.controlsBottom <= figures.height, `${where}: ${JSON.stringify(figures)}`);
}

// Waits until game `index` has asked `count` questions, the last `question`.
const asked = (page, index, question, count) => waitFor(page, index, (game) =>
  game.questions.length === count && game.questions.at(-1) === question);

const typeLine = async (page, text) => {
  await page.fill("#typed", text);
  await page.press("#typed", "Enter");
};

test("on every screen the board, the question and the controls are in view, at every question and every end", async () => {
  const screens = [[{ width: 360, height: 640 }, true, "n", "The game is over."],
                   [{ width: 390, height: 844 }, true, "Control+D", "The input ended (Ctrl-D)"],
                   [{ width: 844, height: 390 }, true, "Control+C", "You ended the game with Ctrl-C."],
                   [{ width: 1280, height: 800 }, false, "x", "The game is over."]];
  for (const [viewport, phone, end, words] of screens) {
    const where = `${viewport.width} x ${viewport.height}`;
    const { page, problems } = await openPage(viewport, phone);
    const answers = [["start", "y"], ["play", "y"], ["row", "3 4"], ["direction", "r"], ["play", end]];
    let count = 0;
    for (const [question, answer] of answers) {
      count += question === "direction" ? 2 : 1; // the row's question, then the column's
      await asked(page, 0, question, count);
      assertInView(await layout(page), `${where} at the ${question} question`);
      if (count === 1) assert.ok(await layoutShift(page) <= 0.02, `${where}: shifts ${await layoutShift(page)}`);
      if (answer.startsWith("Control+")) {
        await page.evaluate(() => window.match3Page.terminal.focus());
        await page.keyboard.press(answer);
      } else {
        await typeLine(page, answer);
      }
    }
    await waitFor(page, 0, (game) => game.status !== null);
    const ended = await layout(page);
    assertInView(ended, `${where} after ${end}`);
    assert.ok(ended.status.startsWith(words), ended.status);
    await page.click("#new-game");
    await asked(page, 1, "start", 1);
    assertInView(await layout(page), `${where} in a new game`);
    assert.deepEqual(problems, []);
    await page.context().close();
  }
});

// A swipe through the phone's touch screen, from one point to another.
async function swipe(page, from, to) {
  const cdp = await page.context().newCDPSession(page);
  const at = (share) => [{ x: from.x + (to.x - from.x) * share, y: from.y + (to.y - from.y) * share }];
  await cdp.send("Input.dispatchTouchEvent", { type: "touchStart", touchPoints: at(0) });
  for (const share of [0.5, 1]) await cdp.send("Input.dispatchTouchEvent", { type: "touchMove", touchPoints: at(share) });
  await cdp.send("Input.dispatchTouchEvent", { type: "touchEnd", touchPoints: [] });
}

const centre = async (locator) => {
  const box = await locator.boundingBox();
  return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
};
// A tap where the element stands, whatever takes it there.
const touch = async (page, locator) => {
  const { x, y } = await centre(locator);
  await page.touchscreen.tap(x, y);
};

// What a screen reader finds, once it finds every one of `texts`: the
// names in the page's accessibility tree.
async function accessibleNames(page, texts) {
  const cdp = await page.context().newCDPSession(page);
  let names = "";
  for (let tries = 0; tries < 100 && !texts.every((text) => names.includes(text)); ++tries) {
    await page.waitForTimeout(50);
    const { nodes } = await cdp.send("Accessibility.getFullAXTree");
    names = nodes.filter((node) => !node.ignored).map((node) => node.name?.value ?? "").join("\n");
  }
  return names;
}

async function assertNoViolation(page, when) {
  const { violations } = await new AxeBuilder({ page }).analyze();
  assert.deepEqual(violations.map((violation) => `${violation.id}: ${violation.help}`), [], when);
}

test("a game by touch alone on a phone reads what typing would, and a screen reader finds the game", async () => {
  const { page, problems } = await openPage({ width: 390, height: 844 }, true);
  const tile = (row, column) => page.locator("#tiles button").nth((row - 1) * 10 + column - 1);
  const button = (name) => page.getByRole("button", { name, exact: true });
  const first = await screenWhen(page, (rows) => rows[13].text.startsWith("Do you want to start?"));
  const seen = [first[0].text, first[9].text, " ( ваши очки ) your score: 0", first[13].text];
  const names = await accessibleNames(page, seen);
  assert.ok(seen.every((text) => names.includes(text)), names);
  assert.equal(await tile(3, 4).getAttribute("aria-label"), `row 3, column 4: ${first[2].cells[3].letter}`);
  await assertNoViolation(page, "at load");

  // Touches the question cannot take send nothing: a swipe or an arrow at
  // the start question, an arrow at the play question.
  await swipe(page, await centre(tile(1, 1)), await centre(tile(1, 4)));
  await touch(page, button("Swap right"));
  await button("Yes").tap();
  await asked(page, 0, "play", 2);
  await touch(page, button("Swap up"));
  // A swipe moves the tile, and a tap on a tile then on an arrow too.
  await swipe(page, await centre(tile(1, 1)), await centre(tile(1, 3)));
  await asked(page, 0, "play", 6);
  await assertNoViolation(page, "mid-game");
  await page.screenshot({ path: join(dirname(site), "phone.png") });
  await touch(page, tile(10, 1));
  await button("Swap up").tap();
  await asked(page, 0, "play", 10);
  await button("No").tap();
  const game = await waitFor(page, 0, (state) => state.status === 0);
  const answers = "y\ny\n1 1\nr\ny\n10 1\nu\nn\n";
  assert.equal(game.read, answers);
  assert.equal(masked(game.text), masked(posixOutput(answers)));
  await assertNoViolation(page, "after the game");
  assert.deepEqual(problems, []);
  await page.context().close();
});

test("a web user's keys: Ctrl+C copies a selection, Ctrl+V pastes answers, Tab leaves the terminal", async () => {
  const { page, problems } = await openPage();
  await page.context().grantPermissions(["clipboard-read", "clipboard-write"], { origin });
  await asked(page, 0, "start", 1);
  await page.evaluate(() => window.match3Page.terminal.select(0, 13, 21));
  await page.keyboard.press("Control+C");
  assert.equal(await page.evaluate(() => navigator.clipboard.readText()), "Do you want to start?");
  await page.evaluate(() => navigator.clipboard.writeText("y\ny\n"));
  await page.keyboard.press("Control+V");
  await asked(page, 0, "row", 3);
  assert.equal((await gameOf(page, 0)).read, "y\ny\n");
  const focused = () => page.evaluate(() => document.activeElement.className || document.activeElement.id);
  assert.equal(await focused(), "xterm-helper-textarea");
  await page.keyboard.press("Tab");
  assert.notEqual(await focused(), "xterm-helper-textarea");
  await page.keyboard.press("Shift+Tab");
  assert.equal(await focused(), "xterm-helper-textarea");
  assert.equal((await gameOf(page, 0)).status, null);
  assert.deepEqual(problems, []);
  await page.context().close();
});

// The site as an app: its manifest, its service worker, its server.
test("the site is installable, and its server sends every text file compressed", async () => {
  const profile = mkdtempSync(join(tmpdir(), "match3-profile-"));
  const context = await chromium.launchPersistentContext(profile, { executablePath: process.env.MATCH3_CHROMIUM ?? "/usr/bin/chromium" });
  const page = await context.newPage();
  await page.goto(`${origin}/`);
  await page.waitForFunction(() => window.match3Page?.games[0]?.question === "start");
  const cdp = await context.newCDPSession(page);
  const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
  assert.deepEqual(installabilityErrors, []);
  await context.close();
  // Each as the site carries it beside the file, and as the server sends it.
  for (const file of readdirSync(site, { recursive: true }).filter((name) => /\.(html|m?js|css|wasm|webmanifest)$/.test(name))) {
    const bytes = readFileSync(join(site, file));
    assert.deepEqual(gunzipSync(readFileSync(join(site, `${file}.gz`))), bytes, file);
    assert.deepEqual(brotliDecompressSync(readFileSync(join(site, `${file}.br`))), bytes, file);
    for (const encoding of ["br", "gzip"]) {
      const response = await fetch(`${origin}/${file}`, { headers: { "Accept-Encoding": encoding } });
      assert.equal(response.headers.get("content-encoding"), encoding, file);
      assert.equal(response.headers.get("cache-control"), "no-cache", file);
      assert.deepEqual(Buffer.from(await response.arrayBuffer()), bytes, `${file} in ${encoding}`);
    }
  }
});

test("after one visit the game plays offline, and a rebuilt site is in play by the second load", async () => {
  const { page, problems } = await openPage();
  await asked(page, 0, "start", 1);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  // It keeps every file of the site once (itself aside: the browser keeps
  // the worker), and not the compressed copies.
  const kept = await page.evaluate(async () => {
    const cache = await caches.open((await caches.keys())[0]);
    return (await cache.keys()).map((request) => new URL(request.url).pathname.slice(1)).sort();
  });
  const files = readdirSync(site, { recursive: true }).filter((name) => /\.(?!gz$|br$)\w+$/.test(name) && name !== "sw.js");
  assert.deepEqual(kept, ["", ...files].sort());
  await page.context().setOffline(true);
  await page.reload();
  const answers = "y\ny\n1 1\nr\ny\n10 1\nu\nn\n";
  await asked(page, 0, "start", 1);
  await page.keyboard.type(answers.replaceAll("\n", "\r"));
  const offline = await waitFor(page, 0, (game) => game.status !== null);
  assert.equal(masked(offline.text), masked(posixOutput(answers)));
  await page.context().setOffline(false);

  // A rebuilt site: one file changed, and the worker made anew for it.
  const rebuilt = join(mkdtempSync(join(tmpdir(), "match3-site-")), "site");
  cpSync(site, rebuilt, { recursive: true });
  appendFileSync(join(rebuilt, "page.css"), ":root { --rebuilt: yes; }\n");
  const source = new URL("../../web/", import.meta.url).pathname;
  execFileSync("cmake", [`-DSITE=${rebuilt}`, `-DTEMPLATE=${source}sw.js`, "-P", `${source}site_worker.cmake`]);
  served.folder = rebuilt;
  try {
    const rebuiltYet = () => page.evaluate(() => getComputedStyle(document.body).getPropertyValue("--rebuilt").trim());
    await page.reload(); // the old site, from the cache, while the new worker installs
    await asked(page, 0, "start", 1);
    await page.waitForSelector("#update", { state: "visible" });
    assert.equal(await rebuiltYet(), "");
    await page.reload();
    await asked(page, 0, "start", 1);
    assert.equal(await rebuiltYet(), "yes");
    assert.equal((await page.evaluate(() => caches.keys())).length, 1, "the old cache is gone");
  } finally {
    served.folder = site;
  }
  assert.deepEqual(problems, []);
  await page.context().close();
});

test("with service workers blocked the page plays all the same", async () => {
  const { page, problems } = await openPage(undefined, false, { serviceWorkers: "block" });
  await asked(page, 0, "start", 1);
  await page.keyboard.type("y\rn\r");
  const game = await waitFor(page, 0, (state) => state.status !== null);
  assert.ok(game.text.endsWith(`Thanks for playing ( Спасибо за игру )\n${kRestore}`));
  assert.deepEqual(problems, []);
  await page.context().close();
});
