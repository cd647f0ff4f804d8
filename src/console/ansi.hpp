#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "console/console_mode.hpp"

namespace match3 {

// The ANSI (ECMA-48) control sequences the game sends to a terminal: a
// POSIX one, or the page's.
inline constexpr std::string_view kShowCursor = "\x1b[?25h";
inline constexpr std::string_view kHideCursor = "\x1b[?25l";
inline constexpr std::string_view kEraseDisplay = "\x1b[2J";
inline constexpr std::string_view kCursorHome = "\x1b[H";
inline constexpr std::string_view kResetAttributes = "\x1b[0m";
inline constexpr std::string_view kReverseVideo = "\x1b[7m";
inline constexpr std::string_view kReverseVideoOff = "\x1b[27m";

// What the end of the game writes, by what the game changed: nothing, the
// cursor, or the cursor and the colors.
[[nodiscard]] std::string_view restoreBytes(ConsoleMode mode);

// A control sequence built at run time, held without allocating.
struct ControlSequence {
  std::array<char, 48> bytes{};
  std::size_t size = 0;

  [[nodiscard]] std::string_view view() const { return {bytes.data(), size}; }
};

// Sets the colors of a console attribute (foreground and background, 0 to
// 15 each, in the console's layout).
[[nodiscard]] ControlSequence colorSequence(int foreground, int background);
// Puts the cursor in a cell, both counted from 0 at the top-left.
[[nodiscard]] ControlSequence cursorPositionSequence(int column, int row);
// Asks the terminal for a window of this many columns and rows.
[[nodiscard]] ControlSequence windowSizeSequence(int columns, int rows);

}  // namespace match3
