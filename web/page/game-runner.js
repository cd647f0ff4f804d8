// The game itself: its WebAssembly, fetched and compiled once for every game
// the page plays, and a game as one run of the program in a fresh instance,
// with the record of it.
import createMatch3 from "match3-game";
import { kQuestions } from "./game-constants.js";

// The page's head began compiling the game as the page loaded; once it is
// compiled, a game's instance is made on the spot, so that the game writes
// its first board before the page draws again. A download that failed is
// tried again by the next game: `failed()` hears of it.
let compiledGame = null;
function instantiateWasm(imports, receive, failed) {
  const start = (module) => receive(new WebAssembly.Instance(module, imports), module);
  if (window.match3Compiled instanceof WebAssembly.Module) {
    start(window.match3Compiled);
    return {};
  }
  compiledGame ??= (window.match3Compiling ?? Promise.reject(new Error("not begun")))
    .catch(() => fetch("match3.wasm").then((response) => {
      if (!response.ok) throw new Error(`match3.wasm: ${response.status}`);
      return response.arrayBuffer();
    }).then(WebAssembly.compile))
    .then((module) => (window.match3Compiled = module));
  compiledGame.then(start, () => {
    compiledGame = null;
    window.match3Compiling = null;
    failed();
  });
  return {};
}

// A game ready to run on `bridge`: `onQuestion(name)` hears each question
// the game reads the answer to, `failed()` that the game could not be had. The record keeps the game's status, the
// question it waits at and how its input ended, and, with `recording`, the
// questions it asked and every byte it read and wrote.
export function prepareGame(bridge, { onQuestion, failed, recording }) {
  const record = {
    status: null, question: null, ended: null, lastLine: "", lastLineAt: null, unfinished: "",
    questions: recording ? [] : null, output: recording ? [] : null, input: recording ? [] : null,
  };
  const instance = createMatch3({
    instantiateWasm: (imports, receive) => instantiateWasm(imports, receive, failed),
    match3Write: (bytes) => {
      record.output?.push(bytes);
      bridge.write(bytes);
    },
    match3Read: bridge.read,
    match3Question: (number) => {
      record.question = kQuestions[number];
      record.questions?.push(record.question);
      onQuestion(record.question);
    },
    printErr: (text) => bridge.writeText(`${text}\n`),
  });
  return { record, instance };
}

// Runs a prepared game to its end; resolves to its exit status.
export async function runGame({ record, instance }, bridge) {
  bridge.begin(record);
  const game = await instance;
  let status;
  try {
    status = await game.ccall("main", "number", [], [], { async: true });
  } catch (end) {
    // The game ended through exit(), by a signal: its status comes with it.
    if (typeof end?.status !== "number") throw end;
    status = end.status;
  }
  record.status = status;
  bridge.end();
  return status;
}
