#pragma once

#include <string_view>

namespace match3 {

// All of the game's text goes to standard output through these two.
void writeText(std::string_view text);
// A line break, then a flush, so the line is on the screen at once.
void endLine();

}  // namespace match3
