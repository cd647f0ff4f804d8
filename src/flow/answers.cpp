#include "flow/answers.hpp"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <limits>
#include <streambuf>

namespace match3 {
namespace {

using Traits = std::char_traits<char>;

[[nodiscard]] bool isEnd(Traits::int_type byte) { return Traits::eq_int_type(byte, Traits::eof()); }

[[nodiscard]] bool isWhiteSpace(Traits::int_type byte) {
  return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

[[nodiscard]] bool isDigit(Traits::int_type byte) { return byte >= '0' && byte <= '9'; }

// Begins a read: after a failed read it fails at once; otherwise it shows
// what was written, skips white space and leaves the input at the token's
// first byte. Returns the input, or nullptr when the read has failed.
[[nodiscard]] std::streambuf* startToken() {
  if (!std::cin.good()) {
    std::cin.setstate(std::ios::failbit);
    return nullptr;
  }
  std::cout.flush();
  std::streambuf* const input = std::cin.rdbuf();
  Traits::int_type byte = input->sgetc();
  while (!isEnd(byte) && isWhiteSpace(byte)) {
    byte = input->snextc();
  }
  if (isEnd(byte)) {
    std::cin.setstate(std::ios::eofbit | std::ios::failbit);
    return nullptr;
  }
  return input;
}

}  // namespace

Word readWord() {
  Word word;
  std::streambuf* const input = startToken();
  if (input == nullptr) {
    return word;
  }
  Traits::int_type byte = input->sgetc();
  do {
    if (word.size < word.bytes.size()) {
      word.bytes.at(word.size++) = Traits::to_char_type(byte);
    }
    byte = input->snextc();
  } while (!isEnd(byte) && !isWhiteSpace(byte));
  if (isEnd(byte)) {
    std::cin.setstate(std::ios::eofbit);
  }
  return word;
}

int readNumber() {
  std::streambuf* const input = startToken();
  if (input == nullptr) {
    return 0;
  }
  Traits::int_type byte = input->sgetc();
  const bool negative = byte == '-';
  if (negative || byte == '+') {
    byte = input->snextc();
  }
  // The digits' value, held no higher than one past the largest magnitude
  // an int can take, so that any number of digits fits.
  constexpr std::uint64_t kPastRange = std::uint64_t{1} << 31U;
  std::uint64_t magnitude = 0;
  bool anyDigit = false;
  while (!isEnd(byte) && isDigit(byte)) {
    anyDigit = true;
    magnitude = std::min(magnitude * 10 + static_cast<std::uint64_t>(byte - '0'), kPastRange + 1);
    byte = input->snextc();
  }
  if (isEnd(byte)) {
    std::cin.setstate(std::ios::eofbit);
  }
  if (!anyDigit) {
    std::cin.setstate(std::ios::failbit);
    return 0;
  }
  const std::uint64_t largest = negative ? kPastRange : kPastRange - 1;
  if (magnitude > largest) {
    std::cin.setstate(std::ios::failbit);
    return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  }
  const auto value = static_cast<std::int64_t>(magnitude);
  return static_cast<int>(negative ? -value : value);
}

bool isYes(std::string_view word) { return word == "y" || word == "Y"; }

bool isNo(std::string_view word) { return word == "n" || word == "N"; }

}  // namespace match3
