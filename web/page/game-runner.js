// The game itself: a game as one run of the program in a fresh instance of
// its compiled WebAssembly, with the record of it.
import createMatch3 from "match3-game";

import { listeners } from "./listeners.js";

// Games of the game `compile()` gives, played through `pty` and `typed`.
// Each game's news (what the game says it drew, asked and how it ended)
// goes to the listeners of `onNews` as `(news, latest)` once the terminal
// has drawn what the game wrote before it; `latest` says that no later
// news waits behind it. With `recording`, a game's record keeps the
// questions it asked and every byte it read and wrote.
export function createGameRunner({ compile, pty, typed, recording }) {
  const news = listeners();
  // One game from its start to its end.
  async function run(record) {
    typed.begin();
    let told = 0;
    const instance = await createMatch3({
      instantiateWasm: (imports, receive) => {
        compile().then((module) => receive(new WebAssembly.Instance(module, imports), module), () => {});
        return {};
      },
      match3Write: (bytes) => {
        record.output?.push(bytes);
        pty.write(bytes);
      },
      match3Read: async (size) => {
        if (pty.farAhead()) await pty.drawn();
        const given = await typed.read(size);
        if (typeof given !== "number") record.input?.push(given);
        return given;
      },
      match3Told: (said) => {
        const number = ++told;
        pty.afterDrawn(() => {
          if (said.question) record.questions?.push(said.question);
          if (said.ended) record.ending = said;
          news.tell(said, number === told);
        });
      },
      printErr: (text) => pty.writeText(`${text}\n`),
    });
    let status;
    try {
      const ended = instance.ccall("main", "number", [], [], { async: true });
      // The game reads its clock, its board's seed, before it first waits
      // for an answer: by now it has.
      record.seed = Math.floor(Date.now() / 1000);
      status = await ended;
    } catch (end) {
      // The game ended through exit(), by a signal: its status comes with it.
      if (typeof end?.status !== "number") throw end;
      status = end.status;
    }
    typed.end();
    await pty.drawn(); // its last news applied
    record.status = status;
    return record;
  }

  return {
    onNews: news.add,
    // Resolves once the game is compiled, or rejects when it cannot be had.
    ready: compile,
    // A new game, once ready: its record (its seed, the second it read
    // from its clock; its exit status and how it ended, once it has), and
    // the promise of its end.
    play() {
      const record = {
        seed: null, status: null, ending: null,
        questions: recording ? [] : null, output: recording ? [] : null, input: recording ? [] : null,
      };
      return { record, finished: run(record) };
    },
  };
}
