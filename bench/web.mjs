// The page's figures, in headless chromium: the site's size gzipped (the
// game, the terminal, the page), the time from navigation to the first
// board drawn, the time per turn of a long scripted game, and the page's
// memory before and after it.
//   node bench/web.mjs build/web/site [TURNS]      (make bench-web)
import { execFileSync } from "node:child_process";
import { readFileSync } from "node:fs";
import { createRequire } from "node:module";
import { join } from "node:path";
import { gzipSync } from "node:zlib";

import { serveSite } from "../tools/serve-site.mjs";

const require = createRequire(new URL("../web/package.json", import.meta.url));
const { chromium } = require("playwright-core");
const site = process.argv[2] ?? "build/web/site";
const turns = Number(process.argv[3] ?? 10000);

const parts = {
  game: ["match3.js", "match3.wasm"],
  terminal: ["xterm/xterm.js", "xterm/xterm.css", "xterm/addon-fit.js", "xterm/xterm-pty.mjs"],
  page: ["index.html", "page.js", "page.css"],
};
for (const [part, files] of Object.entries(parts)) {
  const sizes = files.map((file) => gzipSync(readFileSync(join(site, file)), { level: 9 }).length);
  const total = sizes.reduce((sum, size) => sum + size, 0);
  console.log(`${part.padEnd(9)} ${(total / 1000).toFixed(1).padStart(6)} KB gzipped  ` +
              files.map((file, at) => `${file} ${(sizes[at] / 1000).toFixed(1)}`).join(", "));
}

const served = await serveSite(site);
const origin = `${served.origin}/`;
const browser = await chromium.launch({ executablePath: "/usr/bin/chromium" });

// Milliseconds from navigation until game `at` has drawn its first board
// and asks whether to start.
const untilAsked = (page, at = 0) => page.waitForFunction((game) =>
  window.match3Page?.games[game]?.question === "start" && performance.now(),
  at, { polling: "raf", timeout: 600000 }).then((handle) => handle.jsonValue());
// Milliseconds from navigation until game `at` has ended.
const untilEnded = (page, at = 0) => page.waitForFunction((game) =>
  window.match3Page.games[game]?.status !== null && performance.now(),
  at, { polling: 50, timeout: 600000 }).then((handle) => handle.jsonValue());
// The page's JavaScript heap once what is garbage has been collected, in MB.
async function heapSize(page) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send("HeapProfiler.collectGarbage");
  const { usedSize } = await cdp.send("Runtime.getHeapUsage");
  return (usedSize / 1e6).toFixed(1);
}

const firstBoards = [];
for (let run = 0; run < 5; ++run) {
  const page = await browser.newPage();
  await page.goto(origin);
  firstBoards.push(await untilAsked(page));
  await page.close();
}
firstBoards.sort((a, b) => a - b);
console.log(`first board drawn ${firstBoards[2].toFixed(0)} ms after navigation (median of 5; ` +
            `${firstBoards[0].toFixed(0)} to ${firstBoards[4].toFixed(0)})`);

// A long game, typed ahead in pastes of 500 turns, each once the game has
// read most of the one before: turns that draw, clear and scan without
// moving a tile (tools/scripted-game with no real moves).
const answers = execFileSync(new URL("../tools/scripted-game", import.meta.url).pathname,
                             [String(turns), "1", "0"]).toString();
const page = await browser.newPage();
await page.goto(origin);
await untilAsked(page);
const heapBefore = await heapSize(page);
const started = await page.evaluate(() => performance.now());
const lines = answers.split(/(?<=\n)/);
for (let first = 0; first < lines.length; first += 1500) {
  await page.waitForFunction(() => window.match3Page.typedAhead() < 4096, null, { polling: 5, timeout: 600000 });
  await page.evaluate((text) => window.match3Page.terminal.paste(text), lines.slice(first, first + 1500).join(""));
}
const ended = await untilEnded(page);
console.log(`${turns} turns in ${((ended - started) / 1000).toFixed(2)} s: ` +
            `${((ended - started) / turns).toFixed(2)} ms a turn, drawn in the page's terminal`);
console.log(`the page's heap: ${heapBefore} MB at the first board, ${await heapSize(page)} MB after ${turns} turns`);
await browser.close();
served.close();
