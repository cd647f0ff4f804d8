import { kLongestLine } from "./game-constants.js";

// The line being typed stays in the line discipline until its end comes, so
// its length is bounded before the keys get there: beyond kLongestLine bytes
// they are refused, as a terminal refuses them. The length counted is at
// least the line's (Backspace takes off one byte of a character that may
// have more), so the bound holds.
const kLineEnds = new Set(["\r", "\n", "\x04", "\x15", "\x03", "\x1c"]); // Enter, Ctrl-D, Ctrl-U, the signals
const kErase = "\x7f";
const utf8Length = (char) => {
  const code = char.codePointAt(0); // a lone surrogate goes as U+FFFD, in 3 bytes
  return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
};
export function lineBound(onRefused) {
  let length = 0;
  return (keys) => {
    let kept = "";
    let refused = false;
    for (const char of keys) {
      if (kLineEnds.has(char)) {
        length = 0;
      } else if (char === kErase) {
        length = Math.max(0, length - 1);
      } else if (length + utf8Length(char) > kLongestLine) {
        refused = true;
        continue;
      } else {
        length += utf8Length(char);
      }
      kept += char;
    }
    if (refused) onRefused();
    return kept;
  };
}
