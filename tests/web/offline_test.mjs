// The site as an app, in Chromium: installable, its files compressed as its
// server sends them, kept whole by its service worker, a rebuilt site taking
// over by the second load, and playing all the same where service workers
// are blocked.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { appendFileSync, cpSync, mkdtempSync, readFileSync, readdirSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";
import { brotliDecompressSync, gunzipSync } from "node:zlib";

import { asked, ended, kFarewell, launchPersistent, served, typeLines, useSite, withPage } from "./harness.mjs";

useSite();

test("the site is installable, and its server sends every text file compressed", async () => {
  const context = await launchPersistent(mkdtempSync(join(tmpdir(), "match3-profile-")));
  const page = await context.newPage();
  await page.goto(`${served.origin}/`);
  await page.waitForFunction(() => document.querySelector("#board button").textContent !== "");
  const cdp = await context.newCDPSession(page);
  const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
  assert.deepEqual(installabilityErrors, []);
  await context.close();
  // Each as the site carries it beside the file, and as the server sends it.
  const site = served.folder;
  for (const file of readdirSync(site, { recursive: true }).filter((name) => /\.(html|m?js|css|wasm|webmanifest)$/.test(name))) {
    const bytes = readFileSync(join(site, file));
    assert.deepEqual(gunzipSync(readFileSync(join(site, `${file}.gz`))), bytes, file);
    assert.deepEqual(brotliDecompressSync(readFileSync(join(site, `${file}.br`))), bytes, file);
    for (const encoding of ["br", "gzip"]) {
      const response = await fetch(`${served.origin}/${file}`, { headers: { "Accept-Encoding": encoding } });
      assert.equal(response.headers.get("content-encoding"), encoding, file);
      assert.equal(response.headers.get("cache-control"), "no-cache", file);
      assert.deepEqual(Buffer.from(await response.arrayBuffer()), bytes, `${file} in ${encoding}`);
    }
  }
});

test("the worker keeps every file of the site, and a rebuilt site is in play by the second load", () => withPage(async (session) => {
  const { page } = session;
  const site = served.folder;
  await asked(session, 0, "start", 1);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  // It keeps every file of the site once (itself aside: the browser keeps
  // the worker), and not the compressed copies or the source map.
  const kept = await page.evaluate(async () => {
    const cache = await caches.open((await caches.keys())[0]);
    return (await cache.keys()).map((request) => new URL(request.url).pathname.slice(1)).sort();
  });
  const files = readdirSync(site, { recursive: true }).filter((name) => /\.(?!gz$|br$|map$)\w+$/.test(name) && name !== "sw.js");
  assert.deepEqual(kept, ["", ...files].sort());

  // A rebuilt site: one file changed, and the worker made anew for it.
  const rebuilt = join(mkdtempSync(join(tmpdir(), "match3-site-")), "site");
  cpSync(site, rebuilt, { recursive: true });
  appendFileSync(join(rebuilt, "page.css"), ":root { --rebuilt: yes; }\n");
  const source = new URL("../../web/", import.meta.url).pathname;
  execFileSync("cmake", [`-DSITE=${rebuilt}`, `-DTEMPLATE=${source}sw.js`, "-P", `${source}site_worker.cmake`]);
  served.server.folder = rebuilt;
  try {
    const rebuiltYet = () => page.evaluate(() => getComputedStyle(document.body).getPropertyValue("--rebuilt").trim());
    await page.reload(); // the old site, from the cache, while the new worker installs
    await asked(session, 0, "start", 1);
    await page.waitForSelector("#update", { state: "visible" });
    assert.match(await page.textContent("#update"), /starts with the next game/);
    assert.equal(await rebuiltYet(), "");
    // The game goes on to its end; New game then brings the new version.
    await typeLines(session, "y\nn\n");
    await ended(session);
    await page.click("#new-game");
    await asked(session, 0, "start", 1);
    assert.equal(await rebuiltYet(), "yes");
    assert.equal((await page.evaluate(() => caches.keys())).length, 1, "the old cache is gone");
  } finally {
    served.server.folder = site;
  }
}));

test("with service workers blocked the page plays all the same", () => withPage(async (session) => {
  await asked(session, 0, "start", 1);
  await typeLines(session, "y\nn\n");
  assert.ok((await ended(session)).text.endsWith(kFarewell));
}, { serviceWorkers: "block" }));

