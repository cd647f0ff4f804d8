// What the page knows of the game before it runs agrees with the built game:
// the POSIX build, played on a pseudo-terminal, shows each value in what it
// writes. (The rows of a turn are measured in the page's terminal, by the
// layout's test.)
import assert from "node:assert/strict";
import { test } from "node:test";

import { posixOutput } from "./harness.mjs";

const page = await import(new URL("../../web/page/game-constants.js", import.meta.url));
// ANSI's foreground colours, 30-37 and 90-97, as numbers of the sixteen.
const colourOf = (code) => (code >= 90 ? code - 90 + 8 : code - 30);

test("the board's side, the window and the tiles' colours are the built game's", () => {
  const text = posixOutput("y\ny\n1 1\nr\ny\n3 4\n");
  const [, rows, columns] = text.match(/\x1b\[8;(\d+);(\d+)t/).map(Number);
  assert.deepEqual([page.kConsoleRows, page.kConsoleColumns], [rows, columns]);
  const lines = text.split("\n");
  const first = lines.findIndex((line) => line.includes("\x1b[H"));
  const board = lines.slice(first).map((line) => line.replace(/\x1b\[[0-9;?]*[A-Za-z]/g, ""));
  assert.equal(board.findIndex((line) => !/^([A-I] )+$/.test(line)), page.kBoardSide);
  assert.ok(board.slice(0, page.kBoardSide).every((line) => line.length === 2 * page.kBoardSide));
  // The tiles' colour, then the moved tile's, the first right of the top-left.
  assert.equal(colourOf(Number(lines[first].match(/\x1b\[(\d+);40m[A-I]/)[1])), page.kTileColour);
  const moved = lines.find((line) => /^(\x1b\[\d+;40m[A-I] ){10}$/.test(line));
  assert.equal(colourOf(Number(moved.match(/(?:\x1b\[(\d+);40m[A-I] ){2}/)[1])), page.kHighlightColour);
});
