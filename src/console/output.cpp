#include "console/output.hpp"

#include <iostream>

namespace match3 {

// Straight to the stream's buffer: the game ignores output errors, and the
// stream's own checks on every piece cost more than the rules of a turn.

void writeText(std::string_view text) {
  std::cout.rdbuf()->sputn(text.data(), static_cast<std::streamsize>(text.size()));
}

void endLine() {
  std::streambuf* const buffer = std::cout.rdbuf();
  buffer->sputc('\n');
  buffer->pubsync();
}

}  // namespace match3
