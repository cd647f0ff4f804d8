#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "console/console.hpp"

namespace match3 {

// How a host moves the game's bytes: the count moved (0 at the end of the
// input), or a negative errno value.
using ReadBytes = long (*)(char* bytes, std::size_t size);
using WriteBytes = long (*)(const char* bytes, std::size_t size);

// Standard output as the game writes it: a buffer handed to the host at
// every flush, its Windows-1251 bytes turned into UTF-8 on the way in when
// `utf8`. What cannot be written is lost and the game plays on; the first
// error is kept for the end.
struct ByteOutput {
  WriteBytes write = nullptr;
  bool utf8 = false;
  std::array<char, 8192> bytes{};
  std::size_t size = 0;
  int error = 0;  // the first write that failed (an errno value), or 0
};

// Standard input as the game reads it. A read that fails ends the input as
// its end would, and the error is kept for the end.
struct ByteInput {
  ReadBytes read = nullptr;
  std::array<char, 8192> bytes{};
  std::size_t next = 0;
  std::size_t end = 0;
  int error = 0;        // the first read that failed (an errno value), or 0
  bool ended = false;   // a token ran into the end of the input
  bool failed = false;  // a read failed: every later read fails too
};

// What peekByte gives at the end of the input.
inline constexpr int kEndOfInput = -1;

void putBytes(ByteOutput& output, std::string_view text);
// Hands everything buffered to the host; false when a write failed.
bool flushBytes(ByteOutput& output);
// Reads the next bytes from the host, once those buffered are used up, and
// gives the first (0 to 255), or kEndOfInput.
[[nodiscard]] int refillInput(ByteInput& input);
// The byte the input stands at (0 to 255), or kEndOfInput.
[[nodiscard]] inline int peekByte(ByteInput& input) {
  return input.next < input.end ? static_cast<unsigned char>(input.bytes[input.next])
                                : refillInput(input);
}
// Steps past the byte the input stands at and gives the next one.
[[nodiscard]] inline int nextByte(ByteInput& input) {
  if (input.next < input.end) {
    ++input.next;
  }
  return peekByte(input);
}
// Keeps `error` unless an earlier one is kept.
inline void keepError(int& kept, int error) { kept = kept == 0 ? error : kept; }

// The game's standard streams. A host wires them to its read and write
// functions when the game starts; a test may wire them to its own.
[[nodiscard]] ByteInput& standardInput();
[[nodiscard]] ByteOutput& standardOutput();
void wireStandardStreams(ReadBytes read, WriteBytes write, bool utf8);
// The first error met reading and writing (errno values; 0 where there was
// none).
[[nodiscard]] StreamErrors standardStreamErrors();

}  // namespace match3
