// The page: a terminal (xterm.js) with a pseudo-terminal in front of it
// (xterm-pty), whose line discipline echoes and edits what is typed, and the
// game on the other side of it. The game's bytes go to the terminal as they
// are and the page never reads them; a game is one run of the program, and
// a new game a new run.
import { Flags, openpty } from "./xterm/xterm-pty.mjs";
import createMatch3 from "./match3.js";

const kRows = 50; // what the game asks for
const kFewestColumns = 50;
const kMostTypedAhead = 64 * 1024; // bytes waiting for the game at most
const kLongestLine = 4095; // bytes of a line being typed, as a terminal holds
const kSignals = { SIGINT: 2, SIGQUIT: 3 }; // what Ctrl-C and Ctrl-\ send

const terminal = new Terminal({
  rows: kRows,
  cols: kFewestColumns,
  fontFamily: '"DejaVu Sans Mono", "Liberation Mono", Menlo, Consolas, monospace',
  theme: { background: "#000000", black: "#000000" },
});
const fit = new FitAddon.FitAddon();
terminal.loadAddon(fit);
terminal.open(document.getElementById("terminal"));
const { master, slave } = openpty();

function fitColumns() {
  const proposed = fit.proposeDimensions();
  terminal.resize(Math.max(kFewestColumns, proposed?.cols ?? kFewestColumns), kRows);
}
fitColumns();
window.addEventListener("resize", fitColumns);
terminal.focus();

const statusLine = document.getElementById("status");
const newGameButton = document.getElementById("new-game");
const refusedNotice = document.getElementById("refused");

function refuseKeys() {
  refusedNotice.hidden = false;
  terminal.write("\x07");
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

// The pseudo-terminal's master takes the terminal's keys through boundLine;
// everything else goes to the terminal as it is.
master.activate({
  write: (data, done) => terminal.write(data, done),
  onData: (listener) => terminal.onData((keys) => listener(boundLine(keys))),
  onBinary: (listener) => terminal.onBinary((keys) => listener(boundLine(keys))),
  onResize: (listener) => terminal.onResize(listener),
});

// What the player has typed and the line discipline has passed on, waiting
// for the game: chunks of bytes, an empty chunk for the end of the input,
// or a signal's number, which goes before everything else.
let typed = [];
let typedSize = 0;
let wakeReader = null;
let game = null; // the game running, if any

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

// The game's read: up to `size` bytes typed, an empty array at the end of
// the input, or a signal's number.
async function readTyped(size) {
  while (typed.length === 0) {
    await new Promise((resolve) => {
      wakeReader = resolve;
    });
  }
  const first = typed[0];
  if (typeof first === "number" || first.length <= size) {
    typed.shift();
    typedSize -= typeof first === "number" ? 0 : first.length;
    return first;
  }
  typed[0] = first.subarray(size);
  typedSize -= size;
  return first.subarray(0, size);
}

// Between games the keys typed are not echoed: the last game's screen
// stays as it ended, and only Enter means something.
function setEcho(on) {
  const termios = slave.ioctl("TCGETS");
  const lflag = on ? termios.lflag | Flags.ECHO : termios.lflag & ~Flags.ECHO;
  slave.ioctl("TCSETS", { ...termios, lflag });
}

function showEnd(status) {
  game = null;
  setEcho(false);
  statusLine.textContent = `The game is over (exit status ${status}). Press Enter or the button for a new game.`;
  newGameButton.hidden = false;
  newGameButton.focus();
}

async function startGame() {
  setEcho(true);
  typed = [];
  typedSize = 0;
  refusedNotice.hidden = true;
  newGameButton.hidden = true;
  statusLine.textContent = "";
  const record = { output: [], status: null };
  window.match3Page.games.push(record);
  game = record;
  terminal.reset();
  terminal.focus();
  const instance = await createMatch3({
    match3Write: (bytes) => {
      record.output.push(bytes);
      slave.write(Array.from(bytes));
    },
    match3Read: readTyped,
    printErr: (text) => slave.write(`${text}\n`),
  });
  let status;
  try {
    status = await instance.ccall("main", "number", [], [], { async: true });
  } catch (end) {
    // The game ended through exit(), by a signal: its status comes with it.
    if (typeof end?.status !== "number") throw end;
    status = end.status;
  }
  record.status = status;
  showEnd(status);
}

// For the page's tests and for the curious: the terminal, and every game's
// bytes and status.
window.match3Page = { terminal, games: [] };
newGameButton.addEventListener("click", () => startGame());
startGame();
