#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "console/console_mode.hpp"
#include "game/board.hpp"

namespace match3::testing {

// While it lives, the game's standard input reads `input` and its standard
// output is captured; the console works in `mode` (by default as on a pipe).
class CapturedConsole {
 public:
  explicit CapturedConsole(std::string input = {}, ConsoleMode mode = {});
  ~CapturedConsole();
  CapturedConsole(const CapturedConsole&) = delete;
  CapturedConsole& operator=(const CapturedConsole&) = delete;
  CapturedConsole(CapturedConsole&&) = delete;
  CapturedConsole& operator=(CapturedConsole&&) = delete;

  // What was written, flushed or not.
  [[nodiscard]] std::string output() const;

 private:
  ConsoleMode savedMode_;
};

inline constexpr ConsoleMode kTerminalMode{.controls = true, .colors = true, .utf8 = false};

// Whether the console's colors and controls travel in the output stream as
// ANSI sequences, where a test can read them back. The Windows console
// takes them through its API instead.
#if defined(_WIN32)
inline constexpr bool kControlsInStream = false;
#else
inline constexpr bool kControlsInStream = true;
#endif

#define MATCH3_NEEDS_CONTROLS_IN_STREAM()                       \
  if (!::match3::testing::kControlsInStream) {                  \
    GTEST_SKIP() << "this console sets colors through its API"; \
  }

// One character as the player sees it, with the console foreground color
// (attribute layout) that was in force when it was written.
struct ColoredChar {
  char character;
  int foreground;
};
// Interprets the color sequences in terminal output; other sequences are
// dropped. Characters before the first color get -1.
[[nodiscard]] std::vector<ColoredChar> screenCharacters(std::string_view output);

// A board whose rows are given as strings; cells not given stay '.'.
[[nodiscard]] Board boardOf(std::initializer_list<std::string_view> rows);
// A 10 x 10 board of 'B' to 'I' with no run of three and no possible move,
// so that every 'A' placed on it stands out.
[[nodiscard]] Board quietBoard();
[[nodiscard]] std::string rowsOf(const Board& board, int sideLength = kBoardSize);

// The tiles that the next `count` rand() calls give after srand(seed).
[[nodiscard]] std::vector<char> tilesAfterSeed(unsigned seed, int count);
// How many rand() calls were made since srand(seed), judged by the value
// the next call gives; searches up to `limit` calls. Consumes one value.
[[nodiscard]] int randCallsSince(unsigned seed, int limit = 1000);

}  // namespace match3::testing
