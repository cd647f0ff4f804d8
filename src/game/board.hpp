#pragma once

#include <array>

namespace match3 {

// The playing field is a square of kBoardSize x kBoardSize one-byte cells.
inline constexpr int kBoardSize = 10;
inline constexpr char kFirstTile = 'A';
inline constexpr int kTileKinds = 9;     // tiles 'A' to 'I'
inline constexpr char kEmptyMark = '_';  // a cleared cell, only while runs are resolved
inline constexpr int kPointsPerMatch = 10;

// Rows are numbered from the top, columns from the left, both from 0.
using BoardRow = std::array<char, kBoardSize>;
using Board = std::array<BoardRow, kBoardSize>;

// Every operation takes the side length it works on; this keeps it inside the
// cells that really exist, whatever a caller passes.
[[nodiscard]] constexpr int boardSpan(int sideLength) {
  if (sideLength < 0) {
    return 0;
  }
  return sideLength < kBoardSize ? sideLength : kBoardSize;
}

[[nodiscard]] constexpr bool isOnBoard(int row, int column, int sideLength) {
  const int span = boardSpan(sideLength);
  return row >= 0 && row < span && column >= 0 && column < span;
}

// One call of rand() per tile: kFirstTile + rand() % kTileKinds.
[[nodiscard]] char randomTile();

// Gives every cell a random tile, row by row from the top-left cell.
void fillBoard(Board& board, int sideLength);

// Adds the points for one cleared run; the score stops at its largest value
// instead of overflowing.
void addMatchPoints(int& score);

}  // namespace match3
