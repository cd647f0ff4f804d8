// How a game ended, in the page's words, from what the game said of it (its
// news `{ ended, word, question, signal }`) and its exit status. For an
// answer the game could not take, the notice quotes the word that ended it
// and says which answers the game takes there.
import { kSignals } from "./game-constants.js";

const kKeys = { SIGINT: "Ctrl-C", SIGQUIT: "Ctrl-\\" };
const kLongestQuoted = 12; // characters of a word quoted; a longer one ends in …

// The word as the game kept it (bytes, perhaps cut inside a character), as
// the notice quotes it.
export function quoted(bytes) {
  const whole = new TextDecoder().decode(bytes, { stream: true }); // an unfinished last character left out
  const cut = whole !== new TextDecoder().decode(bytes);
  const characters = [...whole];
  const short = characters.length > kLongestQuoted || cut;
  return `“${characters.slice(0, kLongestQuoted).join("")}${short ? "…" : ""}”`;
}

export function endNotice(ending, status) {
  const { ended, word, question, signal } = ending ?? {};
  if (ended === "signal") {
    const name = Object.keys(kSignals).find((key) => kSignals[key] === signal);
    return `You ended the game with ${kKeys[name] ?? `signal ${signal}`}.`;
  }
  if (status !== 0) return "The game stopped on an error.";
  switch (ended) {
    case "input": return "The input ended (Ctrl-D), so the game is over.";
    case "reversing": return "The board offers no move: the game is over.";
    case "number": return `The game takes a row and a column, as 3 4, so ${quoted(word)} ended it.`;
    case "word": return question === "start" || question === "play"
      ? `The game takes y or n here, so ${quoted(word)} ended it.`
      : `The game could not take ${quoted(word)}.`;
    default: return "The game is over.";
  }
}
