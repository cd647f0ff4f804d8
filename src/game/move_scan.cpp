#include "game/move_scan.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "console/board_display.hpp"
#include "console/console.hpp"
#include "console/output.hpp"

namespace match3 {
namespace {

constexpr std::string_view kNoMoveAnnouncement = "reversing";

// A cell of a shape, as rows down and columns right of the shape's anchor.
struct Offset {
  int rows;
  int columns;
};

// A shape is found when both `equal` cells hold the anchor's tile and, where
// the shape has one, the `differs` cell does not.
struct Shape {
  std::array<Offset, 2> equal;
  bool hasDiffering;
  Offset differs;
};

// A pass tests its shapes at every anchor of its range. The last row and
// column of the range are given as distances from the side length.
struct Pass {
  int lastRowFromEnd;
  int firstColumn;
  int lastColumnFromEnd;
  std::array<Shape, 2> shapes;
  int shapeCount;
};

constexpr Shape gapped(Offset first, Offset second, Offset gap) {
  return {{first, second}, true, gap};
}

constexpr Shape ungapped(Offset first, Offset second) { return {{first, second}, false, {0, 0}}; }

// The cell that receives the moving tile is tested for a difference only
// where the shape has a gap. A pair completed from the side below its lower
// end leaves that cell unexamined, like its mirror images do, so the move is
// found whether or not a run of three already stands in the column.
constexpr std::array<Pass, 5> kPasses{{
    // Gapped pair in a column completed from below; pair in a column
    // completed from the right below its lower end.
    {4, 0, 2, {gapped({1, 0}, {3, 0}, {2, 0}), ungapped({1, 0}, {2, 1})}, 2},
    // Gapped pair in a row completed from the right; pair in a row completed
    // from below at its right end.
    {2, 0, 4, {gapped({0, 1}, {0, 3}, {0, 2}), ungapped({0, 1}, {1, 2})}, 2},
    // Split pair in a row completed from below; lone tile left of a pair.
    {2, 0, 3, {gapped({0, 2}, {1, 1}, {0, 1}), ungapped({0, 2}, {0, 3})}, 2},
    // Split pair in a column completed from the left; lone tile above a pair.
    {4, 1, 1, {gapped({2, 0}, {1, -1}, {1, 0}), ungapped({2, 0}, {3, 0})}, 2},
    // Split pair in a column completed from the right.
    {3, 0, 2, {gapped({2, 0}, {1, 1}, {1, 0}), ungapped({0, 0}, {0, 0})}, 1},
}};

// A position off the board holds no tile and equals nothing.
[[nodiscard]] bool holdsTile(const Board& board, int span, int row, int column, char tile) {
  return isOnBoard(row, column, span) && board[row][column] == tile;
}

[[nodiscard]] bool isShapeAt(const Board& board, int span, const Shape& shape, int row,
                             int column) {
  const char anchor = board[row][column];
  for (const Offset& cell : shape.equal) {
    if (!holdsTile(board, span, row + cell.rows, column + cell.columns, anchor)) {
      return false;
    }
  }
  return !shape.hasDiffering ||
         !holdsTile(board, span, row + shape.differs.rows, column + shape.differs.columns, anchor);
}

[[nodiscard]] bool passFindsMove(const Board& board, int span, const Pass& pass) {
  for (int row = 0; row <= span - pass.lastRowFromEnd; ++row) {
    for (int column = pass.firstColumn; column <= span - pass.lastColumnFromEnd; ++column) {
      for (int index = 0; index < pass.shapeCount; ++index) {
        if (isShapeAt(board, span, pass.shapes.at(index), row, column)) {
          return true;
        }
      }
    }
  }
  return false;
}

}  // namespace

bool hasPossibleMove(const Board& board, int sideLength) {
  const int span = boardSpan(sideLength);
  return std::any_of(kPasses.begin(), kPasses.end(),
                     [&](const Pass& pass) { return passFindsMove(board, span, pass); });
}

void reshuffleBoard(Board& board, int sideLength) {
  const int span = boardSpan(sideLength);
  for (int row = 0; row < span; ++row) {
    for (int column = 0; column < span; ++column) {
      const int targetRow = std::rand() % kBoardSize;
      const int targetColumn = std::rand() % kBoardSize;
      if (isOnBoard(targetRow, targetColumn, span)) {
        std::swap(board[row][column], board[targetRow][targetColumn]);
      }
    }
  }
}

bool checkMovesOrShuffle(Board& board, int sideLength, int& score, bool noMoveFound,
                         int selectedRow, int selectedColumn) {
  if (noMoveFound && hasPossibleMove(board, sideLength)) {
    noMoveFound = false;
  }
  if (!noMoveFound) {
    return true;
  }
  endLine();
  writeText(kNoMoveAnnouncement);
  endLine();
  reshuffleBoard(board, sideLength);
  clearScreen();
  drawBoardSelected(board, sideLength, score, selectedRow, selectedColumn);
  return false;
}

}  // namespace match3
