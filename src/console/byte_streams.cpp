#include "console/byte_streams.hpp"

#include <cerrno>
#include <iostream>

#include "console/text_encoding.hpp"

namespace match3 {
namespace {

struct Wiring {
  ByteInputBuffer* input = nullptr;
  ByteOutputBuffer* output = nullptr;
  std::streambuf* savedInput = nullptr;
  std::streambuf* savedOutput = nullptr;
};
Wiring wiring;

}  // namespace

ByteOutputBuffer::ByteOutputBuffer(WriteBytes write) : write_(write) {
  setp(bytes_.data(), bytes_.data() + bytes_.size());
}

ByteOutputBuffer::int_type ByteOutputBuffer::overflow(int_type byte) {
  if (!drain()) {
    return traits_type::eof();
  }
  if (!traits_type::eq_int_type(byte, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(byte);
    pbump(1);
  }
  return traits_type::not_eof(byte);
}

int ByteOutputBuffer::sync() { return drain() ? 0 : -1; }

bool ByteOutputBuffer::drain() {
  const char* next = pbase();
  bool written = true;
  while (next < pptr()) {
    const long count = write_(next, static_cast<std::size_t>(pptr() - next));
    if (count <= 0) {
      fail(count < 0 ? static_cast<int>(-count) : EIO);
      written = false;
      break;
    }
    next += count;
  }
  setp(bytes_.data(), bytes_.data() + bytes_.size());
  return written;
}

ByteInputBuffer::int_type ByteInputBuffer::underflow() {
  if (error_ != 0) {
    return traits_type::eof();
  }
  const long count = read_(bytes_.data(), bytes_.size());
  if (count <= 0) {
    if (count < 0) {
      fail(static_cast<int>(-count));
    }
    return traits_type::eof();
  }
  setg(bytes_.data(), bytes_.data(), bytes_.data() + count);
  return traits_type::to_int_type(bytes_.front());
}

StandardStreams wireStandardStreams(ReadBytes read, WriteBytes write, bool utf8) {
  static ByteInputBuffer input{read};
  static ByteOutputBuffer output{write};
  static Utf8OutputBuffer converted{&output};
  std::ios::sync_with_stdio(false);
  std::cout.flush();
  wiring.input = &input;
  wiring.output = &output;
  wiring.savedOutput = std::cout.rdbuf(utf8 ? static_cast<std::streambuf*>(&converted) : &output);
  wiring.savedInput = std::cin.rdbuf(&input);
  return {.input = input, .output = output};
}

void unwireStandardStreams() {
  std::cout.flush();
  if (wiring.savedOutput != nullptr) {
    std::cout.rdbuf(wiring.savedOutput);
    wiring.savedOutput = nullptr;
  }
  if (wiring.savedInput != nullptr) {
    std::cin.rdbuf(wiring.savedInput);
    wiring.savedInput = nullptr;
  }
}

StreamErrors standardStreamErrors() {
  return {.input = wiring.input == nullptr ? 0 : wiring.input->error(),
          .output = wiring.output == nullptr ? 0 : wiring.output->error()};
}

}  // namespace match3
