#pragma once

#include <string>

namespace match3 {

// One whitespace-separated word from standard input. A read that fails, at
// the end of input or after a failed number, gives an empty word.
[[nodiscard]] std::string readWord();

// One integer as the stream reads an int. A read that fails before any digit
// gives 0; one that overflows gives the nearest int. After either, every
// later read fails too.
[[nodiscard]] int readNumber();

// Answers compare exactly over the whole word: "yes" and "no" are neither.
[[nodiscard]] bool isYes(const std::string& word);
[[nodiscard]] bool isNo(const std::string& word);

}  // namespace match3
