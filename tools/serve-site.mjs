// Serves a folder on 127.0.0.1, as any static web host would: the page's
// test and benchmark use it, and it serves the built site to play with.
//   node tools/serve-site.mjs build/web/site [PORT]
import { readFileSync } from "node:fs";
import { createServer } from "node:http";
import { extname, join, normalize } from "node:path";
import { fileURLToPath } from "node:url";

const kTypes = { ".html": "text/html", ".js": "text/javascript", ".mjs": "text/javascript",
                 ".css": "text/css", ".wasm": "application/wasm", ".png": "image/png" };

// Starts serving `folder`; resolves to its address and a way to stop.
export async function serveSite(folder, port = 0) {
  const server = createServer((request, response) => {
    const path = normalize(new URL(request.url, "http://site").pathname);
    try {
      const body = readFileSync(join(folder, path.endsWith("/") ? join(path, "index.html") : path));
      response.writeHead(200, { "Content-Type": kTypes[extname(path)] ?? "text/html" }).end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(port, "127.0.0.1", resolve));
  return { origin: `http://127.0.0.1:${server.address().port}`, close: () => server.close() };
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const { origin } = await serveSite(process.argv[2] ?? "build/web/site", Number(process.argv[3] ?? 8000));
  console.log(`serving ${process.argv[2] ?? "build/web/site"} at ${origin}/`);
}
