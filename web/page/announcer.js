// What a screen reader says: once the game waits for an answer, in one
// polite sentence of a few words, the score and the question it asks, both
// read from what the game drew and from the question it says it waits at.
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

// The last score the game drew on the screen.
function scoreOnScreen(terminal) {
  const buffer = terminal.buffer.active;
  for (let y = terminal.rows - 1; y >= 0; --y) {
    const score = buffer.getLine(buffer.viewportY + y)?.translateToString(true).match(/your score: (\d+)/);
    if (score) return score[1];
  }
  return null;
}

// `bridge` tells whether the game waits, and when the terminal has drawn.
export function createAnnouncer(element, terminal, bridge) {
  let question = null;
  return {
    // The terminal has made its accessibility tree: its live region goes quiet.
    silenceTerminal() {
      terminal.element.querySelector(".live-region")?.setAttribute("aria-live", "off");
    },
    asked(name) {
      question = name;
    },
    // The game waits: once the terminal has drawn all it wrote, and if it
    // still waits (no answer typed ahead), say so.
    waiting() {
      bridge.whenDrawn(() => {
        if (!bridge.waiting() || question === null) return;
        const score = scoreOnScreen(terminal);
        const scored = score !== null && (question === "start" || question === "play") ? `Score ${score}. ` : "";
        element.textContent = `${scored}${kAsks[question]}`;
        question = null; // said once
      });
    },
    clear() {
      question = null;
      element.textContent = "";
    },
  };
}
