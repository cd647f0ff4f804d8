// Between the terminal and the game: a pseudo-terminal (xterm-pty), the
// terminal on its master side and the game on the other, whose line
// discipline echoes and edits what is typed, exactly as on Unix. The bytes
// typed wait here for the game's reads; the game's bytes go to the terminal
// as they are, and the page never reads them.
import { Flags, openpty } from "xterm-pty";
import { kMostTypedAhead, kSignals } from "./game-constants.js";
import { lineBound } from "./line-bound.js";

// `onRefused()` when keys are refused; `onEnterBetweenGames()` for Enter
// typed while no game runs; `beforeWaiting()` when the game is about to
// wait for keys (the page's own answers are typed then).
export function createBridge(terminal, { onRefused, onEnterBetweenGames, beforeWaiting }) {
  const { master, slave } = openpty();
  const bound = lineBound(onRefused);

  // A game that runs far ahead of what the terminal has drawn (answers
  // typed far ahead) waits at its next read until the terminal has drawn it
  // all, so that what waits to be drawn stays bounded, as in a terminal.
  const kMostUndrawn = 64 * 1024;
  let undrawn = 0; // bytes written since the terminal last caught up
  let drawing = 0; // chunks handed to the terminal and not yet drawn
  let whenDrawn = [];
  master.activate({
    write: (data, done) => {
      drawing += 1;
      terminal.write(data, () => {
        done(); // may hand over the next chunk at once
        drawing -= 1;
        if (drawing === 0) {
          undrawn = 0;
          whenDrawn.splice(0).forEach((wake) => wake());
        }
      });
    },
    onData: (listener) => terminal.onData((keys) => listener(bound(keys))),
    onBinary: (listener) => terminal.onBinary((keys) => listener(bound(keys))),
    onResize: (listener) => terminal.onResize(listener),
  });

  // What the line discipline has passed on for the game: chunks of bytes,
  // an empty chunk for the end of the input, or a signal's number, which
  // goes before everything else.
  let typed = [];
  let typedSize = 0;
  let wakeReader = null;
  let game = null; // the record of the game running, if any
  const wake = () => {
    if (wakeReader !== null && typed.length > 0) {
      const reader = wakeReader;
      wakeReader = null;
      reader();
    }
  };

  slave.onReadable(() => {
    const bytes = slave.readable ? slave.read() : [];
    if (game === null) {
      if (bytes.includes(10) || bytes.includes(13)) onEnterBetweenGames();
      return;
    }
    const room = kMostTypedAhead - typedSize;
    if (bytes.length > room) onRefused();
    const taken = bytes.slice(0, Math.max(0, room));
    if (taken.length > 0 || bytes.length === 0) {
      typed.push(Uint8Array.from(taken));
      typedSize += taken.length;
      if (taken.length === 0) game.ended = "input";
    }
    wake();
  });
  slave.onSignal((signal) => {
    if (game !== null && signal in kSignals) { // Ctrl-Z means nothing here: the game goes on
      typed = [kSignals[signal]];
      typedSize = 0;
      wake();
    }
  });

  // The game's read: up to `size` bytes typed, an empty array at the end
  // of the input, or a signal's number. What it reads goes on the record,
  // and the last whole line of it always, to say why a game ended.
  const decoder = new TextDecoder();
  async function read(size) {
    if (undrawn > kMostUndrawn && drawing > 0) await new Promise((woken) => whenDrawn.push(woken));
    if (typed.length === 0) beforeWaiting();
    while (typed.length === 0) await new Promise((woken) => { wakeReader = woken; });
    const first = typed[0];
    const whole = typeof first === "number" || first.length <= size;
    const given = whole ? first : first.subarray(0, size);
    if (whole) typed.shift();
    else typed[0] = first.subarray(size);
    if (typeof given !== "number") {
      typedSize -= given.length;
      game.input?.push(given);
      const lines = (game.unfinished + decoder.decode(given)).split("\n");
      game.unfinished = lines.pop();
      const last = lines.filter((line) => line.trim() !== "").at(-1);
      if (last !== undefined) Object.assign(game, { lastLine: last, lastLineAt: game.question });
    }
    return given;
  }

  // Between games the keys typed are not echoed: the last game's screen
  // stays as it ended, and only Enter means something.
  function setEcho(on) {
    const termios = slave.ioctl("TCGETS");
    slave.ioctl("TCSETS", { ...termios, lflag: on ? termios.lflag | Flags.ECHO : termios.lflag & ~Flags.ECHO });
  }

  return {
    read,
    write: (bytes) => {
      undrawn += bytes.length;
      slave.write(Array.from(bytes));
    },
    writeText: (text) => slave.write(text),
    begin: (record) => {
      game = record;
      typed = [];
      typedSize = 0;
      setEcho(true);
    },
    end: () => {
      game = null;
      setEcho(false);
    },
    waiting: () => wakeReader !== null && typed.length === 0,
    // `callback()` once the terminal has drawn all the game wrote.
    whenDrawn: (callback) => (drawing === 0 ? callback() : whenDrawn.push(callback)),
    typedAhead: () => typedSize,
  };
}
