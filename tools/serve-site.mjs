// Serves a folder on 127.0.0.1, as a good static web host would: the right
// types, text compressed (brotli or gzip, as the browser accepts; the
// site's own compressed files where it has them), and cache headers that
// have the browser check each file with the server (no-cache, with an
// ETag) rather than keep a stale one. The page's test and benchmark use
// it, and `make serve` serves the built site with it.
//   node tools/serve-site.mjs build/web/site [PORT]
import { createHash } from "node:crypto";
import { existsSync, readFileSync, statSync } from "node:fs";
import { createServer } from "node:http";
import { extname, join, normalize } from "node:path";
import { fileURLToPath } from "node:url";
import { brotliCompressSync, constants, gzipSync } from "node:zlib";

const kTypes = { ".html": "text/html; charset=utf-8", ".js": "text/javascript", ".mjs": "text/javascript",
                 ".css": "text/css", ".wasm": "application/wasm", ".png": "image/png",
                 ".webmanifest": "application/manifest+json", ".json": "application/json" };
const kCompressed = new Set([".html", ".js", ".mjs", ".css", ".wasm", ".webmanifest", ".json"]);

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

// Starts serving `folder` (which `site.folder = ...` changes later);
// resolves to its address and a way to stop.
export async function serveSite(folder, port = 0) {
  const site = { folder };
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, "http://site").pathname));
    const file = join(site.folder, path.endsWith("/") ? join(path, "index.html") : path);
    const kind = extname(file);
    const accepted = request.headers["accept-encoding"] ?? "";
    const encoding = !kCompressed.has(kind) ? "identity"
      : /\bbr\b/.test(accepted) ? "br" : /\bgzip\b/.test(accepted) ? "gzip" : "identity";
    let bytes;
    try {
      bytes = body(file, encoding);
    } catch {
      response.writeHead(404).end();
      return;
    }
    const tag = `"${createHash("sha1").update(bytes).digest("base64url")}"`;
    const headers = { "Content-Type": kTypes[kind] ?? "application/octet-stream", "Cache-Control": "no-cache",
                      ETag: tag, Vary: "Accept-Encoding" };
    if (encoding !== "identity") headers["Content-Encoding"] = encoding;
    if (request.headers["if-none-match"] === tag) {
      response.writeHead(304, headers).end();
      return;
    }
    response.writeHead(200, headers).end(request.method === "HEAD" ? undefined : bytes);
  });
  await new Promise((resolve) => server.listen(port, "127.0.0.1", resolve));
  return Object.assign(site, { origin: `http://127.0.0.1:${server.address().port}`, close: () => server.close() });
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const folder = process.argv[2] ?? "build/web/site";
  const { origin } = await serveSite(folder, Number(process.argv[3] ?? 8000));
  console.log(`serving ${folder} at ${origin}/ (Ctrl-C stops)`);
}
