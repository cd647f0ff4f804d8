#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace match3 {

// How the game reads its answers from standard input. These are the game's
// own rules, the same with any C++ library, and no answer, however long,
// takes more memory than a few bytes:
//
// - White space is the six bytes space, \t, \n, \v, \f and \r. Every read
//   skips the white space before its token. Every other byte, NUL and bytes
//   from 0x80 up included, belongs to a word.
// - A word runs to the next white space byte or the end of the input. The
//   white space after it is left for the next read.
// - A number is an optional sign (+ or -) followed by decimal digits, as
//   many as there are; leading zeros are allowed. It ends at the first byte
//   that is not a digit, which is left for the next read: "3r" reads as 3
//   and leaves "r", "0x5" as 0 and leaves "x5", "3.5" as 3 and leaves ".5".
//   A number beyond the range of an int reads as the largest or the
//   smallest int. One without a digit ("-", "x") reads as 0.
// - A read fails when it finds no token before the end of the input, when a
//   number has no digit, or when a number is out of range. After a failed
//   read every later read fails too: a word reads as empty, a number as 0.
// - A token cut short by the end of the input is read as it stands, and
//   every later read fails.
// - A read error (a directory or a closed descriptor as standard input, a
//   terminal that has gone) ends the input there, exactly as its end would.
//   The console keeps the error, and the game reports it once it is over.
// - Before it waits, a read puts everything written so far on the screen.

// The longest answer the game compares a word with.
inline constexpr std::size_t kLongestAnswer = 16;

// A word as the game keeps it: its first kLongestAnswer + 1 bytes, the rest
// skipped without being stored. Compared with an answer of up to
// kLongestAnswer bytes, it gives what the whole word would give: a longer
// word matches none.
struct Word {
  std::array<char, kLongestAnswer + 1> bytes{};
  std::size_t size = 0;

  [[nodiscard]] std::string_view view() const { return {bytes.data(), size}; }
};

// One word from standard input; empty when the read fails.
[[nodiscard]] Word readWord();

// One number from standard input.
[[nodiscard]] int readNumber();

// Why the reads fail, once one has: the end of the input (a token cut short
// by it included), or a number the game could not read. The token of that
// number is kept as a word is: the bytes read, then those already buffered
// up to white space, as finding its end never waits for more.
enum class ReadFailure { none, endOfInput, numberNotRead };
[[nodiscard]] ReadFailure readFailure();
[[nodiscard]] Word unreadNumber();

// Answers compare exactly over the whole word: "yes" and "no" are neither.
[[nodiscard]] bool isYes(std::string_view word);
[[nodiscard]] bool isNo(std::string_view word);

}  // namespace match3
