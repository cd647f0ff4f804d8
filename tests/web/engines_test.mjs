// The page's core cases in each of the three engines, written once: the first
// board and a typed game with the POSIX build's bytes, a game by buttons and
// by mouse on the tiles, the layout wide and narrow with no scrollbar over
// the terminal, Tab and Ctrl-C, and offline after one visit. Any script
// error or unhandled rejection, in any engine, fails the case.
import assert from "node:assert/strict";
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, test } from "node:test";
import { setTimeout as sleep } from "node:timers/promises";

import { serveSite } from "../../tools/serve-site.mjs";
import { missing, openSession } from "./engines.mjs";
import { assertInView, frozenSeed, kFarewell, kScript, layoutFigures, masked, muslBoard, posixOutput,
         site } from "./harness.mjs";

// The site as built, with a first script that records every game, freezes
// the clock (the board's seed) and keeps every error: the same in every
// engine, with no driver's help.
const kFirstScript = `<script>
  window.match3Page = { record: true };
  window.match3Errors = [];
  addEventListener("error", (event) => match3Errors.push(String(event.message)));
  addEventListener("unhandledrejection", (event) => match3Errors.push(String(event.reason)));
  Date.now = () => ${frozenSeed * 1000};
</script>`;
let server;
before(async () => {
  const copy = join(mkdtempSync(join(tmpdir(), "match3-engines-")), "site");
  cpSync(site, copy, { recursive: true });
  const index = join(copy, "index.html");
  writeFileSync(index, readFileSync(index, "utf8").replace("<head>", `<head>\n${kFirstScript}`));
  ["gz", "br"].forEach((suffix) => rmSync(`${index}.${suffix}`));
  server = await serveSite(copy);
});
after(() => server?.close());

// Game `index` as the page recorded it, once `predicate` holds.
const gameOf = (at) => {
  const game = window.match3Page.games?.[at];
  if (!game) return null;
  const text = (chunks) => new TextDecoder().decode(new Uint8Array(chunks.flatMap((chunk) => [...chunk])));
  return { text: text(game.output), read: text(game.input), status: game.status, questions: game.questions };
};
async function waitFor(session, predicate, index = 0) {
  let game = null;
  for (let tries = 0; tries < 300; ++tries) {
    game = await session.evaluate(gameOf, index);
    if (game && predicate(game)) return game;
    await sleep(100);
  }
  assert.fail(`waited in vain; game ${index}: ${JSON.stringify(game)?.slice(-400)}`);
}
const atStart = (session, index = 0) => waitFor(session, (game) => game.questions.at(-1) === "start", index);

async function typeLines(session, script) {
  let typed = (await session.evaluate(gameOf, 0)).read;
  for (const line of script.split(/(?<=\n)/)) {
    typed += line;
    await session.type(line.replace("\n", "\r"));
    await waitFor(session, (game) => game.read === typed || game.status !== null);
  }
}

// Where an element stands: its centre, moved by shares of its size.
const pointOf = ([selector, across = 0, down = 0]) => {
  const box = document.querySelector(selector).getBoundingClientRect();
  return { x: box.left + box.width * (0.5 + across), y: box.top + box.height * (0.5 + down), side: box.width };
};
const tile = (row, column) => `#board [role=row]:nth-child(${row}) [role=gridcell]:nth-child(${column}) button`;

async function assertPlayedAsTyped(session) {
  const game = await waitFor(session, (state) => state.status !== null);
  assert.equal(game.status, 0);
  assert.equal(game.read, kScript);
  assert.equal(masked(game.text), masked(posixOutput(kScript)));
}

// The narrowest window each engine takes (MiniBrowser's is about 450 px).
const kNarrow = { chromium: 390, firefox: 390, webkit: 450 };

const kCases = {
  "the first board, and a typed game with the POSIX build's bytes": async (session) => {
    await atStart(session);
    const tiles = () => session.evaluate(() => [...document.querySelectorAll("#board button")].map((b) => b.textContent));
    for (let tries = 0; tries < 50 && (await tiles())[0] === ""; ++tries) await sleep(100); // drawn at the next frame
    assert.deepEqual(await tiles(), muslBoard(frozenSeed));
    await typeLines(session, kScript);
    await assertPlayedAsTyped(session);
  },
  "a game by the buttons and by mouse clicks and a drag on the tiles": async (session) => {
    await atStart(session);
    await session.click(await session.evaluate(pointOf, ["[data-answer=y]"]));
    await waitFor(session, (game) => game.questions.length === 2);
    await session.click(await session.evaluate(pointOf, [tile(1, 1), 0.3, 0.3]));
    await session.click(await session.evaluate(pointOf, ["[data-direction=r]"]));
    await waitFor(session, (game) => game.questions.length === 6);
    const from = await session.evaluate(pointOf, [tile(10, 1), 0.2, 0]);
    await session.drag(from, { x: from.x, y: from.y - 0.5 * from.side });
    await waitFor(session, (game) => game.questions.length === 10);
    await session.click(await session.evaluate(pointOf, ["[data-answer=n]"]));
    await assertPlayedAsTyped(session);
  },
  "Tab leaves the terminal and comes back, and Ctrl-C ends the game": async (session) => {
    await atStart(session);
    const focused = () => session.evaluate(() => document.activeElement.className || document.activeElement.id);
    assert.equal(await focused(), "xterm-helper-textarea");
    await session.press("Tab");
    assert.notEqual(await focused(), "xterm-helper-textarea");
    await session.press("Shift", "Tab");
    assert.equal(await focused(), "xterm-helper-textarea");
    await session.press("Control", "c");
    assert.equal((await waitFor(session, (game) => game.status !== null)).status, 130);
  },
  "after one visit the game plays offline": async (session) => {
    await atStart(session);
    await session.evaluate(() => navigator.serviceWorker.ready.then(() => new Promise((done) => {
      const look = () => (navigator.serviceWorker.controller ? done() : setTimeout(look, 50));
      look();
    })));
    const folder = server.folder;
    server.folder = mkdtempSync(join(tmpdir(), "match3-nothing-")); // every request now 404
    try {
      await session.reload();
      await atStart(session);
      await typeLines(session, "y\nn\n");
      assert.ok((await waitFor(session, (game) => game.status !== null)).text.endsWith(kFarewell));
    } finally {
      server.folder = folder;
    }
  },
};

for (const engine of ["chromium", "firefox", "webkit"]) {
  const needs = missing(engine);
  for (const [name, play] of Object.entries(kCases)) {
    test(`${engine}: ${name}`, async () => {
      assert.deepEqual(needs, [], `${engine} needs: apt-get install ${needs.join(" ")}`);
      const session = await openSession[engine]({ width: 1280, height: 800 });
      try {
        await session.goto(`${server.origin}/`);
        await play(session);
        assert.deepEqual(await session.evaluate(() => window.match3Errors), []);
      } finally {
        await session.close();
      }
    });
  }
  test(`${engine}: the layout wide and narrow, with no scrollbar over the terminal`, async () => {
    assert.deepEqual(needs, [], `${engine} needs: apt-get install ${needs.join(" ")}`);
    for (const width of [1280, kNarrow[engine]]) {
      const session = await openSession[engine]({ width, height: 800 });
      try {
        await session.goto(`${server.origin}/`);
        await atStart(session);
        assertInView(await session.evaluate(layoutFigures), 24, `${engine} at ${width} x 800`);
        assert.deepEqual(await session.evaluate(() => window.match3Errors), []);
      } finally {
        await session.close();
      }
    }
  });
}
