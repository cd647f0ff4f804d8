// What a screen reader and an accessibility audit find: the terminal's rows
// as text, the board's tiles by name, and no violation at any point of a
// game.
import assert from "node:assert/strict";
import { test } from "node:test";

import { asked, assertNoViolation, button, ended, openPage, screenWhen, tapAt, useBrowser } from "./harness.mjs";

useBrowser();

// The names in the page's accessibility tree, once every one of `texts` is.
async function accessibleNames(page, texts) {
  const cdp = await page.context().newCDPSession(page);
  let names = "";
  for (let tries = 0; tries < 100 && !texts.every((text) => names.includes(text)); ++tries) {
    await page.waitForTimeout(50);
    const { nodes } = await cdp.send("Accessibility.getFullAXTree");
    names = nodes.filter((node) => !node.ignored).map((node) => node.name?.value ?? "").join("\n");
  }
  return names;
}

for (const [viewport, phone] of [[{ width: 390, height: 844 }, true], [{ width: 1280, height: 800 }, false]]) {
  test(`${viewport.width} x ${viewport.height}: a screen reader finds the game's rows and the tiles, and axe-core finds nothing`, async () => {
    const { page, problems } = await openPage(viewport, { phone });
    const first = await screenWhen(page, (rows) => rows[13].text.startsWith("Do you want to start?"));
    const tileName = `row 3, column 4: ${first[2].cells[3].letter}`;
    const seen = [first[0].text, first[9].text, " ( ваши очки ) your score: 0", first[13].text, tileName];
    const names = await accessibleNames(page, seen);
    assert.ok(seen.every((text) => names.includes(text)), names);
    assert.equal(await page.getByRole("grid").getByRole("button", { name: tileName }).count(), 1);
    await assertNoViolation(page, "at load");
    await (phone ? tapAt(page, button(page, "Yes")) : button(page, "Yes").click());
    await asked(page, 0, "play", 2);
    await assertNoViolation(page, "mid-game");
    await (phone ? tapAt(page, button(page, "No")) : button(page, "No").click());
    await ended(page);
    await assertNoViolation(page, "after the game");
    assert.deepEqual(problems, []);
    await page.context().close();
  });
}
