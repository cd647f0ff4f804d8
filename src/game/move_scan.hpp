#pragma once

#include "game/board.hpp"

namespace match3 {

// Looks for one of the nine shapes of a swap that lines up three equal tiles.
// Only these shapes, each within its own range of anchors, count as a move.
[[nodiscard]] bool hasPossibleMove(const Board& board, int sideLength);

// Swaps every cell, in row-major order, with a random cell: two rand() calls
// per cell, the row's first, both taken modulo kBoardSize.
void reshuffleBoard(Board& board, int sideLength);

// Ends a turn: when the scan finds no move, announces "reversing", reshuffles,
// clears the screen and draws the board. Returns whether the game goes on.
[[nodiscard]] bool checkMovesOrShuffle(Board& board, int sideLength, int& score, bool noMoveFound,
                                       int selectedRow, int selectedColumn);

}  // namespace match3
