// The project's server against requests a browser would never send: each
// gets its answer and none stops the server, which then serves a game.
import assert from "node:assert/strict";
import { cpSync, mkdirSync, mkdtempSync, symlinkSync, writeFileSync } from "node:fs";
import { connect } from "node:net";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { test } from "node:test";

import { serveSite } from "../../tools/serve-site.mjs";
import { asked, ended, kFarewell, served, typeLines, useSite, withPage } from "./harness.mjs";

useSite();

// Sends `request` as it stands on a socket of its own; resolves to the
// status line's code and the headers (or "closed" when the server hangs
// up without a word, as it does on a request cut off half-way).
const send = (origin, request, hangUp = false) => new Promise((done, failed) => {
  const { hostname, port } = new URL(origin);
  const socket = connect(Number(port), hostname, () => (hangUp ? socket.end(request) : socket.write(request)));
  let reply = "";
  socket.setTimeout(5000, () => failed(new Error(`no answer to ${JSON.stringify(request.slice(0, 60))}`)));
  socket.on("data", (data) => {
    reply += data.toString("latin1");
    if (reply.includes("\r\n\r\n")) socket.destroy();
  });
  socket.on("close", () => done(reply === "" ? "closed" : reply));
  socket.on("error", () => done(reply === "" ? "closed" : reply));
});
const get = (path, method = "GET", headers = "") => `${method} ${path} HTTP/1.1\r\nHost: site\r\n${headers}Connection: close\r\n\r\n`;

// A request, and the start of the answer it must get.
const kHostile = [
  [get("/%E0%A4%A"), "HTTP/1.1 400"],
  [get("/%2e%2e/%2e%2e/etc/passwd"), "HTTP/1.1 404"],
  [get("/../../etc/passwd"), "HTTP/1.1 404"],
  [get("/..%2f..%2fetc%2fpasswd"), "HTTP/1.1 404"],
  [get("/folder%2ffile.js"), "HTTP/1.1 404"],
  [get("/page.js%00.png"), "HTTP/1.1 404"],
  [get("/..\\..\\etc\\passwd"), "HTTP/1.1 404"],
  [get("/folder?x=1"), "HTTP/1.1 301"],
  [get("/", "DELETE"), "HTTP/1.1 405"],
  [get("/", "PROPFIND"), "HTTP/1.1 405"],
  [get("/", "BREW"), "HTTP/1.1 400"], // not HTTP at all: node's parser refuses it
  [get("/", "GET", `X-Long: ${"x".repeat(20000)}\r\n`), "HTTP/1.1 431"],
  [get("/index.html", "HEAD"), "HTTP/1.1 200"],
];

test("hostile requests each get their answer, and the server then serves a game", async () => {
  // The site, with a folder in it.
  const withFolder = join(mkdtempSync(join(tmpdir(), "match3-site-")), "site");
  cpSync(served.folder, withFolder, { recursive: true });
  mkdirSync(join(withFolder, "folder"));
  writeFileSync(join(withFolder, "folder", "file.js"), "");
  served.server.folder = withFolder;
  for (const [request, expected] of kHostile) {
    const reply = await send(served.origin, request);
    assert.ok(reply.startsWith(expected), `${request.slice(0, 40)}: ${reply.slice(0, 80)}`);
    if (expected.endsWith("405")) assert.match(reply, /\r\nAllow: GET, HEAD\r\n/);
    if (expected.endsWith("301")) assert.match(reply, /\r\nLocation: \/folder\/\?x=1\r\n/);
    if (request.startsWith("HEAD")) assert.ok(reply.endsWith("\r\n\r\n"), "HEAD: the headers alone");
  }
  const cut = await send(served.origin, "GET /index.html HTTP/1.1\r\nHost: si", true); // cut off half-way
  assert.ok(cut === "closed" || cut.startsWith("HTTP/1.1 400"), cut);
  await withPage(async (session) => {
    await asked(session, 0, "start", 1);
    await typeLines(session, "y\nn\n");
    assert.ok((await ended(session)).text.endsWith(kFarewell));
  });
  served.server.folder = served.folder;
});

test("a file the server cannot read answers 500, and the server goes on", async () => {
  const folder = mkdtempSync(join(tmpdir(), "match3-site-"));
  symlinkSync("loop.js", join(folder, "loop.js")); // a link to itself
  const server = await serveSite(folder);
  try {
    assert.ok((await send(server.origin, get("/loop.js"))).startsWith("HTTP/1.1 500"));
    assert.ok((await send(server.origin, get("/missing.js"))).startsWith("HTTP/1.1 404"));
  } finally {
    server.close();
  }
});
