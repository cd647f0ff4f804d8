// What a screen reader and an accessibility audit find: the terminal's rows
// as text, the board's tiles by name, and no violation at any point of a
// game.
import assert from "node:assert/strict";
import { createRequire } from "node:module";
import { test } from "node:test";

import { asked, ended, screenWhen, tapAt, typeLines, until, useSite, withPage } from "./harness.mjs";

useSite();

const { AxeBuilder } = createRequire(new URL("../../web/package.json", import.meta.url))("@axe-core/playwright");
async function assertNoViolation(page, when) {
  const { violations } = await new AxeBuilder({ page }).analyze();
  assert.deepEqual(violations.map((violation) => `${violation.id}: ${violation.help}`), [], when);
}

// Waits until every one of `texts` is a name in the page's accessibility tree.
async function accessibleNames(page, texts) {
  const cdp = await page.context().newCDPSession(page);
  const names = async () => (await cdp.send("Accessibility.getFullAXTree")).nodes
    .filter((node) => !node.ignored).map((node) => node.name?.value ?? "").join("\n");
  await until(names, (found) => texts.every((text) => found.includes(text)), "the accessibility tree");
}

// The phone's page in Russian.
for (const [viewport, phone, language] of [[{ width: 390, height: 844 }, true, "ru-RU"], [{ width: 1280, height: 800 }, false, "en-US"]]) {
  test(`${viewport.width} x ${viewport.height}, ${language}: a screen reader finds the game's rows and the tiles, and axe-core finds nothing`, () => withPage(async (session) => {
    const { page } = session;
    const first = await screenWhen(session, (rows) => rows[13].text.startsWith("Do you want to start?"));
    const tileName = `${language === "ru-RU" ? "ряд 3, столбец 4" : "row 3, column 4"}: ${first[2].cells[3].letter}`;
    const seen = [first[0].text, first[9].text, " ( ваши очки ) your score: 0", first[13].text, tileName];
    await accessibleNames(page, seen);
    assert.equal(await page.getByRole("grid").getByRole("button", { name: tileName }).count(), 1);
    await assertNoViolation(page, "at load");
    await (phone ? tapAt(session, "[data-answer=y]") : page.click("[data-answer=y]"));
    await asked(session, 0, "play", 2);
    await assertNoViolation(page, "mid-game");
    await (phone ? tapAt(session, "[data-answer=n]") : page.click("[data-answer=n]"));
    await ended(session);
    await assertNoViolation(page, "after the game");
  }, { viewport, phone, language }));
}

// Every announcement a screen reader gets, polite or assertive, as it comes.
const listen = (page) => page.evaluate(() => {
  window.heard = [];
  const said = new Map();
  const regions = () => [...document.querySelectorAll("[aria-live]:not([aria-live=off]), [role=status], [role=alert]")]
    .filter((region) => !region.closest("[hidden]"));
  regions().forEach((region) => said.set(region, region.textContent.trim()));
  new MutationObserver(() => regions().forEach((region) => {
    const text = region.textContent.trim();
    if (text !== "" && said.get(region) !== text) window.heard.push(text);
    said.set(region, text);
  })).observe(document.body, { subtree: true, childList: true, characterData: true });
});
const heard = (page) => page.evaluate(() => window.heard.splice(0));

test("a screen reader hears the start question at load, then after a move the score and the next question, in a few words", () => withPage(async (session) => {
  const { page } = session;
  await page.waitForFunction(() => document.getElementById("announce").textContent !== "");
  assert.equal(await page.textContent("#announce"), "Score 0. Do you want to start? Enter y or n.");
  await asked(session, 0, "start", 1);
  await page.waitForFunction(() => document.querySelector(".xterm .live-region")?.getAttribute("aria-hidden") === "true");
  await listen(page);
  await typeLines(session, "y\ny\n1 1\nr\n");
  await asked(session, 0, "play", 6);
  const score = (await screenWhen(session, (rows) => rows[11].text.includes("your score: 20")))[11].text.match(/\d+$/)[0];
  await page.waitForFunction((said) => window.heard.includes(said), `Score ${score}. Enter y/n if you want to play.`);
  const turn = await heard(page);
  const words = turn.join(" ").split(/\s+/).length;
  assert.ok(words <= 60 && new Set(turn).size === turn.length, `${words} words: ${JSON.stringify(turn)}`);
}));

// Chromium's emulated forced colours draw text in black on the black
// terminal, so a screenshot cannot tell; the colour the rows get can.
test("in forced colours (high contrast) the screen reader's rows stay unseen, and greyed controls are GrayText", () => withPage(async ({ page }) => {
  await page.waitForSelector(".xterm-accessibility-tree div", { state: "attached" });
  const colours = await page.evaluate(() => {
    const probe = document.body.appendChild(Object.assign(document.createElement("span"), { style: "color: GrayText" }));
    const colour = (selector) => getComputedStyle(document.querySelector(selector)).color;
    return { rows: colour(".xterm-accessibility-tree div"), greyed: colour("[data-direction=r]"),
             live: colour("[data-answer=y]"), grey: getComputedStyle(probe).color, board: colour("#board button") };
  });
  assert.equal(colours.rows, "rgba(0, 0, 0, 0)");
  assert.ok(colours.greyed === colours.grey && colours.live !== colours.grey, JSON.stringify(colours));
  assert.equal(colours.board, colours.grey, "the board, which the start question does not take"); // its tiles' own colour aside
}, { forcedColors: "active" }));
