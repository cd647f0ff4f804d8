#pragma once

#include "game/board.hpp"

namespace match3 {

// The rules of one settling, without drawing: clears every run of three
// (rows first, then columns) for kPointsPerMatch each, lifts the cleared
// triples to the top edge and refills every cleared cell with a random tile.
// Runs that the lifting or the refill forms stay for a later turn.
void settleBoard(Board& board, int sideLength, int& score);

// settleBoard, then a cleared screen and the board drawn with the selection.
void resolveMatches(Board& board, int sideLength, int& score, int selectedRow, int selectedColumn);

}  // namespace match3
