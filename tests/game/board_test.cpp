#include "game/board.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "support/test_support.hpp"

namespace match3 {
namespace {

TEST(FillBoard, FillsRowByRowWithOneDrawPerTile) {
  constexpr unsigned kSeed = 2024;
  const std::vector<char> expected = testing::tilesAfterSeed(kSeed, kBoardSize * kBoardSize);
  std::srand(kSeed);
  Board board{};
  fillBoard(board, kBoardSize);
  EXPECT_EQ(testing::randCallsSince(kSeed), kBoardSize * kBoardSize);
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      EXPECT_EQ(board.at(row).at(column), expected.at(row * kBoardSize + column))
          << "cell " << row << "," << column;
    }
  }
}

TEST(FillBoard, SameSeedGivesSameBoardOfLettersAToI) {
  Board first{};
  Board second{};
  std::srand(7);
  fillBoard(first, kBoardSize);
  std::srand(7);
  fillBoard(second, kBoardSize);
  EXPECT_EQ(first, second);
  for (const BoardRow& row : first) {
    for (const char tile : row) {
      EXPECT_GE(tile, 'A');
      EXPECT_LE(tile, 'I');
    }
  }
}

TEST(FillBoard, SmallerSideLengthTouchesOnlyItsCells) {
  Board board = testing::boardOf({});
  std::srand(1);
  fillBoard(board, 3);
  EXPECT_EQ(testing::randCallsSince(1), 9);
  EXPECT_EQ(board.at(2).at(3), '.');
  EXPECT_EQ(board.at(3).at(0), '.');
  fillBoard(board, -5);
  fillBoard(board, 1000);  // clamped to the cells that exist
  EXPECT_NE(board.at(9).at(9), '.');
}

TEST(Score, RisesByTenAndStopsAtTheLargestInt) {
  int score = 0;
  addMatchPoints(score);
  EXPECT_EQ(score, kPointsPerMatch);
  score = std::numeric_limits<int>::max() - 3;
  addMatchPoints(score);
  EXPECT_EQ(score, std::numeric_limits<int>::max());
  addMatchPoints(score);
  EXPECT_EQ(score, std::numeric_limits<int>::max());
}

}  // namespace
}  // namespace match3
