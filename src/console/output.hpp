#pragma once

#include <string_view>

namespace match3 {

// All of the game's text goes to standard output through these.
void writeText(std::string_view text);
// A line break, then a flush, so the line is on the screen at once.
void endLine();
// Puts everything written so far on the screen.
void flushOutput();

}  // namespace match3
