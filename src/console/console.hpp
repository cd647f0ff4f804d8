#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace match3 {

// Colours in the console's attribute layout: 1 blue, 2 green, 4 red,
// 8 intensity; a foreground in bits 0-3, a background in bits 4-7.
inline constexpr int kColorTiles = 2;
inline constexpr int kColorSelected = 15;
inline constexpr int kColorText = 15;
inline constexpr int kColorBackground = 0;

inline constexpr int kConsoleColumns = 50;
inline constexpr int kConsoleRows = 50;

// What the console functions may do with standard output. A pipe or a file
// gets none of it: the game's text, byte for byte.
struct ConsoleMode {
  bool controls = false;  // cursor, window and clearing
  bool colours = false;
  bool utf8 = false;  // the terminal reads UTF-8, not Windows-1251
};

// The decision, from what the host says about standard output: whether it is
// a terminal, the TERM and NO_COLOR variables, and the locale's codeset.
[[nodiscard]] ConsoleMode chooseConsoleMode(bool isTerminal, std::string_view term,
                                            std::string_view noColor, std::string_view codeset);

[[nodiscard]] ConsoleMode consoleMode();
void useConsoleMode(ConsoleMode mode);

// The escape sequence that sets a console attribute's colours on an ANSI
// terminal.
struct ControlSequence {
  std::array<char, 16> bytes{};
  std::size_t size = 0;

  [[nodiscard]] std::string_view view() const { return {bytes.data(), size}; }
};
[[nodiscard]] ControlSequence colourSequence(int foreground, int background);

// Everything written after the call appears in these colours.
void setTextColor(int foreground, int background);
// Returns whether the cursor was updated; false when output is no console.
bool setCursorVisible(bool visible);
void setCursorPosition(int column, int row);
// A 50 x 50 window and buffer, a hidden cursor.
void setupConsole();
// Blanks the screen and puts the cursor top-left.
void clearScreen();

// Finds out what standard output is and prepares it; when the game ends, by
// any road or by a signal, the cursor is shown and the colours are reset.
void openTerminal();
void closeTerminal();

struct TerminalSession {
  TerminalSession() { openTerminal(); }
  ~TerminalSession() { closeTerminal(); }
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;
  TerminalSession(TerminalSession&&) = delete;
  TerminalSession& operator=(TerminalSession&&) = delete;
};

}  // namespace match3
