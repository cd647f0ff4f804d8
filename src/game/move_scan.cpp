#include "game/move_scan.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>
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

// The anchors a shape is looked for at: rows and columns from `first` to
// the side length less `lastFromEnd`, both inclusive.
struct Range {
  int first;
  int lastFromEnd;
};

// A shape is found at an anchor when both `equal` cells hold the anchor's
// tile and, where the shape has a gap, the `gap` cell does not. The cell
// that receives the moving tile is tested only where the shape has a gap:
// shape 2 leaves it unexamined, like its mirror images 4, 6 and 8, so its
// move is found whether or not a run of three already stands in the column.
struct Shape {
  int number = 0;
  Range rows{};
  Range columns{};
  std::array<Offset, 2> equal{};
  std::optional<Offset> gap;
};

// The nine shapes, in the order the scan tests them: five passes over the
// board (shapes 1 and 2, 3 and 4, 5 and 6, 7 and 8, then 9). The scan only
// reads the board, so any order finds the same.
constexpr std::array<Shape, 9> kShapes{{
    // 1: gapped pair in a column, completed from below (A* / A / x / A).
    {1, {0, 4}, {0, 2}, {{{1, 0}, {3, 0}}}, Offset{2, 0}},
    // 2: pair in a column, completed from the right below its lower end.
    {2, {0, 4}, {0, 2}, {{{1, 0}, {2, 1}}}, std::nullopt},
    // 3: gapped pair in a row, completed from the right (A* A x A).
    {3, {0, 2}, {0, 4}, {{{0, 1}, {0, 3}}}, Offset{0, 2}},
    // 4: pair in a row, completed from below at its right end.
    {4, {0, 2}, {0, 4}, {{{0, 1}, {1, 2}}}, std::nullopt},
    // 5: split pair in a row, completed from below (A* x A / . A .).
    {5, {0, 2}, {0, 3}, {{{0, 2}, {1, 1}}}, Offset{0, 1}},
    // 6: lone tile one cell left of a pair in a row (A* . A A).
    {6, {0, 2}, {0, 3}, {{{0, 2}, {0, 3}}}, std::nullopt},
    // 7: split pair in a column, completed from the left.
    {7, {0, 4}, {1, 1}, {{{2, 0}, {1, -1}}}, Offset{1, 0}},
    // 8: lone tile one cell above a pair in a column.
    {8, {0, 4}, {1, 1}, {{{2, 0}, {3, 0}}}, std::nullopt},
    // 9: split pair in a column, completed from the right.
    {9, {0, 3}, {0, 2}, {{{2, 0}, {1, 1}}}, Offset{1, 0}},
}};
static_assert(std::all_of(kShapes.begin(), kShapes.end(),
                          [](const Shape& shape) {
                            return shape.number == &shape - kShapes.data() + 1;
                          }),
              "the shapes stand in the order of their numbers");

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
  return !shape.gap.has_value() ||
         !holdsTile(board, span, row + shape.gap->rows, column + shape.gap->columns, anchor);
}

[[nodiscard]] bool isShapeOnBoard(const Board& board, int span, const Shape& shape) {
  for (int row = shape.rows.first; row <= span - shape.rows.lastFromEnd; ++row) {
    for (int column = shape.columns.first; column <= span - shape.columns.lastFromEnd; ++column) {
      if (isShapeAt(board, span, shape, row, column)) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

bool hasPossibleMove(const Board& board, int sideLength) {
  const int span = boardSpan(sideLength);
  return std::any_of(kShapes.begin(), kShapes.end(),
                     [&](const Shape& shape) { return isShapeOnBoard(board, span, shape); });
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
