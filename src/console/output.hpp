#pragma once

#include <string_view>

namespace match3 {

// All of the game's text goes to standard output through these two.
void writeText(std::string_view text);
// One character, straight into the stream's buffer: the board is written a
// tile at a time, and this keeps a tile as cheap as a byte.
void writeCharacter(char character);
// A line break, then a flush, so the line is on the screen at once.
void endLine();

}  // namespace match3
