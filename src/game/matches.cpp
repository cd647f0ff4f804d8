#include "game/matches.hpp"

#include <utility>

#include "console/board_display.hpp"
#include "console/console.hpp"

namespace match3 {
namespace {

[[nodiscard]] bool allEqual(char first, char second, char third) {
  return first == second && second == third;
}

[[nodiscard]] bool isClearableRun(char first, char second, char third) {
  return allEqual(first, second, third) && first != kEmptyMark;
}

void clearHorizontalRuns(Board& board, int span, int& score) {
  for (int row = 0; row < span; ++row) {
    for (int column = 0; column + 2 < span; ++column) {
      BoardRow& line = board[row];
      if (isClearableRun(line[column], line[column + 1], line[column + 2])) {
        addMatchPoints(score);
        line[column] = line[column + 1] = line[column + 2] = kEmptyMark;
      }
    }
  }
}

void clearVerticalRuns(Board& board, int span, int& score) {
  for (int row = 0; row + 2 < span; ++row) {
    for (int column = 0; column < span; ++column) {
      char& top = board[row][column];
      char& middle = board[row + 1][column];
      char& bottom = board[row + 2][column];
      if (isClearableRun(top, middle, bottom)) {
        addMatchPoints(score);
        top = middle = bottom = kEmptyMark;
      }
    }
  }
}

// Every vertical triple of equal cells, marks or tiles, changes places with
// the top three cells of its column, one cell after the other.
void liftVerticalTriples(Board& board, int span) {
  for (int row = 0; row + 2 < span; ++row) {
    for (int column = 0; column < span; ++column) {
      if (allEqual(board[row][column], board[row + 1][column], board[row + 2][column])) {
        for (int offset = 0; offset < 3; ++offset) {
          std::swap(board[row + offset][column], board[offset][column]);
        }
      }
    }
  }
}

// Every horizontal triple of equal cells changes places with the three cells
// of the top row above it. The last two rows are never looked at.
void liftHorizontalTriples(Board& board, int span) {
  for (int row = 0; row + 2 < span; ++row) {
    for (int column = 0; column + 2 < span; ++column) {
      BoardRow& line = board[row];
      if (allEqual(line[column], line[column + 1], line[column + 2])) {
        for (int offset = 0; offset < 3; ++offset) {
          std::swap(line[column + offset], board[0][column + offset]);
        }
      }
    }
  }
}

void refillClearedCells(Board& board, int span) {
  for (int row = 0; row < span; ++row) {
    for (int column = 0; column < span; ++column) {
      if (board[row][column] == kEmptyMark) {
        board[row][column] = randomTile();
      }
    }
  }
}

}  // namespace

void settleBoard(Board& board, int sideLength, int& score) {
  const int span = boardSpan(sideLength);
  clearHorizontalRuns(board, span, score);
  clearVerticalRuns(board, span, score);
  liftVerticalTriples(board, span);
  liftHorizontalTriples(board, span);
  refillClearedCells(board, span);
}

void resolveMatches(Board& board, int sideLength, int& score, int selectedRow, int selectedColumn) {
  settleBoard(board, sideLength, score);
  clearScreen();
  drawBoardSelected(board, sideLength, score, selectedRow, selectedColumn);
}

}  // namespace match3
