#include "flow/answers.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "console/byte_streams.hpp"
#include "console/output.hpp"

namespace match3 {
namespace {

[[nodiscard]] bool isWhiteSpace(int byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); }

[[nodiscard]] bool isDigit(int byte) { return byte >= '0' && byte <= '9'; }

// Begins a read: after a failed read, or one cut short by the end of the
// input, it fails at once; otherwise it shows what was written, skips white
// space and gives the token's first byte, or kEndOfInput when the read has
// failed.
[[nodiscard]] int startToken(ByteInput& input) {
  if (input.failed || input.ended) {
    input.failed = true;
    return kEndOfInput;
  }
  flushOutput();
  int byte = peekByte(input);
  while (byte != kEndOfInput && isWhiteSpace(byte)) {
    byte = nextByte(input);
  }
  if (byte == kEndOfInput) {
    input.ended = true;
    input.failed = true;
  }
  return byte;
}

// The number that failed the reads, if one did.
Word failedNumber;

void append(Word& word, int byte) {
  if (word.size < word.bytes.size()) {
    word.bytes.at(word.size++) = static_cast<char>(byte);
  }
}

// Keeps the token of a number that cannot be read: its bytes read so far,
// then those still buffered up to the first white space, without waiting
// for more.
void keepFailedNumber(const ByteInput& input, Word token) {
  for (std::size_t at = input.next; at < input.end; ++at) {
    const auto byte = static_cast<unsigned char>(input.bytes.at(at));
    if (isWhiteSpace(byte)) {
      break;
    }
    append(token, byte);
  }
  failedNumber = token;
}

}  // namespace

Word readWord() {
  Word word;
  ByteInput& input = standardInput();
  int byte = startToken(input);
  if (byte == kEndOfInput) {
    return word;
  }
  do {
    append(word, byte);
    byte = nextByte(input);
  } while (byte != kEndOfInput && !isWhiteSpace(byte));
  input.ended = byte == kEndOfInput;
  return word;
}

int readNumber() {
  ByteInput& input = standardInput();
  int byte = startToken(input);
  if (byte == kEndOfInput) {
    return 0;
  }
  Word token;  // kept for the host's word on a number that cannot be read
  const bool negative = byte == '-';
  if (negative || byte == '+') {
    append(token, byte);
    byte = nextByte(input);
  }
  // The digits' value, held no higher than one past the largest magnitude
  // an int can take, so that any number of digits fits.
  constexpr std::uint64_t kPastRange = std::uint64_t{1} << 31U;
  std::uint64_t magnitude = 0;
  bool anyDigit = false;
  while (byte != kEndOfInput && isDigit(byte)) {
    anyDigit = true;
    append(token, byte);
    magnitude = std::min(magnitude * 10 + static_cast<std::uint64_t>(byte - '0'), kPastRange + 1);
    byte = nextByte(input);
  }
  input.ended = byte == kEndOfInput;
  if (!anyDigit) {
    input.failed = true;
    keepFailedNumber(input, token);
    return 0;
  }
  const std::uint64_t largest = negative ? kPastRange : kPastRange - 1;
  if (magnitude > largest) {
    input.failed = true;
    keepFailedNumber(input, token);
    return negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  }
  const auto value = static_cast<std::int64_t>(magnitude);
  return static_cast<int>(negative ? -value : value);
}

ReadFailure readFailure() {
  const ByteInput& input = standardInput();
  if (!input.failed) {
    return ReadFailure::none;
  }
  return input.ended ? ReadFailure::endOfInput : ReadFailure::numberNotRead;
}

Word unreadNumber() { return failedNumber; }

bool isYes(std::string_view word) { return word == "y" || word == "Y"; }

bool isNo(std::string_view word) { return word == "n" || word == "N"; }

}  // namespace match3
