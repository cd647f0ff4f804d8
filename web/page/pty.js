// Between the terminal and the game: a pseudo-terminal (xterm-pty), the
// terminal on its master side and the game on the other, whose line
// discipline echoes and edits what is typed, exactly as on Unix. The game's
// bytes go to the terminal as they are; what the game tells the page waits
// until the terminal has drawn the bytes written before it.
import { openpty } from "xterm-pty";

import { lineBound } from "./line-bound.js";

// A game that runs far ahead of what the terminal has drawn (answers typed
// far ahead) waits at its next read until the terminal has drawn it all,
// so that what waits to be drawn stays bounded, as in a terminal.
const kMostUndrawn = 64 * 1024;
// Ctrl-Z, which suspends nothing in a page: dropped before the line
// discipline, which would echo it and throw away the line typed so far.
const kSuspend = /\x1a/g;

// `onRefused()` when keys are refused.
export function createPty(terminal, { onRefused }) {
  const { master, slave } = openpty();
  const bound = lineBound(onRefused);
  const taken = (keys) => bound(keys.replace(kSuspend, "")); // the keys the line discipline gets
  let undrawn = 0; // bytes handed on and not yet drawn
  let writing = false; // whether the terminal is drawing a write
  const queue = []; // what waits for it, in order: bytes, and what waits for the bytes before it
  let handed = 0; // chunks handed on so far
  let held = null; // what waits for output held back by Ctrl-S, until Ctrl-Q

  // One write at a time: the bytes queued up to the next waiting callback,
  // joined, as a terminal takes what has come while it was busy.
  function pump() {
    while (!writing && typeof queue[0] === "function") queue.shift()();
    if (writing || queue.length === 0) return;
    const end = queue.findIndex((item) => typeof item === "function");
    const chunks = queue.splice(0, end === -1 ? queue.length : end);
    const data = new Uint8Array(chunks.reduce((size, chunk) => size + chunk.length, 0));
    chunks.reduce((offset, chunk) => (data.set(chunk, offset), offset + chunk.length), 0);
    writing = true;
    terminal.write(data, () => {
      writing = false;
      undrawn -= data.length;
      pump();
    });
  }

  // `then()` once the terminal has drawn every byte handed to it so far.
  function afterDrawn(then) {
    if (held !== null) {
      held.push(then);
    } else {
      queue.push(then);
      pump();
    }
  }

  master.activate({
    write: (data, done) => {
      handed += 1;
      undrawn += data.length;
      queue.push(data);
      if (held !== null) { // output let through again: the rest of it comes before the next task
        const released = held;
        held = null;
        queueMicrotask(() => released.forEach(afterDrawn));
      }
      pump();
      done();
    },
    onData: (listener) => terminal.onData((keys) => listener(taken(keys))),
    onBinary: (listener) => terminal.onBinary((keys) => listener(taken(keys))),
    onResize: (listener) => terminal.onResize(listener),
  });

  return {
    slave,
    afterDrawn,
    drawn: () => new Promise(afterDrawn),
    // Whether the game has run too far ahead of the terminal.
    farAhead: () => undrawn > kMostUndrawn,
    write(bytes) {
      const before = handed;
      slave.write(Array.from(bytes));
      if (handed === before && bytes.length > 0) held ??= [];
    },
    writeText: (text) => slave.write(text),
  };
}
