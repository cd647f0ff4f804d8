// The page's own answers: the Yes and No buttons, the arrows and the board's
// tiles. Each gesture becomes the words a player would type, typed into the
// terminal one at a time as the game waits for them, so that each shows
// under its question as if typed there; and only for the question the game
// waits at. A control that question cannot take is greyed, does nothing but
// a brief sign, and keeps the keyboard's focus where it is.
import { flash } from "./terminal.js";

const coordinates = ({ row, column }) => `${row + 1} ${column + 1}`;

export function createAnswers({ terminal, gameWaiting, board, boardElement, yesNo, directions }) {
  let asked = null; // the question the controls answer: the game's, once no answer of theirs is on its way
  let picked = null; // the tile picked, waiting for a direction
  let unsent = []; // a gesture's answers not yet typed

  function takes(kind) {
    switch (kind) {
      case "yes-no": return asked === "start" || asked === "play";
      case "tile": return asked === "play" || asked === "row";
      case "direction": return asked === "direction" || (picked !== null && takes("tile"));
      default: return false;
    }
  }

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
    if (asked === "play") answer("y", coordinates(tile), direction);
    else if (asked === "row") answer(coordinates(tile), direction);
  }

  function pick(tile) {
    if (!takes("tile")) {
      flash(boardElement);
      return;
    }
    picked = picked === tile ? null : tile;
    show();
  }

  yesNo.forEach((button) => button.addEventListener("click", () => {
    if (takes("yes-no")) answer(button.dataset.answer);
    else flash(button);
  }));
  directions.forEach((button) => button.addEventListener("click", () => {
    if (!takes("direction")) flash(button);
    else if (asked === "direction") answer(button.dataset.direction);
    else move(picked, button.dataset.direction);
  }));

  return {
    // The game waits at `question` (null: at none).
    asked(question) {
      asked = unsent.length > 0 ? null : question;
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
