// Serves a folder, on 127.0.0.1 unless told otherwise, as a good static web
// host would: the right types, text compressed (brotli or gzip, as the
// browser accepts; the site's own compressed files where it has them), and
// cache headers that have the browser check each file with the server
// (no-cache, with an ETag) rather than keep a stale one. Every request gets
// an answer and none stops the server: a malformed one 400, a path that
// leaves the folder 404, a method other than GET and HEAD 405, and a
// failure while serving 500 with a line in the log. The page's test and
// benchmark use it, and `make serve` serves the built site with it.
//   node tools/serve-site.mjs build/web/site [PORT] [HOST]
import { createHash } from "node:crypto";
import { existsSync, readFileSync, statSync } from "node:fs";
import { createServer } from "node:http";
import { networkInterfaces } from "node:os";
import { extname, join, normalize } from "node:path";
import { fileURLToPath } from "node:url";
import { brotliCompressSync, constants, gzipSync } from "node:zlib";

const kTypes = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".mjs": "text/javascript",
                 ".css": "text/css", ".wasm": "application/wasm", ".png": "image/png",
                 ".webmanifest": "application/manifest+json", ".json": "application/json",
                 ".map": "application/json" };
const kCompressed = new Set([".html", ".js", ".mjs", ".css", ".wasm", ".webmanifest", ".json", ".map"]);

// Each file as sent, by path, encoding and the file's time: the file
// compressed beside it (file.br, file.gz) where the site carries one made
// since the file, or else read and compressed here, once.
const kSuffixes = { br: ".br", gzip: ".gz" };
const made = new Map();
function body(file, encoding) {
  const time = statSync(file).mtimeMs;
  const key = `${file} ${encoding} ${time}`;
  if (!made.has(key)) {
    const beside = `${file}${kSuffixes[encoding] ?? ""}`;
    made.set(key, encoding === "identity" ? readFileSync(file)
      : existsSync(beside) && statSync(beside).mtimeMs > time ? readFileSync(beside)
      : encoding === "br" ? brotliCompressSync(readFileSync(file), { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } })
      : gzipSync(readFileSync(file), { level: 9 }));
  }
  return made.get(key);
}

// The file a request's path names in `folder`, or null for a path that
// could leave it: an encoded slash, backslash or NUL, or a ".." that
// climbs out. Throws URIError for a malformed escape.
function fileOf(folder, rawPath) {
  if (/%(2f|5c|00)/i.test(rawPath)) return null;
  const path = decodeURIComponent(rawPath);
  if (/[\\\0]/.test(path)) return null;
  const inside = normalize(path);
  if (!inside.startsWith("/") || inside.split("/").includes("..")) return null;
  return join(folder, inside.endsWith("/") ? join(inside, "index.html") : inside);
}

// "file", "folder", or null where there is nothing; other failures throw.
function kindOf(file) {
  try {
    return statSync(file).isDirectory() ? "folder" : "file";
  } catch (error) {
    if (error.code === "ENOENT" || error.code === "ENOTDIR") return null;
    throw error;
  }
}

function answer(site, request, response) {
  if (request.method !== "GET" && request.method !== "HEAD") {
    response.writeHead(405, { Allow: "GET, HEAD" }).end();
    return;
  }
  let url;
  let file;
  try {
    url = new URL(request.url, "http://site");
    file = fileOf(site.folder, url.pathname);
  } catch {
    response.writeHead(400).end();
    return;
  }
  const kind = file === null ? null : kindOf(file);
  if (kind === null) {
    response.writeHead(404).end();
    return;
  }
  if (kind === "folder") { // named without its slash
    const path = url.pathname.replace(/^\/+/, "/"); // never "//host", another site
    response.writeHead(301, { Location: `${path}/${url.search}` }).end();
    return;
  }
  const type = extname(file);
  const accepted = request.headers["accept-encoding"] ?? "";
  const encoding = !kCompressed.has(type) ? "identity"
    : /\bbr\b/.test(accepted) ? "br" : /\bgzip\b/.test(accepted) ? "gzip" : "identity";
  const bytes = body(file, encoding);
  const tag = `"${createHash("sha1").update(bytes).digest("base64url")}"`;
  const headers = { "Content-Type": kTypes[type] ?? "application/octet-stream", "Cache-Control": "no-cache",
                    ETag: tag, Vary: "Accept-Encoding" };
  if (encoding !== "identity") headers["Content-Encoding"] = encoding;
  if (request.headers["if-none-match"] === tag) {
    response.writeHead(304, headers).end();
    return;
  }
  headers["Content-Length"] = bytes.length;
  response.writeHead(200, headers).end(request.method === "HEAD" ? undefined : bytes);
}

// Starts serving `folder` (which `site.folder = ...` changes later) on
// `host`; resolves to its address and a way to stop.
export async function serveSite(folder, port = 0, host = "127.0.0.1") {
  const site = { folder };
  const server = createServer((request, response) => {
    try {
      answer(site, request, response);
    } catch (error) {
      console.error(`serve-site: ${request.method} ${request.url}: ${error.message}`);
      if (!response.headersSent) response.writeHead(500);
      response.end();
    }
  });
  await new Promise((resolve) => server.listen(port, host, resolve));
  const shown = host.includes(":") ? `[${host}]` : host;
  return Object.assign(site, { origin: `http://${shown}:${server.address().port}`, close: () => server.close() });
}

// The addresses at which a phone on the same network finds a server that
// listens on every address.
function localAddresses() {
  return Object.values(networkInterfaces()).flat()
    .filter((address) => address.family === "IPv4" && !address.internal).map((address) => address.address);
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const [folder = "build/web/site", port = "8000", host = "127.0.0.1"] = process.argv.slice(2);
  const { origin } = await serveSite(folder, Number(port), host);
  const everywhere = host === "0.0.0.0" || host === "::";
  const addresses = everywhere ? localAddresses().map((address) => `http://${address}:${port}/`) : [`${origin}/`];
  console.log(`serving ${folder} at ${addresses.join(" and ") || `${origin}/`} (Ctrl-C stops)`);
  if (everywhere) console.log("every machine that reaches this one can load the site while this runs");
}
