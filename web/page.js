// The page: a terminal (xterm.js) with a pseudo-terminal in front of it
// (xterm-pty), whose line discipline echoes and edits what is typed, and the
// game on the other side of it. The game's bytes go to the terminal as they
// are and the page never reads them; a game is one run of the program, and
// a new game a new run. Buttons, the board's tiles and a text line answer
// too: each is turned into the words a player would type, typed into the
// same terminal when the game asks the question it answers.
import { Flags, openpty } from "./xterm/xterm-pty.mjs";
import createMatch3 from "./match3.js";

const kMostRows = 50; // what the game asks for
const kFewestColumns = 50; // what its questions need
const kRowsOfATurn = 27; // the rows down to the answer of a turn's last question
const kLargestFont = 20;
const kSmallestFont = 6;
const kBoardSide = 10; // the board stands at the top-left, two columns a tile
const kMostTypedAhead = 64 * 1024; // bytes waiting for the game at most
const kLongestLine = 4095; // bytes of a line being typed, as a terminal holds
const kSignals = { SIGINT: 2, SIGQUIT: 3 }; // what Ctrl-C and Ctrl-\ send
const kQuestions = ["start", "play", "row", "column", "direction"]; // as the game numbers them

// The game's WebAssembly, fetched and compiled once, for every game the page
// plays: a new game starts at once, and needs nothing more from the network.
// Once it is compiled, a game's instance is made on the spot, so that the
// game writes its first board before the page draws again.
let compiledGame = null;
function instantiateWasm(imports, receive) {
  const start = (module) => receive(new WebAssembly.Instance(module, imports), module);
  if (window.match3Compiled instanceof WebAssembly.Module) { // the page's head began it as the page loaded
    start(window.match3Compiled);
    return {};
  }
  compiledGame ??= (window.match3Compiling ?? Promise.reject(new Error("not begun")))
    .catch(() => fetch(new URL("match3.wasm", import.meta.url)).then((response) => response.arrayBuffer())
      .then(WebAssembly.compile))
    .then((module) => (window.match3Compiled = module));
  compiledGame.then(start);
  return {};
}

// The first game's instance is made while the terminal is built.
let firstGame = prepareGame();

// The terminal takes the largest font (at most 20 px) at which 50 columns
// and a turn's rows fit its box, then as many columns and rows as fit (at
// most the 50 rows the game asks for). A cell is measured as the terminal
// measures it (the width of a W, and the font's height in whole device
// pixels), so the size is known before the terminal is drawn. A browser
// without the font's height in its canvas gets an estimate.
const kFontFamily = '"DejaVu Sans Mono", "Liberation Mono", Menlo, Consolas, monospace';
const measuring = document.createElement("canvas").getContext("2d");
function cellOf(size) {
  measuring.font = `${size}px ${kFontFamily}`;
  const metrics = measuring.measureText("W");
  const height = metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent || size * 1.2;
  return { width: metrics.width, height: Math.ceil(height * devicePixelRatio) / devicePixelRatio };
}
function sizeFor(box) {
  const width = Math.floor(box.width);
  const height = Math.floor(box.height);
  let fontSize = kLargestFont + 1;
  let cols;
  let rows;
  do {
    fontSize -= 1;
    const cell = cellOf(fontSize);
    cols = Math.floor(width / cell.width);
    rows = Math.floor(height / cell.height);
  } while (fontSize > kSmallestFont && !(cols >= kFewestColumns && rows >= kRowsOfATurn));
  return { fontSize, cols: Math.max(kFewestColumns, cols), rows: Math.min(kMostRows, Math.max(1, rows)) };
}

const terminalBox = document.getElementById("terminal");
const terminal = new Terminal({
  ...sizeFor(terminalBox.getBoundingClientRect()),
  scrollback: 0,
  // screenReaderMode comes on once the first board is drawn
  fontFamily: kFontFamily,
  theme: { background: "#000000", black: "#000000" },
});
terminal.open(terminalBox);
const { master, slave } = openpty();

const screen = document.getElementById("screen");
const tilesBox = document.getElementById("tiles");
const statusLine = document.getElementById("status");
const newGameButton = document.getElementById("new-game");
const refusedNotice = document.getElementById("refused");
const updateNotice = document.getElementById("update");
const answerButtons = [...document.querySelectorAll("#answers button[data-answer]")];
const directionButtons = [...document.querySelectorAll("#answers button[data-direction]")];
const lineForm = document.getElementById("line");
const lineInput = document.getElementById("typed");
const touchFirst = matchMedia("(pointer: coarse)").matches;

// When the box changes, so does the terminal.
function fitTerminal() {
  const { fontSize, cols, rows } = sizeFor(terminalBox.getBoundingClientRect());
  if (fontSize !== terminal.options.fontSize) terminal.options.fontSize = fontSize;
  terminal.resize(cols, rows);
  placeTiles();
}

// The board's tiles, row by row: one button a tile, over its two columns.
const tiles = [];
for (let row = 0; row < kBoardSide; ++row) {
  for (let column = 0; column < kBoardSide; ++column) {
    const tile = { row, column, button: document.createElement("button") };
    tile.button.type = "button";
    tile.button.tabIndex = -1;
    tile.button.addEventListener("click", () => pickTile(tile));
    tilesBox.append(tile.button);
    tiles.push(tile);
  }
}

function cellSize() {
  const box = terminal.element.querySelector(".xterm-screen").getBoundingClientRect();
  return { width: box.width / terminal.cols, height: box.height / terminal.rows, box };
}

function placeTiles() {
  const { width, height } = cellSize();
  tiles.forEach(({ row, column, button }) => {
    Object.assign(button.style, {
      left: `${column * 2 * width}px`, top: `${row * height}px`, width: `${2 * width}px`, height: `${height}px`,
    });
  });
}

// Each tile's name as the board on the screen has it.
function nameTiles() {
  const buffer = terminal.buffer.active;
  tiles.forEach(({ row, column, button }) => {
    const letter = buffer.getLine(buffer.viewportY + row)?.getCell(2 * column)?.getChars() || "blank";
    const label = `row ${row + 1}, column ${column + 1}: ${letter}`;
    if (button.getAttribute("aria-label") !== label) button.setAttribute("aria-label", label);
  });
}
let naming = false;
terminal.onWriteParsed(() => {
  if (naming) return;
  naming = true;
  requestAnimationFrame(() => {
    naming = false;
    nameTiles();
  });
});

function flash() {
  screen.classList.remove("flash");
  void screen.offsetWidth; // starts the animation again
  screen.classList.add("flash");
}
terminal.onBell(flash);

function refuseKeys() {
  refusedNotice.hidden = false;
  flash();
}

// The line being typed stays in the line discipline until its end comes, so
// its length is bounded before the keys get there: beyond kLongestLine bytes
// they are refused, as a terminal refuses them. The length counted is at
// least the line's (Backspace takes off one byte of a character that may
// have more), so the bound holds.
const kLineEnds = new Set(["\r", "\n", "\x04", "\x15", "\x03", "\x1c", "\x1a"]); // Enter, Ctrl-D, Ctrl-U, the signals
const kErase = "\x7f";
const utf8Length = (char) => {
  const code = char.codePointAt(0); // a lone surrogate goes as U+FFFD, in 3 bytes
  return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
};
let lineLength = 0;

function boundLine(keys) {
  let kept = "";
  let refused = false;
  for (const char of keys) {
    if (kLineEnds.has(char)) {
      lineLength = 0;
    } else if (char === kErase) {
      lineLength = Math.max(0, lineLength - 1);
    } else if (lineLength + utf8Length(char) > kLongestLine) {
      refused = true;
      continue;
    } else {
      lineLength += utf8Length(char);
    }
    kept += char;
  }
  if (refused) refuseKeys();
  return kept;
}

// The game's bytes on their way to the terminal. A game that runs far ahead
// of what the terminal has drawn (answers typed far ahead) waits at its
// next read until the terminal has drawn it all, so what waits to be drawn
// stays bounded, as a terminal's buffer does.
const kMostUndrawn = 64 * 1024;
let undrawn = 0; // bytes the game has written since the terminal last caught up
let drawing = 0; // chunks handed to the terminal and not yet drawn
let whenDrawn = [];

function draw(data, done) {
  drawing += 1;
  terminal.write(data, () => {
    done(); // may hand over the next chunk at once
    drawing -= 1;
    if (drawing === 0) {
      undrawn = 0;
      whenDrawn.splice(0).forEach((wake) => wake());
    }
  });
}

// The pseudo-terminal's master takes the terminal's keys through boundLine;
// everything else goes to the terminal as it is.
master.activate({
  write: draw,
  onData: (listener) => terminal.onData((keys) => listener(boundLine(keys))),
  onBinary: (listener) => terminal.onBinary((keys) => listener(boundLine(keys))),
  onResize: (listener) => terminal.onResize(listener),
});

// A web user's keys: Ctrl+C copies what is selected (without a selection
// it is the terminal's Ctrl-C), Ctrl+V and Cmd+V paste, Tab leaves the
// terminal. The game never reads a Tab.
terminal.attachCustomKeyEventHandler((event) => {
  const command = (event.ctrlKey || event.metaKey) && !event.altKey;
  const key = event.key.toLowerCase();
  if (command && key === "c" && terminal.hasSelection()) return false;
  if (command && key === "v" && !event.shiftKey) return false;
  return event.key !== "Tab";
});

// What the player has typed and the line discipline has passed on, waiting
// for the game: chunks of bytes, an empty chunk for the end of the input,
// or a signal's number, which goes before everything else.
let typed = [];
let typedSize = 0;
let wakeReader = null;
let game = null; // the game running, if any
const recording = window.match3Record === true; // the tests keep every byte

function deliver() {
  if (wakeReader !== null && typed.length > 0) {
    const wake = wakeReader;
    wakeReader = null;
    wake();
  }
}

slave.onReadable(() => {
  const bytes = slave.readable ? slave.read() : [];
  if (game === null) {
    if (bytes.includes(10) || bytes.includes(13)) startGame(); // Enter: a new game
    return;
  }
  const room = kMostTypedAhead - typedSize;
  if (bytes.length > room) refuseKeys();
  const taken = bytes.slice(0, Math.max(0, room));
  if (taken.length > 0 || bytes.length === 0) {
    typed.push(Uint8Array.from(taken));
    typedSize += taken.length;
    if (taken.length === 0) game.ended = "input";
  }
  deliver();
});

slave.onSignal((signal) => {
  // Ctrl-Z means nothing here: the game goes on.
  if (game !== null && signal in kSignals) {
    typed = [kSignals[signal]];
    typedSize = 0;
    deliver();
  }
});

// The answers of a gesture not yet typed: each is typed when the game waits
// for it, so the terminal shows it under its question, as if typed there.
let unsent = [];

function typeNextAnswer() {
  if (unsent.length > 0) terminal.input(`\x15${unsent.shift()}\r`); // Ctrl-U: a fresh line
}

// The game's read: up to `size` bytes typed, an empty array at the end of
// the input, or a signal's number.
async function readTyped(size) {
  if (undrawn > kMostUndrawn && drawing > 0) await new Promise((wake) => whenDrawn.push(wake));
  if (typed.length === 0) typeNextAnswer();
  while (typed.length === 0) {
    await new Promise((resolve) => {
      wakeReader = resolve;
    });
  }
  const first = typed[0];
  if (typeof first === "number" || first.length <= size) {
    typed.shift();
    typedSize -= typeof first === "number" ? 0 : first.length;
    if (recording && typeof first !== "number") game.input.push(first);
    return first;
  }
  typed[0] = first.subarray(size);
  typedSize -= size;
  if (recording) game.input.push(first.subarray(0, size));
  return first.subarray(0, size);
}

// The question the controls answer: the one the game waits at, once no
// answer of theirs is on its way to it.
let asked = null;
let picked = null; // the tile tapped, waiting for a direction

function controlsTake(kind) {
  switch (kind) {
    case "yes-no": return asked === "start" || asked === "play";
    case "tile": return asked === "play" || asked === "row";
    case "direction": return asked === "direction" || (picked !== null && controlsTake("tile"));
    default: return false;
  }
}

// A control that the question cannot take is greyed and does nothing, yet
// keeps the keyboard's focus where it is.
const offer = (control, taken) => control.setAttribute("aria-disabled", String(!taken));

function showControls() {
  if (picked !== null && !controlsTake("tile")) picked = null;
  answerButtons.forEach((button) => offer(button, controlsTake("yes-no")));
  directionButtons.forEach((button) => offer(button, controlsTake("direction")));
  tiles.forEach((tile) => {
    offer(tile.button, controlsTake("tile"));
    tile.button.classList.toggle("picked", tile === picked);
  });
}

function answer(...answers) {
  unsent = answers;
  asked = null;
  picked = null;
  showControls();
  if (wakeReader !== null && typed.length === 0) typeNextAnswer();
}

// The game tells which question it reads the answer to next.
function onQuestion(number) {
  if (game === null) return;
  afterFirstBoard();
  game.question = kQuestions[number];
  if (recording) game.questions.push(game.question);
  asked = unsent.length > 0 ? null : game.question;
  showControls();
}

const coordinates = ({ row, column }) => `${row + 1} ${column + 1}`;

function move(tile, direction) {
  if (asked === "play") answer("y", coordinates(tile), direction);
  else if (asked === "row") answer(coordinates(tile), direction);
}

function pickTile(tile) {
  if (!controlsTake("tile")) return;
  picked = picked === tile ? null : tile;
  showControls();
}

answerButtons.forEach((button) => button.addEventListener("click", () => {
  if (controlsTake("yes-no")) answer(button.dataset.answer);
}));
directionButtons.forEach((button) => button.addEventListener("click", () => {
  if (!controlsTake("direction")) return;
  if (asked === "direction") answer(button.dataset.direction);
  else move(picked, button.dataset.direction);
}));

// A touch on the board: a swipe from a tile moves it that way, a tap picks
// it. Touches elsewhere on the terminal do nothing, so no soft keyboard
// comes up over the game.
function tileUnder(touch) {
  const { width, height, box } = cellSize();
  const column = Math.floor((touch.clientX - box.left) / (2 * width));
  const row = Math.floor((touch.clientY - box.top) / height);
  const onBoard = row >= 0 && row < kBoardSide && column >= 0 && column < kBoardSide;
  return onBoard ? tiles[row * kBoardSide + column] : null;
}

let touchStart = null;
screen.addEventListener("touchstart", (event) => {
  event.preventDefault();
  const touch = event.changedTouches[0];
  touchStart = event.touches.length === 1 ? { x: touch.clientX, y: touch.clientY, tile: tileUnder(touch) } : null;
}, { passive: false });
screen.addEventListener("touchend", (event) => {
  event.preventDefault();
  const start = touchStart;
  touchStart = null;
  if (start === null || start.tile === null || !controlsTake("tile")) return;
  const touch = event.changedTouches[0];
  const across = touch.clientX - start.x;
  const down = touch.clientY - start.y;
  const reach = Math.max(8, cellSize().height / 2);
  if (Math.abs(across) < reach && Math.abs(down) < reach) {
    pickTile(start.tile);
  } else if (Math.abs(across) > Math.abs(down)) {
    move(start.tile, across > 0 ? "r" : "l");
  } else {
    move(start.tile, down > 0 ? "d" : "u");
  }
}, { passive: false });
screen.addEventListener("touchcancel", () => { touchStart = null; });

// The text line types its line into the terminal as it stands, then Enter.
lineForm.addEventListener("submit", (event) => {
  event.preventDefault();
  if (game === null) {
    startGame();
  } else {
    terminal.input(`${lineInput.value}\r`);
  }
  lineInput.value = "";
});

// Between games the keys typed are not echoed: the last game's screen
// stays as it ended, and only Enter means something.
function setEcho(on) {
  const termios = slave.ioctl("TCGETS");
  const lflag = on ? termios.lflag | Flags.ECHO : termios.lflag & ~Flags.ECHO;
  slave.ioctl("TCSETS", { ...termios, lflag });
}

// How a game ended, in words.
function endedBy(record) {
  switch (record.status) {
    case 0:
      if (record.ended === "input") return "The input ended (Ctrl-D), so the game is over.";
      if (record.question === "direction") return "The board offers no move: the game is over.";
      return "The game is over.";
    case 130: return "You ended the game with Ctrl-C.";
    case 131: return "You ended the game with Ctrl-\\.";
    default: return "The game stopped on an error.";
  }
}

function focusFirst(element) {
  element.focus({ preventScroll: true });
}

const focusGame = () => focusFirst(touchFirst ? answerButtons[0] : terminal.textarea);

function showEnd(record) {
  game = null;
  asked = null;
  unsent = [];
  showControls();
  setEcho(false);
  statusLine.textContent = `${endedBy(record)} Press Enter or New game for another.`;
  newGameButton.hidden = false;
  focusFirst(newGameButton);
}

// A game is a fresh instance of the game's module, with the record of it.
function prepareGame() {
  const record = { status: null, question: null, ended: null, questions: [], output: [], input: [] };
  const instance = createMatch3({
    instantiateWasm,
    match3Write: (bytes) => {
      undrawn += bytes.length;
      if (recording) record.output.push(bytes);
      slave.write(Array.from(bytes));
    },
    match3Read: readTyped,
    match3Question: onQuestion,
    printErr: (text) => slave.write(`${text}\n`),
  });
  return { record, instance };
}

async function startGame() {
  setEcho(true);
  typed = [];
  typedSize = 0;
  unsent = [];
  refusedNotice.hidden = true;
  newGameButton.hidden = true;
  statusLine.textContent = "";
  if (firstGame === null) {
    terminal.reset(); // the last game's screen and modes go
    focusGame();
  }
  const { record, instance: made } = firstGame ?? prepareGame();
  firstGame = null;
  window.match3Page.games.push(record);
  game = record;
  const instance = await made;
  let status;
  try {
    status = await instance.ccall("main", "number", [], [], { async: true });
  } catch (end) {
    // The game ended through exit(), by a signal: its status comes with it.
    if (typeof end?.status !== "number") throw end;
    status = end.status;
  }
  record.status = status;
  showEnd(record);
}

// At the first question the keys go to the game (unless the player has put
// the focus somewhere already). What the first board need not wait for
// comes once it is drawn: the screen reader's view of the terminal (its
// rows as text, and what the game writes read aloud), which costs as much
// as the terminal's own drawing, and the service worker.
let firstQuestionAsked = false;
function afterFirstBoard() {
  if (firstQuestionAsked) return;
  firstQuestionAsked = true;
  if (document.activeElement === document.body) focusGame();
  const drawn = terminal.onRender(() => {
    drawn.dispose();
    setTimeout(() => {
      terminal.options.screenReaderMode = true;
      askForWorker();
    });
  });
}

// The service worker keeps the site for playing offline. It is asked for
// once the page is idle after the first board, so that its downloads wait
// for the page's; where there is none (a private window, a host without
// it), the page plays as it is. A new site takes over when its worker is
// installed: the page says so, and the next load plays it.
function askForWorker() {
  if (!("serviceWorker" in navigator)) return;
  const updating = navigator.serviceWorker.controller !== null;
  navigator.serviceWorker.addEventListener("controllerchange", () => {
    if (updating) updateNotice.hidden = false;
  });
  const register = () => navigator.serviceWorker.register("sw.js").catch(() => {});
  if ("requestIdleCallback" in window) requestIdleCallback(register, { timeout: 2000 });
  else setTimeout(register, 500);
}

// For the page's tests and for the curious: the terminal, and every game's
// status, the question it waits at and, where the page was asked to
// record them (window.match3Record), the questions it asked and the bytes
// it read and wrote; and how many bytes typed wait for the game.
window.match3Page = { terminal, games: [], typedAhead: () => typedSize };
newGameButton.addEventListener("click", () => startGame());
new ResizeObserver(fitTerminal).observe(screen); // at once, then at every change
showControls();
startGame();
