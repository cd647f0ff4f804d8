#include "console/byte_streams.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "console/text_encoding.hpp"

namespace match3 {
namespace {

void appendBytes(ByteOutput& output, std::string_view bytes) {
  while (!bytes.empty()) {
    if (output.size == output.bytes.size()) {
      static_cast<void>(flushBytes(output));
    }
    const std::size_t count = std::min(output.bytes.size() - output.size, bytes.size());
    std::memcpy(output.bytes.data() + output.size, bytes.data(), count);
    output.size += count;
    bytes.remove_prefix(count);
  }
}

}  // namespace

void putBytes(ByteOutput& output, std::string_view text) {
  if (!output.utf8) {
    appendBytes(output, text);
    return;
  }
  std::size_t start = 0;
  for (std::size_t index = 0; index < text.size(); ++index) {
    const auto byte = static_cast<unsigned char>(text[index]);
    if (byte < 0x80U) {
      continue;
    }
    // The ASCII run before this byte in one piece.
    appendBytes(output, text.substr(start, index - start));
    std::array<char, 3> encoded{};
    appendBytes(output, {encoded.data(), utf8OfHighByte(byte, encoded)});
    start = index + 1;
  }
  appendBytes(output, text.substr(start));
}

bool flushBytes(ByteOutput& output) {
  std::size_t next = 0;
  bool written = true;
  while (output.write != nullptr && next < output.size) {
    const long count = output.write(output.bytes.data() + next, output.size - next);
    if (count <= 0) {
      keepError(output.error, count < 0 ? static_cast<int>(-count) : EIO);
      written = false;
      break;
    }
    next += static_cast<std::size_t>(count);
  }
  output.size = 0;
  return written;
}

int refillInput(ByteInput& input) {
  if (input.error != 0 || input.read == nullptr) {
    return kEndOfInput;
  }
  const long count = input.read(input.bytes.data(), input.bytes.size());
  if (count <= 0) {
    if (count < 0) {
      keepError(input.error, static_cast<int>(-count));
    }
    return kEndOfInput;
  }
  input.next = 0;
  input.end = static_cast<std::size_t>(count);
  return static_cast<unsigned char>(input.bytes.front());
}

ByteInput& standardInput() {
  static ByteInput input;
  return input;
}

ByteOutput& standardOutput() {
  static ByteOutput output;
  return output;
}

void wireStandardStreams(ReadBytes read, WriteBytes write, bool utf8) {
  ByteInput& input = standardInput();
  input = ByteInput{};
  input.read = read;
  ByteOutput& output = standardOutput();
  output = ByteOutput{};
  output.write = write;
  output.utf8 = utf8;
}

StreamErrors standardStreamErrors() {
  return {.input = standardInput().error, .output = standardOutput().error};
}

}  // namespace match3
