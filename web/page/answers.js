// The page's own answers: the Yes and No buttons, the arrows and the board's
// tiles. Each gesture becomes the words a player would type, typed into the
// terminal one at a time as the game waits for them, so that each shows
// under its question as if typed there; and only for the question the game
// waits at. A control that question cannot take is greyed, does nothing but
// a brief sign, and keeps the keyboard's focus where it is.
import { listeners } from "./listeners.js";
import { moveLines, takes as questionTakes } from "./questions.js";
import { flash } from "./terminal.js";

const kDoubleTap = 500; // ms

export function createAnswers({ terminal, gameWaiting, board, boardElement, yesNo, directions }) {
  let asked = null; // the question the controls answer: the game's, once no answer of theirs is on its way
  let picked = null; // the tile picked, waiting for a direction
  let unsent = []; // a gesture's answers not yet typed
  let pickedAt = 0; // when the tile was picked: a second tap soon after keeps it
  const picks = listeners();
  // The player's pick, or the player's putting it back, is heard; a pick
  // that an answer takes away is not.
  const setPicked = (tile) => {
    picked = tile;
    pickedAt = performance.now();
    picks.tell(tile);
  };

  const takes = (kind) => questionTakes(kind, asked, picked);

  const offer = (control, taken) => control.setAttribute("aria-disabled", String(!taken));
  function show() {
    if (picked !== null && !takes("tile")) picked = null;
    yesNo.forEach((button) => offer(button, takes("yes-no")));
    directions.forEach((button) => offer(button, takes("direction")));
    board.show(takes("tile"), picked);
  }

  function typeNext() {
    if (unsent.length > 0) terminal.input(`\x15${unsent.shift()}\r`); // Ctrl-U: a fresh line
  }

  function answer(...answers) {
    unsent = answers;
    asked = null;
    picked = null;
    show();
    if (gameWaiting()) typeNext();
  }

  function move(tile, direction) {
    const lines = moveLines(asked, tile, direction);
    if (lines.length > 0) answer(...lines);
  }

  function pick(tile) {
    if (!takes("tile")) {
      flash(boardElement);
      return;
    }
    // A second tap on the picked tile puts it back, unless it is the second
    // of a double tap.
    if (picked !== tile) setPicked(tile);
    else if (performance.now() - pickedAt > kDoubleTap) setPicked(null);
    show();
  }

  yesNo.forEach((button) => button.addEventListener("click", () => {
    if (takes("yes-no")) answer(button.dataset.answer);
    else flash(button);
  }));
  // A direction, from an arrow button or an arrow key on the picked tile.
  function direct(direction, control) {
    if (!takes("direction")) flash(control);
    else if (asked === "direction") answer(direction);
    else move(picked, direction);
  }
  directions.forEach((button) => button.addEventListener("click", () => direct(button.dataset.direction, button)));
  board.onDirection((direction) => direct(direction, boardElement));

  // Escape puts a picked tile back, wherever the focus is (and goes no
  // further: the terminal does not get it).
  addEventListener("keydown", (event) => {
    if (event.key !== "Escape" || picked === null) return;
    event.stopPropagation();
    setPicked(null);
    show();
  }, true);

  return {
    // `listener(tile)` hears each tile picked, and null when none is.
    onPicked: picks.add,
    // The game waits at `question` (null: at none), unless later news is on
    // its way (`latest` false).
    asked(question, latest = true) {
      asked = unsent.length > 0 || !latest ? null : question;
      show();
    },
    typeNext,
    forget() {
      unsent = [];
      asked = null;
      show();
    },
    pick,
    // A swipe off the board's edge is sent too: the game takes it as a turn
    // without a swap.
    swipe(tile, direction) {
      if (takes("tile")) move(tile, direction);
      else flash(boardElement);
    },
  };
}
