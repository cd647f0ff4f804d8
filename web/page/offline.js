// The service worker keeps the site for playing offline. It is asked for
// once the page is idle after the first board, so that its downloads wait
// for the page's; where there is none (a private window, a host without
// it), the page plays as it is. A new site takes over when its worker is
// installed: the page says so, and `newVersionReady()` has the next game,
// never the one being played, start it.
export function askForWorker(updateNotice, newVersionReady) {
  if (!("serviceWorker" in navigator)) return;
  const updating = navigator.serviceWorker.controller !== null;
  navigator.serviceWorker.addEventListener("controllerchange", () => {
    if (!updating) return;
    updateNotice.hidden = false;
    newVersionReady();
  });
  const register = () => navigator.serviceWorker.register("sw.js").catch(() => {});
  if ("requestIdleCallback" in window) requestIdleCallback(register, { timeout: 2000 });
  else setTimeout(register, 500);
}
