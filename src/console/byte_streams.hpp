#pragma once

#include <array>
#include <cstddef>
#include <streambuf>

#include "console/console.hpp"

namespace match3 {

// How a host moves the game's bytes: the count moved (0 at the end of the
// input), or a negative errno value.
using ReadBytes = long (*)(char* bytes, std::size_t size);
using WriteBytes = long (*)(const char* bytes, std::size_t size);

// Standard output as the game writes it: a buffer handed to the host at
// every flush. What cannot be written is lost and the game plays on; the
// first error is kept for the end. (The stream library's own file buffer
// would consult a locale facet on every write, which costs more than the
// game's rules.)
class ByteOutputBuffer : public std::streambuf {
 public:
  explicit ByteOutputBuffer(WriteBytes write);

  // The first write that failed (an errno value), or 0.
  [[nodiscard]] int error() const { return error_; }
  void fail(int error) { error_ = error_ == 0 ? error : error_; }

 protected:
  int_type overflow(int_type byte) override;
  int sync() override;

 private:
  bool drain();

  WriteBytes write_;
  std::array<char, 8192> bytes_{};
  int error_ = 0;
};

// Standard input as the game reads it. A read that fails ends the input as
// its end would, and the error is kept for the end. (The stream library's
// file buffer would throw instead, past the game.)
class ByteInputBuffer : public std::streambuf {
 public:
  explicit ByteInputBuffer(ReadBytes read) : read_(read) {}

  // The first read that failed (an errno value), or 0. After it, the input
  // has ended.
  [[nodiscard]] int error() const { return error_; }
  void fail(int error) { error_ = error_ == 0 ? error : error_; }

 protected:
  int_type underflow() override;

 private:
  ReadBytes read_;
  std::array<char, 8192> bytes_{};
  int error_ = 0;
};

// The game's standard streams on a host: std::cin reads through `read`,
// std::cout writes through `write`, turned into UTF-8 on the way when
// `utf8` (the game's text is Windows-1251). The buffers are made at the
// first call, with that call's functions, and live until the program ends.
struct StandardStreams {
  ByteInputBuffer& input;
  ByteOutputBuffer& output;
};
StandardStreams wireStandardStreams(ReadBytes read, WriteBytes write, bool utf8);
// Gives std::cin and std::cout back the buffers they had before.
void unwireStandardStreams();
// The first error met reading and writing (errno values; 0 where there was
// none, or where the streams were never wired).
[[nodiscard]] StreamErrors standardStreamErrors();

}  // namespace match3
