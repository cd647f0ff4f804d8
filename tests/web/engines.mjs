// The three browser engines behind one small interface, so that a case is
// written once and run in each: Chromium through playwright-core, Firefox
// ESR through puppeteer-core (WebDriver BiDi), WebKitGTK through its
// WebDriver (WebKitWebDriver driving MiniBrowser under Xvfb). A session
// opens a page of a given size and can evaluate a function in it, type,
// press keys, click, drag and reload.
import { spawn } from "node:child_process";
import { existsSync } from "node:fs";
import { createRequire } from "node:module";
import { setTimeout as sleep } from "node:timers/promises";

const require = createRequire(new URL("../../web/package.json", import.meta.url));

const kMiniBrowser = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser";
// What each engine needs, and the Debian package that brings it.
export const kEngines = {
  chromium: [[process.env.MATCH3_CHROMIUM ?? "/usr/bin/chromium", "chromium"]],
  firefox: [["/usr/bin/firefox-esr", "firefox-esr"]],
  webkit: [["/usr/bin/WebKitWebDriver", "webkit2gtk-driver"], [kMiniBrowser, "webkit2gtk-driver"],
           ["/usr/bin/Xvfb", "xvfb"]],
};
export function missing(engine) {
  return kEngines[engine].filter(([path]) => !existsSync(path)).map(([, name]) => name);
}

// A session on a page of playwright-core or puppeteer-core, whose pages
// speak alike but for chords of keys.
function pageSession(browser, page, press) {
  return {
    goto: (url) => page.goto(url),
    reload: () => page.reload(),
    evaluate: (fn, arg) => page.evaluate(fn, arg),
    type: (text) => page.keyboard.type(text),
    press,
    click: async ({ x, y }) => page.mouse.click(x, y),
    drag: async (from, to) => {
      await page.mouse.move(from.x, from.y);
      await page.mouse.down();
      await page.mouse.move(to.x, to.y, { steps: 4 });
      await page.mouse.up();
    },
    close: () => browser.close(),
  };
}

async function chromiumSession(viewport) {
  const { chromium } = require("playwright-core");
  const browser = await chromium.launch({ executablePath: kEngines.chromium[0][0], ignoreDefaultArgs: ["--hide-scrollbars"] });
  const page = await (await browser.newContext({ viewport })).newPage();
  return pageSession(browser, page, (...keys) => page.keyboard.press(keys.join("+")));
}

async function firefoxSession(viewport) {
  const puppeteer = require("puppeteer-core");
  const browser = await puppeteer.launch({ browser: "firefox", executablePath: kEngines.firefox[0][0], headless: true });
  const page = await browser.newPage();
  await page.setViewport(viewport);
  return pageSession(browser, page, async (...keys) => {
    for (const key of keys.slice(0, -1)) await page.keyboard.down(key);
    await page.keyboard.press(keys.at(-1));
    for (const key of keys.slice(0, -1).reverse()) await page.keyboard.up(key);
  });
}

// WebDriver's codes for the keys that are not characters.
const kWebDriverKeys = { "\r": "\uE007", Enter: "\uE007", Tab: "\uE004", Shift: "\uE008", Control: "\uE009" };

async function webkitSession(viewport) {
  const display = `:${90 + Math.floor(Math.random() * 900)}`;
  const port = 4400 + Math.floor(Math.random() * 1000);
  const xvfb = spawn("Xvfb", [display, "-screen", "0", "1600x1000x24"], { stdio: "ignore" });
  const driver = spawn("WebKitWebDriver", [`--port=${port}`], { stdio: "ignore", env: { ...process.env, DISPLAY: display } });
  const stop = () => [driver, xvfb].forEach((child) => child.kill());
  const call = async (method, path, body) => {
    const response = await fetch(`http://127.0.0.1:${port}${path}`, {
      method, headers: { "Content-Type": "application/json" }, body: body && JSON.stringify(body),
    });
    const { value } = await response.json();
    if (value?.error) throw new Error(`WebDriver ${path}: ${value.error}: ${value.message}`);
    return value;
  };
  let session;
  for (let tries = 0; session === undefined; ++tries) {
    await sleep(200);
    session = await call("POST", "/session", { capabilities: { alwaysMatch: {
      browserName: "MiniBrowser", "webkitgtk:browserOptions": { binary: kMiniBrowser, args: ["--automation"] },
    } } }).catch((error) => (tries < 25 ? undefined : (stop(), Promise.reject(error))));
  }
  const at = `/session/${session.sessionId}`;
  // The window's rectangle holds the browser's frame: set it, then make up
  // the difference.
  await call("POST", `${at}/window/rect`, viewport);
  const inner = await call("POST", `${at}/execute/sync`, { script: "return [innerWidth, innerHeight]", args: [] });
  await call("POST", `${at}/window/rect`, { width: 2 * viewport.width - inner[0], height: 2 * viewport.height - inner[1] });
  const actions = (type, steps) => call("POST", `${at}/actions`, { actions: [{ type, id: type, ...(type === "pointer" ? { parameters: { pointerType: "mouse" } } : {}), actions: steps }] });
  const move = ({ x, y }) => ({ type: "pointerMove", x: Math.round(x), y: Math.round(y), origin: "viewport", duration: 0 });
  const keys = (list) => list.map((key) => kWebDriverKeys[key] ?? key);
  return {
    goto: (url) => call("POST", `${at}/url`, { url }),
    reload: () => call("POST", `${at}/refresh`, {}),
    evaluate: async (fn, arg) => {
      const script = `const done = arguments[1]; Promise.resolve((${fn})(arguments[0]))` +
                     ".then((value) => done({ value }), (error) => done({ error: String(error) }));";
      const { value, error } = await call("POST", `${at}/execute/async`, { script, args: [arg ?? null] });
      if (error) throw new Error(error);
      return value;
    },
    type: (text) => actions("key", keys([...text]).flatMap((value) => [{ type: "keyDown", value }, { type: "keyUp", value }])),
    press: (...list) => actions("key", [...keys(list).map((value) => ({ type: "keyDown", value })),
                                        ...keys(list).reverse().map((value) => ({ type: "keyUp", value }))]),
    click: (point) => actions("pointer", [move(point), { type: "pointerDown", button: 0 }, { type: "pointerUp", button: 0 }]),
    drag: (from, to) => actions("pointer", [move(from), { type: "pointerDown", button: 0 },
      ...[0.25, 0.5, 0.75, 1].map((share) => move({ x: from.x + (to.x - from.x) * share, y: from.y + (to.y - from.y) * share })),
      { type: "pointerUp", button: 0 }]),
    close: async () => {
      await call("DELETE", at).catch(() => {});
      stop();
    },
  };
}

export const openSession = { chromium: chromiumSession, firefox: firefoxSession, webkit: webkitSession };
