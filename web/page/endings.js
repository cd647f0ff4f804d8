// How a game ended, in the page's words (`words`, a table of words.js), from
// what the game said of it (its news `{ ended, word, question, signal }`)
// and its exit status. For an answer the game could not take, the notice
// quotes the word that ended it and says which answers the game takes
// there, or, for a word with a Cyrillic letter, that it takes Latin ones.
import { kSignals } from "./game-constants.js";

const kKeys = { SIGINT: "Ctrl-C", SIGQUIT: "Ctrl-\\" };
const kLongestQuoted = 12; // characters of a word quoted; a longer one ends in …

// The word as the game kept it (bytes, perhaps cut inside a character), as
// the notice quotes it, within `open` and `close`.
export function quoted(bytes, [open, close] = ["“", "”"]) {
  const whole = new TextDecoder().decode(bytes, { stream: true }); // an unfinished last character left out
  const cut = whole !== new TextDecoder().decode(bytes);
  const characters = [...whole];
  const short = characters.length > kLongestQuoted || cut;
  return `${open}${characters.slice(0, kLongestQuoted).join("")}${short ? "…" : ""}${close}`;
}

export function endNotice(ending, status, words) {
  const { ended, word, question, signal } = ending ?? {};
  if (ended === "signal") {
    const name = Object.keys(kSignals).find((key) => kSignals[key] === signal);
    return name in kKeys ? words.byKey(kKeys[name]) : words.bySignal(signal);
  }
  if (status !== 0) return words.error;
  const said = (ended === "word" || ended === "number") && quoted(word, words.quotes);
  if (said && /\p{Script=Cyrillic}/u.test(said)) return words.cyrillic(said);
  switch (ended) {
    case "input": return words.inputEnded;
    case "reversing": return words.reversing;
    case "number": return words.notANumber(said);
    case "word": return question === "start" || question === "play" ? words.notYesNo(said) : words.notTaken(said);
    default: return words.over;
  }
}
