#pragma once

#include "game/board.hpp"

namespace match3 {

// Draws the board in the tiles' color, then the score line in the text
// color, which stays in force for whatever is written next. Starts wherever
// the output stands; neither clears nor moves the cursor.
void drawBoard(const Board& board, int sideLength, int score);

// The same, with the tile at the selected cell, and the space after it, in
// the highlight color. A selection off the board highlights nothing.
void drawBoardSelected(const Board& board, int sideLength, int score, int selectedRow,
                       int selectedColumn);

}  // namespace match3
