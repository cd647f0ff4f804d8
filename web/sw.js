// The page's service worker: every file of the site, kept in a cache named
// from the site's content (made when the site is built), so that the game
// plays offline after one visit. A changed site brings a changed worker,
// which fills a cache of its own, takes over at once and drops the old one;
// the page says a new version is ready, and the next load plays it.
const kFiles = [@MATCH3_SITE_FILES@];
const kPrefix = `match3 ${self.registration.scope} `;
const kCache = `${kPrefix}@MATCH3_SITE_VERSION@`;

self.addEventListener("install", (event) => {
  // Checked with the server, not taken from the browser's own cache.
  const requests = kFiles.map((file) => new Request(file, { cache: "no-cache" }));
  event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(requests)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  const old = (name) => name.startsWith(kPrefix) && name !== kCache;
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter(old).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(kCache)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((kept) => kept ?? fetch(event.request)));
});
