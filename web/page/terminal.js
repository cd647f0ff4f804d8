// The page's terminal (xterm.js): its colours, its size in its box, the
// part of it in view, and the keys a web user expects.
import { Terminal } from "@xterm/xterm";

import { kConsoleColumns, kConsoleRows, kRowsOfATurn } from "./game-constants.js";

// The sixteen colours the game may ask for, by number: the terminal draws
// them, and the board view draws its tiles in the same ones.
export const kPalette = ["#000000", "#cd3131", "#0dbc79", "#e5e510", "#2472c8", "#bc3fbc", "#11a8cd", "#e5e5e5",
                         "#666666", "#f14c4c", "#23d18b", "#f5f543", "#3b8eea", "#d670d6", "#29b8db", "#ffffff"];
const kPaletteNames = ["black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"];
const kTheme = Object.fromEntries(kPalette.map((colour, index) => {
  const name = kPaletteNames[index % 8];
  return [index < 8 ? name : `bright${name[0].toUpperCase()}${name.slice(1)}`, colour];
}));

const kFontFamily = '"DejaVu Sans Mono", "Liberation Mono", Menlo, Consolas, monospace';
const kLargestFont = 20;
const kSmallestFont = 6;

// A cell as the terminal measures it (the width of a W, and the font's
// height in whole device pixels), so that a size is known before the
// terminal draws. A browser without the font's height in its canvas gets
// an estimate.
const measuring = document.createElement("canvas").getContext("2d");
function cellOf(size) {
  measuring.font = `${size}px ${kFontFamily}`;
  const metrics = measuring.measureText("W");
  const height = metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent || size * 1.2;
  return { width: metrics.width, height: Math.ceil(height * devicePixelRatio) / devicePixelRatio };
}

// The largest font (at most 20 px) at which the 50 columns the game's
// questions need fit the box's width, then as many columns as fit, and as
// many rows as fit, but never fewer than a turn takes: a box too short for
// them shows the part where the cursor is (followCursor).
function sizeFor(box) {
  let fontSize = kLargestFont + 1;
  let cell;
  do {
    fontSize -= 1;
    cell = cellOf(fontSize);
  } while (fontSize > kSmallestFont && Math.floor(box.width) / cell.width < kConsoleColumns);
  const cols = Math.max(kConsoleColumns, Math.floor(Math.floor(box.width) / cell.width));
  const rows = Math.min(kConsoleRows, Math.max(kRowsOfATurn, Math.floor(Math.floor(box.height) / cell.height)));
  return { fontSize, cols, rows };
}

// The terminal, in `element`, sized for `box`.
export function createTerminal(element, box) {
  const terminal = new Terminal({
    ...sizeFor(box.getBoundingClientRect()),
    scrollback: 0,
    fontFamily: kFontFamily,
    theme: { background: kPalette[0], ...kTheme },
  });
  terminal.open(element);
  return terminal;
}

// When the box changes, so does the terminal.
export function fitTerminal(terminal, box) {
  const { fontSize, cols, rows } = sizeFor(box.getBoundingClientRect());
  if (fontSize !== terminal.options.fontSize) terminal.options.fontSize = fontSize;
  terminal.resize(cols, rows);
}

// Where the box is shorter than the terminal, it shows the rows down to
// the cursor, where the game waits; from under the board where they all
// fit, as the board has a view of its own.
export function followCursor(terminal, box, boardRows) {
  const screen = terminal.element.querySelector(".xterm-screen");
  const cellHeight = screen.getBoundingClientRect().height / terminal.rows;
  const shown = Math.max(1, Math.floor(box.getBoundingClientRect().height / cellHeight));
  const cursor = terminal.buffer.active.cursorY;
  const first = shown >= terminal.rows ? 0 : Math.min(cursor, Math.max(boardRows, cursor + 1 - shown));
  terminal.element.style.transform = first === 0 ? "" : `translateY(${-first * cellHeight}px)`;
}

// A web user's keys: Ctrl+C copies what is selected (without a selection
// it is the terminal's Ctrl-C), Ctrl+V and Cmd+V paste, Tab leaves the
// terminal. The game never reads a Tab.
export function useWebKeys(terminal) {
  terminal.attachCustomKeyEventHandler((event) => {
    const command = (event.ctrlKey || event.metaKey) && !event.altKey;
    const key = event.key.toLowerCase();
    if (command && key === "c" && terminal.hasSelection()) return false;
    if (command && key === "v" && !event.shiftKey) return false;
    return event.key !== "Tab";
  });
  // Nothing typed is put in the terminal's hidden text area: the browser
  // would keep every insertion in the page's undo history, a few nodes a
  // turn for as long as the page lives. A key the terminal has already
  // taken (its keypress) is left at that; text that comes without a key
  // (dictation, a suggestion strip, an emoji panel, some soft keyboards),
  // which the terminal in its screen reader mode would drop, is typed here.
  // What an input method composes still goes the terminal's own way.
  let pressed = false;
  const area = terminal.textarea;
  area.addEventListener("keypress", () => { pressed = true; }, true);
  area.addEventListener("keyup", () => { pressed = false; }, true);
  area.addEventListener("beforeinput", (event) => {
    if (event.inputType === "insertText" && !event.isComposing) {
      event.preventDefault();
      if (!pressed && event.data) terminal.input(event.data);
    }
    pressed = false;
  }, true);
}

// Once the terminal has made its accessibility tree (its rows as text,
// to be read on demand), its live region, which reads out every character
// drawn, goes quiet and out of the tree: the page says what matters in a
// few words.
export function silenceLiveRegion(terminal) {
  const region = terminal.element.querySelector(".live-region");
  region?.setAttribute("aria-live", "off");
  region?.setAttribute("aria-hidden", "true");
}

// A brief sign that something was refused: the element flashes (or, with
// less motion, is outlined) for a moment.
export function flash(element) {
  element.classList.remove("flash");
  void element.offsetWidth; // starts the animation again
  element.classList.add("flash");
  clearTimeout(element.flashing);
  element.flashing = setTimeout(() => element.classList.remove("flash"), 600);
}
