#include "game/move_scan.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "console/board_display.hpp"
#include "support/test_support.hpp"

namespace match3 {
namespace {

using testing::quietBoard;

struct Placement {
  const char* name;
  std::vector<std::pair<int, int>> cells;  // cells given the tile 'A'
};

Board boardWith(const Placement& placement) {
  Board board = quietBoard();
  for (const auto& [row, column] : placement.cells) {
    board.at(row).at(column) = 'A';
  }
  return board;
}

TEST(MoveScan, QuietBoardHasNoMoveAndNoRun) {
  EXPECT_FALSE(hasPossibleMove(quietBoard(), kBoardSize));
}

// Each of the nine shapes at an anchor inside its range.
TEST(MoveScan, FindsEveryShape) {
  const std::vector<Placement> shapes{
      {"1: gapped pair in a column", {{0, 0}, {1, 0}, {3, 0}}},
      {"2: pair in a column, completed from the right", {{2, 5}, {3, 5}, {4, 6}}},
      {"3: gapped pair in a row", {{4, 2}, {4, 3}, {4, 5}}},
      {"4: pair in a row, completed from below", {{6, 4}, {6, 5}, {7, 6}}},
      {"5: split pair in a row, completed from below", {{1, 1}, {1, 3}, {2, 2}}},
      {"6: lone tile left of a pair", {{8, 6}, {8, 8}, {8, 9}}},
      {"7: split pair in a column, completed from the left", {{3, 7}, {5, 7}, {4, 6}}},
      {"8: lone tile above a pair", {{6, 9}, {8, 9}, {9, 9}}},
      {"9: split pair in a column, completed from the right", {{7, 0}, {9, 0}, {8, 1}}},
  };
  for (const Placement& shape : shapes) {
    EXPECT_TRUE(hasPossibleMove(boardWith(shape), kBoardSize)) << shape.name;
  }
}

// Moves that lie outside the range their shape is looked for in, and moves
// of shapes the scan does not know, leave the board without a move.
TEST(MoveScan, MissesMovesOutsideTheShapesAndTheirRanges) {
  const std::vector<Placement> misses{
      {"shape 1 in the right-most column", {{2, 9}, {3, 9}, {5, 9}}},
      {"shape 3 in the bottom row", {{9, 2}, {9, 3}, {9, 5}}},
      {"shape 6 in the bottom row", {{9, 2}, {9, 4}, {9, 5}}},
      {"shape 8 in the left-most column", {{2, 0}, {4, 0}, {5, 0}}},
      {"shape 7 anchored in row 7", {{7, 4}, {9, 4}, {8, 3}}},
      {"shape 2 anchored in row 7", {{7, 4}, {8, 4}, {9, 5}}},
      {"shape 4 anchored in column 7", {{3, 7}, {3, 8}, {4, 9}}},
      // A tile in the next row's first cell must not count as the cell
      // right of the board.
      {"shape 6 anchored in column 7", {{3, 7}, {3, 9}, {4, 0}}},
      {"split pair in a row completed from above", {{5, 3}, {5, 5}, {4, 4}}},
      {"pair in a row completed from below at its left end", {{5, 4}, {5, 5}, {6, 3}}},
  };
  for (const Placement& miss : misses) {
    EXPECT_FALSE(hasPossibleMove(boardWith(miss), kBoardSize)) << miss.name;
  }
}

TEST(MoveScan, FindsShapeNineAnchoredInRowSeven) {
  EXPECT_TRUE(hasPossibleMove(boardWith({"shape 9", {{7, 4}, {9, 4}, {8, 5}}}), kBoardSize));
}

// Shapes 2, 4, 6 and 8 do not look at the cell that receives the moving
// tile, so a tile equal to the anchor there changes nothing.
TEST(MoveScan, IgnoresTheCellThatReceivesTheTileInShapesWithoutAGap) {
  const std::vector<Placement> filled{
      {"2 with a run of three in the column", {{2, 5}, {3, 5}, {4, 5}, {4, 6}}},
      {"4 with a run of three in the row", {{6, 4}, {6, 5}, {6, 6}, {7, 6}}},
      {"6 with a run of four in the row", {{2, 6}, {2, 7}, {2, 8}, {2, 9}}},
      {"8 with a run of four in the column", {{5, 9}, {6, 9}, {7, 9}, {8, 9}}},
  };
  for (const Placement& shape : filled) {
    EXPECT_TRUE(hasPossibleMove(boardWith(shape), kBoardSize)) << shape.name;
  }
}

TEST(MoveScan, SmallBoardsLookOnlyAtTheirCells) {
  // On three by three, the 'A' at (1, 2) moved left completes column 1.
  const Board board = testing::boardOf({"AAB", "BBA", "AAC"});
  EXPECT_TRUE(hasPossibleMove(board, 3));
  for (int side = -1; side <= 2; ++side) {
    EXPECT_FALSE(hasPossibleMove(board, side)) << "side " << side;
  }
}

TEST(CheckMovesOrShuffle, GoesOnSilentlyWhenAMoveIsFound) {
  const testing::CapturedConsole console;
  Board board = boardWith({"shape 1 at the top-left anchor", {{0, 0}, {1, 0}, {3, 0}}});
  const Board before = board;
  int score = 30;
  std::srand(5);
  EXPECT_TRUE(checkMovesOrShuffle(board, kBoardSize, score, true, 0, 0));
  EXPECT_EQ(console.output(), "");
  EXPECT_EQ(board, before);
  EXPECT_EQ(testing::randCallsSince(5), 0);
}

TEST(CheckMovesOrShuffle, ReshufflesWithTwoDrawsPerCellAndEndsTheGame) {
  constexpr unsigned kSeed = 321;
  const Board before = quietBoard();
  const int cells = kBoardSize * kBoardSize;

  // The expected board: cell after cell, swapped with the cell whose row
  // and column the next two draws give.
  std::srand(kSeed);
  Board expected = before;
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      const int targetRow = std::rand() % kBoardSize;
      const int targetColumn = std::rand() % kBoardSize;
      std::swap(expected.at(row).at(column), expected.at(targetRow).at(targetColumn));
    }
  }
  std::string drawn;
  {
    const testing::CapturedConsole console;
    drawBoardSelected(expected, kBoardSize, 70, 4, 5);
    drawn = console.output();
  }

  const testing::CapturedConsole console;
  Board board = before;
  int score = 70;
  std::srand(kSeed);
  EXPECT_FALSE(checkMovesOrShuffle(board, kBoardSize, score, true, 4, 5));
  EXPECT_EQ(testing::randCallsSince(kSeed), 2 * cells);
  EXPECT_EQ(testing::rowsOf(board), testing::rowsOf(expected));
  EXPECT_EQ(console.output(), "\nreversing\n" + drawn);
  EXPECT_EQ(score, 70);

  std::string lettersBefore = testing::rowsOf(before);
  std::string lettersAfter = testing::rowsOf(board);
  std::sort(lettersBefore.begin(), lettersBefore.end());
  std::sort(lettersAfter.begin(), lettersAfter.end());
  EXPECT_EQ(lettersAfter, lettersBefore);
}

TEST(CheckMovesOrShuffle, ShuffleOfASmallBoardDrawsAsOftenButStaysInside) {
  Board board = testing::boardOf({"ABC", "DEF", "GHI"});
  std::srand(11);
  reshuffleBoard(board, 3);
  EXPECT_EQ(testing::randCallsSince(11), 18);
  EXPECT_EQ(board.at(0).at(3), '.');
  EXPECT_EQ(board.at(3).at(0), '.');
  std::string letters = testing::rowsOf(board, 3);
  std::sort(letters.begin(), letters.end());
  EXPECT_EQ(letters, "\n\n\nABCDEFGHI");
}

}  // namespace
}  // namespace match3
