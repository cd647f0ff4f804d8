// Plays a whole game with arbitrary bytes as the player's answers. The first
// bytes seed the random generator and choose pipe or terminal output, and
// whether the text is converted to UTF-8 on its way out; the game must end
// at the end of the input, whatever came before it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <streambuf>
#include <string>

#include "console/console_mode.hpp"
#include "console/text_encoding.hpp"
#include "flow/game.hpp"

namespace {

class DiscardBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type byte) override { return traits_type::not_eof(byte); }
  std::streamsize xsputn(const char_type* /*bytes*/, std::streamsize count) override {
    return count;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  unsigned seed = 0;
  const std::size_t seedBytes = size < sizeof seed ? size : sizeof seed;
  std::memcpy(&seed, data, seedBytes);
  const std::string input(reinterpret_cast<const char*>(data) + seedBytes, size - seedBytes);

  std::istringstream answers(input);
  DiscardBuffer screen;
  match3::Utf8OutputBuffer utf8Screen{&screen};
  const bool onTerminal = (seed & 1U) != 0;
  const bool utf8 = (seed & 2U) != 0;
  std::streambuf* const savedInput = std::cin.rdbuf(answers.rdbuf());
  std::streambuf* const savedOutput =
      std::cout.rdbuf(utf8 ? static_cast<std::streambuf*>(&utf8Screen) : &screen);
  std::cin.clear();
  match3::useConsoleMode({.controls = onTerminal, .colors = onTerminal, .utf8 = utf8});

  std::srand(seed);
  match3::playGame();

  std::cin.rdbuf(savedInput);
  std::cout.rdbuf(savedOutput);
  return 0;
}
