// The page's pure logic, without a browser: the words for each end in both
// languages, the line bound, which answers a question takes and what a move
// types, what a screen reader is told, and when a new game may deal.
import assert from "node:assert/strict";
import { test } from "node:test";

const page = (module) => import(new URL(`../../web/page/${module}`, import.meta.url));
const { endNotice } = await page("endings.js");
const { lineBound } = await page("line-bound.js");
const { moveLines, takes } = await page("questions.js");
const { sentence } = await page("announcer.js");
const { gestureOf } = await page("gesture-rules.js");
const { kWords } = await page("words.js");
const { createSession } = await page("session.js");

const bytes = (text) => new TextEncoder().encode(text);

test("each end in words, in either language, quoting the word as far as the game kept it", () => {
  const cases = [
    [{ ended: "farewell" }, 0, "The game is over."],
    [{ ended: "word", word: bytes("yes"), question: "play" }, 0, "The game takes y or n here, so “yes” ended it."],
    [{ ended: "word", word: bytes("y".repeat(17)), question: "start" }, 0, "The game takes y or n here, so “yyyyyyyyyyyy…” ended it."],
    [{ ended: "word", word: bytes("ннннннн"), question: "play" }, 0, "The game takes its answers in Latin letters, so “ннннннн” ended it. Switch"],
    [{ ended: "word", word: bytes("нннннннн").subarray(0, 15), question: "play" }, 0, "The game takes its answers in Latin letters, so “ннннннн…”"],
    [{ ended: "word", word: bytes("н"), question: "start" }, 0, "Игра принимает ответы только латинскими буквами, поэтому ответ «н» её завершил. Переключите", "ru"],
    [{ ended: "number", word: bytes("ы") }, 0, "Игра принимает ответы только латинскими буквами, поэтому ответ «ы»", "ru"],
    [{ ended: "word", word: bytes("x"), question: "direction" }, 0, "Игра не смогла принять ответ «x».", "ru"],
    [{ ended: "signal", signal: 2 }, 130, "Вы завершили игру клавишами Ctrl-C.", "ru"],
    [{ ended: "number", word: bytes(",4") }, 0, "The game takes a row and a column, as 3 4, so “,4” ended it."],
    [{ ended: "input" }, 0, "The input ended (Ctrl-D), so the game is over."],
    [{ ended: "reversing" }, 0, "The board offers no move: the game is over."],
    [{ ended: "signal", signal: 2 }, 130, "You ended the game with Ctrl-C."],
    [{ ended: "signal", signal: 3 }, 131, "You ended the game with Ctrl-\\."],
    [null, 1, "The game stopped on an error."],
  ];
  for (const [ending, status, words, language = "en"] of cases) {
    assert.ok(endNotice(ending, status, kWords[language]).startsWith(words), JSON.stringify(ending));
  }
});

test("a line is bounded at 4095 bytes, counted in UTF-8, until its end; what is refused is said", () => {
  let refused = 0;
  const bound = lineBound(() => { refused += 1; });
  assert.equal(bound("y".repeat(4094)), "y".repeat(4094));
  assert.equal(bound("нy"), "y"); // two bytes do not fit; one does
  assert.equal(refused, 1);
  assert.equal(bound("\x7f\x7fн\r"), "\x7f\x7fн\r"); // Backspace makes room, Enter ends the line
  assert.equal(bound("😀".repeat(1024)), "😀".repeat(1023));
  assert.equal(refused, 2);
});

test("each question takes its answers, and a move types a player's lines", () => {
  const kinds = ["yes-no", "tile", "direction"];
  const taken = (question, picked = null) => kinds.filter((kind) => takes(kind, question, picked));
  assert.deepEqual(taken("start"), ["yes-no"]);
  assert.deepEqual(taken("play"), ["yes-no", "tile"]);
  assert.deepEqual(taken("play", { row: 0, column: 0 }), ["yes-no", "tile", "direction"]);
  assert.deepEqual(taken("row"), ["tile"]);
  assert.deepEqual(taken("column"), []);
  assert.deepEqual(taken("direction"), ["direction"]);
  assert.deepEqual(taken(null, { row: 0, column: 0 }), []);
  assert.deepEqual(moveLines("play", { row: 2, column: 9 }, "l"), ["y", "3 10", "l"]);
  assert.deepEqual(moveLines("row", { row: 0, column: 0 }, "u"), ["1 1", "u"]);
  assert.deepEqual(moveLines("direction", { row: 0, column: 0 }, "u"), []);
});

test("a movement is a tap up to a drift of 12 px or a third of a tile, a swipe off the diagonals, else nothing", () => {
  const cases = [
    [10, -6, 27.3, "tap"], // a drifting tap on a 320-px phone's tile
    [14, 2, 27.3, "r"],
    [-19, 3, 60, "tap"],
    [-21, 3, 60, "l"],
    [30, 30, 40, null], // 45°
    [30, 24, 40, null], // 39°: within 10° of the diagonal
    [30, 16, 40, "r"], // 28°
    [5, -40, 40, "u"],
    [0, 40, 40, "d"],
  ];
  for (const [across, down, pitch, gesture] of cases) assert.equal(gestureOf(across, down, pitch), gesture, `${across}, ${down}`);
});

test("a screen reader is told the score where a turn begins, and the question", () => {
  assert.equal(sentence("start", 0, kWords.en), "Score 0. Do you want to start? Enter y or n.");
  assert.equal(sentence("play", 20, kWords.en), "Score 20. Enter y/n if you want to play.");
  assert.equal(sentence("direction", 20, kWords.en), "Enter a direction: r, l, d or u.");
  assert.equal(sentence("play", 20, kWords.ru), "Счёт 20. Делаете ход? Введите y или n.");
});

test("every word of the page is there in both languages, of the same kind", () => {
  const shape = (words) => Object.entries(words).map(([key, word]) => [key, typeof word,
    typeof word === "function" ? word.length : typeof word === "object" && shape(word)]);
  assert.deepEqual(shape(kWords.ru), shape(kWords.en));
});

test("a new game waits past the second the last game's board was dealt in, though the game read its clock late", async (t) => {
  t.mock.timers.enable({ apis: ["setTimeout", "Date"], now: 1000_900 });
  const element = () => ({ classList: { add() {}, remove() {} }, focus() {}, addEventListener() {} });
  const notices = { status: element(), newGame: element(), refused: element(), board: element(), controls: element() };
  const seeds = [];
  const runner = {
    ready: async () => {},
    play() { // the game takes its seed 0.3 s after it was asked for, and ends at once
      t.mock.timers.tick(300);
      seeds.push(Math.floor(Date.now() / 1000));
      return { record: { seed: seeds.at(-1) }, finished: Promise.resolve() };
    },
  };
  const session = createSession({ terminal: { reset() {}, clearSelection() {} }, runner, answers: { forget() {} },
    notices, focusGame() {}, failed() {}, touchFirst: false, words: () => kWords.en });
  await session.start();
  const next = session.start();
  assert.equal(notices.status.textContent, kWords.en.dealing);
  t.mock.timers.tick(1000);
  await next;
  assert.deepEqual(seeds, [1001, 1002]);
});
