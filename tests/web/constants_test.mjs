// The constants the page shares with the game agree with the game's C++
// sources they mirror.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { test } from "node:test";

const source = (path) => readFileSync(new URL(`../../${path}`, import.meta.url), "utf8");
const page = await import(new URL("../../web/page/game-constants.js", import.meta.url));
const number = (path, name) => Number(source(path).match(new RegExp(`\\b${name} = (\\d+);`))?.[1]);

test("the board's side, a tile's columns, the window and the questions are the game's", () => {
  assert.equal(page.kBoardSide, number("src/game/board.hpp", "kBoardSize"));
  assert.equal(page.kTileColumns, number("src/console/board_display.cpp", "kCellWidth"));
  assert.equal(page.kConsoleColumns, number("src/console/console.hpp", "kConsoleColumns"));
  assert.equal(page.kConsoleRows, number("src/console/console.hpp", "kConsoleRows"));
  const questions = source("src/console/console.hpp").match(/enum class Question \{([^}]*)\}/)[1];
  assert.deepEqual(page.kQuestions, questions.split(",").map((name) => name.trim()));
});

test("a signal's exit status is the game's: 128 and the signal's number", () => {
  assert.match(source("src/console/console_web.cpp"), /std::_Exit\(128 - count\)/);
  assert.deepEqual(page.kSignals, { SIGINT: 2, SIGQUIT: 3 }); // POSIX's numbers, as the page's pty sends them
  assert.deepEqual(page.kExitStatus, { SIGINT: 130, SIGQUIT: 131 });
});
