// The page's figures, in headless chromium: the site's size (gzipped, and
// as the project's server sends it), the time from navigation to the first
// board drawn on a phone's link (empty cache, then a repeat visit through
// the service worker, five times each) and the requests before it, the
// time per turn of a long scripted game, and the page's memory before and
// after it.
//   node bench/web.mjs build/web/site [TURNS]      (make bench-web; TURNS 0: no long game)
import { execFileSync } from "node:child_process";
import { existsSync, readFileSync, readdirSync, statSync } from "node:fs";
import { createRequire } from "node:module";
import { join } from "node:path";
import { brotliCompressSync, gzipSync } from "node:zlib";

import { serveSite } from "../tools/serve-site.mjs";

const require = createRequire(new URL("../web/package.json", import.meta.url));
const { chromium } = require("playwright-core");
const site = process.argv[2] ?? "build/web/site";
const turns = Number(process.argv[3] ?? 10000);

// Every file of the site, by part, as a server sends it: compressed as the
// site carries it (file.gz, file.br), or else here; images as they are.
const partOf = (file) => (file.startsWith("match3.") ? "game" : file.startsWith("xterm/") ? "terminal"
  : file.endsWith(".png") ? "icons" : "page");
const sent = (file, suffix, compress) => (existsSync(`${file}${suffix}`) ? statSync(`${file}${suffix}`).size
  : compress(readFileSync(file)).length);
const parts = {};
// The source map aside: only a developer's tools ask for it.
for (const file of readdirSync(site, { recursive: true }).filter((name) => /\.(?!gz$|br$|map$)\w+$/.test(name))) {
  const path = join(site, file);
  const image = file.endsWith(".png");
  (parts[partOf(file)] ??= []).push({
    file,
    gzip: image ? statSync(path).size : sent(path, ".gz", (bytes) => gzipSync(bytes, { level: 9 })),
    brotli: image ? statSync(path).size : sent(path, ".br", brotliCompressSync),
  });
}
const kb = (bytes) => (bytes / 1000).toFixed(1);
const sum = (files, key) => files.reduce((total, file) => total + file[key], 0);
for (const [part, files] of Object.entries(parts)) {
  console.log(`${part.padEnd(9)} ${kb(sum(files, "gzip")).padStart(6)} KB gzipped, ${kb(sum(files, "brotli")).padStart(6)} KB brotli  ` +
              files.map((file) => `${file.file} ${kb(file.gzip)}`).join(", "));
}
const all = Object.values(parts).flat();
console.log(`the site  ${kb(sum(all, "gzip")).padStart(6)} KB gzipped, ${kb(sum(all, "brotli")).padStart(6)} KB brotli ` +
            `(${kb(sum(all.filter((file) => !file.file.endsWith(".png")), "gzip"))} KB gzipped without the icons)`);

const served = await serveSite(site);
const origin = `${served.origin}/`;
const browser = await chromium.launch({ executablePath: "/usr/bin/chromium" });

// A phone on a slow link: 150 ms a round trip, 1.6 Mbit/s down, 750 kbit/s
// up, a CPU four times slower.
async function asAPhone(page, cacheDisabled) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send("Network.enable");
  await cdp.send("Network.emulateNetworkConditions",
                 { offline: false, latency: 150, downloadThroughput: 200000, uploadThroughput: 93750 });
  await cdp.send("Emulation.setCPUThrottlingRate", { rate: 4 });
  await cdp.send("Network.setCacheDisabled", { cacheDisabled });
}

// Milliseconds from navigation until the terminal shows the first board and
// the start question under it. The page watches for it itself, at every
// frame, and tells the benchmark through a binding, so that no polling from
// here competes with the page for its (slowed) CPU.
async function watchForFirstBoard(context) {
  let drawn;
  await context.exposeBinding("match3FirstBoardDrawn", (source, at) => drawn(at));
  await context.addInitScript(() => {
    const look = () => {
      const buffer = window.match3Page?.terminal.buffer.active;
      if (buffer?.getLine(13)?.translateToString().startsWith("Do you want to start?")) {
        window.match3FirstBoardDrawn(performance.now());
      } else {
        requestAnimationFrame(look);
      }
    };
    requestAnimationFrame(look);
  });
  return (page) => new Promise((resolve) => {
    drawn = resolve;
    page.goto(origin, { waitUntil: "commit" });
  });
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const cold = [];
const repeat = [];
const requests = [];
for (let run = 0; run < 5; ++run) {
  const context = await browser.newContext();
  const untilDrawn = await watchForFirstBoard(context);
  const page = await context.newPage();
  await asAPhone(page, true);
  const asked = [];
  page.on("request", (request) => asked.push(request.url()));
  cold.push(await untilDrawn(page));
  requests.push(asked.length);
  // The repeat visit, once the service worker has kept the site.
  await page.waitForFunction(() => navigator.serviceWorker?.controller, null, { timeout: 20000 }).catch(() => {});
  const again = await context.newPage();
  await asAPhone(again, false);
  repeat.push(await untilDrawn(again));
  await context.close();
}
const figures = (values) => `${median(values).toFixed(0)} ms (median of ${values.length}; ${values.map((value) => value.toFixed(0)).join(", ")})`;
console.log(`first board drawn on a phone's link: ${figures(cold)} with an empty cache, ${figures(repeat)} on a repeat visit`);
console.log(`requests before the first board, empty cache: ${requests.join(", ")}`);

// The page's JavaScript heap once what is garbage has been collected, in MB.
async function heapSize(page) {
  const cdp = await page.context().newCDPSession(page);
  await cdp.send("HeapProfiler.collectGarbage");
  const { usedSize } = await cdp.send("Runtime.getHeapUsage");
  return (usedSize / 1e6).toFixed(1);
}

// A long game, typed ahead in pastes of 500 turns, each once the game has
// read most of the one before: turns that draw, clear and scan without
// moving a tile (tools/scripted-game with no real moves).
if (turns === 0) {
  await browser.close();
  served.close();
  process.exit(0);
}
const answers = execFileSync(new URL("../tools/scripted-game", import.meta.url).pathname,
                             [String(turns), "1", "0"]).toString();
const context = await browser.newContext();
const page = await context.newPage();
await (await watchForFirstBoard(context))(page);
const heapBefore = await heapSize(page);
const started = await page.evaluate(() => performance.now());
const lines = answers.split(/(?<=\n)/);
for (let first = 0; first < lines.length; first += 1500) {
  await page.waitForFunction(() => window.match3Page.typedAhead() < 4096, null, { polling: 5, timeout: 600000 });
  await page.evaluate((text) => window.match3Page.terminal.paste(text), lines.slice(first, first + 1500).join(""));
}
const ended = await page.waitForFunction(() => window.match3Page.games[0].status !== null && performance.now(),
                                         null, { polling: 50, timeout: 600000 }).then((handle) => handle.jsonValue());
console.log(`${turns} turns in ${((ended - started) / 1000).toFixed(2)} s: ` +
            `${((ended - started) / turns).toFixed(2)} ms a turn, drawn in the page's terminal`);
console.log(`the page's heap: ${heapBefore} MB at the first board, ${await heapSize(page)} MB after ${turns} turns`);
await browser.close();
served.close();
