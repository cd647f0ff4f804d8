// What a screen reader says: once the game waits for an answer, in one
// polite sentence of a few words, the score and the question it asks, as
// the game tells the page.
// The terminal's own live region, which reads out every character drawn
// (after a move, a board of single letters and the old score), is silenced:
// its rows stay in the accessibility tree, to be read on demand, as do the
// board's tiles.
const kAsks = {
  start: "Do you want to start? Enter y or n.",
  play: "Enter y/n if you want to play.",
  row: "Enter the row and the column of a tile, as 3 4.",
  column: "Enter the column.",
  direction: "Enter a direction: r, l, d or u.",
};

// What is said when the game waits at `question`, its score `score` (or
// null before its first board).
export function sentence(question, score) {
  const scored = score !== null && (question === "start" || question === "play") ? `Score ${score}. ` : "";
  return `${scored}${kAsks[question]}`;
}

// `gameWaiting()` tells whether the game waits for keys; `afterDrawn(then)`
// calls `then()` once the terminal has drawn all the game wrote.
export function createAnnouncer(element, { gameWaiting, afterDrawn }) {
  let question = null;
  let score = null;
  const say = () => {
    if (!gameWaiting() || question === null) return;
    element.textContent = sentence(question, score);
    question = null; // said once
  };
  return {
    // The game asked `name` (said when it waits for the answer), or drew a
    // board with `score`.
    asked(name) {
      question = name;
      say();
    },
    scored(points) {
      score = points;
    },
    // The game waits: once the terminal has drawn all it wrote, and if it
    // still waits (no answer typed ahead), say so.
    waiting: () => afterDrawn(say),
    // The player picked `tile` (`{ row, column, letter }`), or put it back.
    picked(tile) {
      element.textContent = tile === null ? "No tile picked."
        : `Picked row ${tile.row + 1}, column ${tile.column + 1}: ${tile.letter}. Now a direction: an arrow.`;
    },
  };
}
