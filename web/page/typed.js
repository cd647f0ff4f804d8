// What is typed for the game: the bytes the line discipline passes on wait
// here for the game's reads, at most kMostTypedAhead of them; a signal
// (Ctrl-C, Ctrl-\) goes before everything else. Between games nothing
// typed is echoed, and only Enter means something.
import { Flags } from "xterm-pty";

import { kMostTypedAhead, kSignals } from "./game-constants.js";
import { listeners } from "./listeners.js";

// `onRefused()` when keys are refused.
export function createTyped(slave, { onRefused }) {
  let typed = []; // chunks of bytes, an empty chunk for the end of the input, or a signal's number
  let typedSize = 0;
  let wakeReader = null;
  let playing = false;
  const enters = listeners();
  const waits = listeners();
  const linesRead = listeners();

  const wake = () => {
    if (wakeReader !== null && typed.length > 0) {
      const reader = wakeReader;
      wakeReader = null;
      reader();
    }
  };

  slave.onReadable(() => {
    const bytes = slave.readable ? slave.read() : [];
    if (!playing) {
      if (bytes.includes(10) || bytes.includes(13)) enters.tell();
      return;
    }
    const room = kMostTypedAhead - typedSize;
    if (bytes.length > room) onRefused();
    const taken = bytes.slice(0, Math.max(0, room));
    if (taken.length > 0 || bytes.length === 0) {
      typed.push(Uint8Array.from(taken));
      typedSize += taken.length;
    }
    wake();
  });
  slave.onSignal((signal) => {
    if (playing && signal in kSignals) { // Ctrl-Z means nothing here: the game goes on
      typed = [kSignals[signal]];
      typedSize = 0;
      wake();
    }
  });

  function setEcho(on) {
    const termios = slave.ioctl("TCGETS");
    slave.ioctl("TCSETS", { ...termios, lflag: on ? termios.lflag | Flags.ECHO : termios.lflag & ~Flags.ECHO });
  }

  return {
    // The game's read: up to `size` bytes typed, an empty array at the end
    // of the input, or a signal's number.
    async read(size) {
      if (typed.length === 0) waits.tell();
      while (typed.length === 0) await new Promise((woken) => { wakeReader = woken; });
      const first = typed[0];
      const whole = typeof first === "number" || first.length <= size;
      const given = whole ? first : first.subarray(0, size);
      if (whole) typed.shift();
      else typed[0] = first.subarray(size);
      typedSize -= given.length ?? 0;
      if (given.includes?.(10)) linesRead.tell();
      return given;
    },
    begin() {
      playing = true;
      typed = [];
      typedSize = 0;
      setEcho(true);
    },
    end() {
      playing = false;
      setEcho(false);
    },
    waiting: () => wakeReader !== null && typed.length === 0,
    typedAhead: () => typedSize,
    // `listener()` hears Enter typed while no game runs, that the game is
    // about to wait for keys, and that it has read to the end of a line.
    onEnterBetweenGames: enters.add,
    onWaiting: waits.add,
    onLineRead: linesRead.add,
  };
}
