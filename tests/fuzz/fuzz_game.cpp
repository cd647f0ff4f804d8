// Plays a whole game with arbitrary bytes as the player's answers. The first
// bytes seed the random generator and choose pipe or terminal output, and
// whether the text is converted to UTF-8 on its way out; the game must end
// at the end of the input, whatever came before it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "console/byte_streams.hpp"
#include "console/console_mode.hpp"
#include "flow/game.hpp"

namespace {

std::string_view answers;

long readAnswers(char* bytes, std::size_t size) {
  const std::size_t count = std::min(size, answers.size());
  std::memcpy(bytes, answers.data(), count);
  answers.remove_prefix(count);
  return static_cast<long>(count);
}

long discard(const char* /*bytes*/, std::size_t size) { return static_cast<long>(size); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  unsigned seed = 0;
  const std::size_t seedBytes = size < sizeof seed ? size : sizeof seed;
  std::memcpy(&seed, data, seedBytes);
  answers = {reinterpret_cast<const char*>(data) + seedBytes, size - seedBytes};

  const bool onTerminal = (seed & 1U) != 0;
  const bool utf8 = (seed & 2U) != 0;
  match3::wireStandardStreams(readAnswers, discard, utf8);
  match3::useConsoleMode({.controls = onTerminal, .colors = onTerminal, .utf8 = utf8});

  std::srand(seed);
  match3::playGame();
  return 0;
}
