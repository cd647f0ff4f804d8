// What a screen reader says: once the game waits for an answer, in one
// polite sentence of a few words, the score and the question it asks, as
// the game tells the page.
// The terminal's own live region, which reads out every character drawn
// (after a move, a board of single letters and the old score), is silenced:
// its rows stay in the accessibility tree, to be read on demand, as do the
// board's tiles.

// What is said when the game waits at `question`, its score `score` (or
// null before its first board), in `words` (a table of words.js).
export function sentence(question, score, words) {
  const scored = score !== null && (question === "start" || question === "play") ? words.score(score) : "";
  return `${scored}${words.asks[question]}`;
}

// `gameWaiting()` tells whether the game waits for keys; `afterDrawn(then)`
// calls `then()` once the terminal has drawn all the game wrote; `words()`
// gives the page's words.
export function createAnnouncer(element, { gameWaiting, afterDrawn, words }) {
  let question = null;
  let score = null;
  const say = () => {
    if (!gameWaiting() || question === null) return;
    element.textContent = sentence(question, score, words());
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
      element.textContent = tile === null ? words().unpicked : words().picked(tile.row + 1, tile.column + 1, tile.letter);
    },
  };
}
