#include "game/matches.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/test_support.hpp"

namespace match3 {
namespace {

using testing::quietBoard;
using testing::rowsOf;

constexpr unsigned kSeed = 99;

struct Settled {
  Board board;
  int score;
  int randCalls;
  std::vector<char> fresh;  // the tiles the refill drew, in order
};

Settled settle(Board board, int sideLength = kBoardSize) {
  std::srand(kSeed);
  int score = 0;
  settleBoard(board, sideLength, score);
  const int calls = testing::randCallsSince(kSeed);
  return {board, score, calls, testing::tilesAfterSeed(kSeed, calls)};
}

void place(Board& board, int row, int column, int length, bool across, char tile = 'A') {
  for (int step = 0; step < length; ++step) {
    board.at(across ? row : row + step).at(across ? column + step : column) = tile;
  }
}

TEST(SettleBoard, BoardWithoutRunIsLeftAlone) {
  const Settled result = settle(quietBoard());
  EXPECT_EQ(rowsOf(result.board), rowsOf(quietBoard()));
  EXPECT_EQ(result.score, 0);
  EXPECT_EQ(result.randCalls, 0);
}

TEST(SettleBoard, HorizontalRunSwapsWithTopRowAndRefillsInRowMajorOrder) {
  Board board = quietBoard();
  place(board, 5, 2, 3, true);
  const Settled result = settle(board);
  Board expected = board;
  for (int column = 2; column <= 4; ++column) {
    expected.at(5).at(column) = board.at(0).at(column);
    expected.at(0).at(column) = result.fresh.at(column - 2);
  }
  EXPECT_EQ(result.score, 10);
  EXPECT_EQ(result.randCalls, 3);
  EXPECT_EQ(rowsOf(result.board), rowsOf(expected));
}

TEST(SettleBoard, HorizontalRunsInTopAndLastTwoRowsAreRefilledWhereTheyStand) {
  for (const int row : {0, 8, 9}) {
    Board board = quietBoard();
    place(board, row, 2, 3, true);
    const Settled result = settle(board);
    Board expected = board;
    for (int column = 2; column <= 4; ++column) {
      expected.at(row).at(column) = result.fresh.at(column - 2);
    }
    EXPECT_EQ(result.score, 10) << "row " << row;
    EXPECT_EQ(rowsOf(result.board), rowsOf(expected)) << "row " << row;
  }
}

TEST(SettleBoard, LongHorizontalRunsClearThreeCellsAtATime) {
  struct Case {
    int length;
    int score;
    int clearedCells;
  };
  for (const Case& run : {Case{4, 10, 3}, Case{5, 10, 3}, Case{6, 20, 6}}) {
    Board board = quietBoard();
    place(board, 2, 3, run.length, true);
    const Settled result = settle(board);
    Board expected = board;
    for (int cell = 0; cell < run.clearedCells; ++cell) {
      expected.at(2).at(3 + cell) = board.at(0).at(3 + cell);
      expected.at(0).at(3 + cell) = result.fresh.at(cell);
    }
    EXPECT_EQ(result.score, run.score) << "run of " << run.length;
    EXPECT_EQ(result.randCalls, run.clearedCells) << "run of " << run.length;
    EXPECT_EQ(rowsOf(result.board), rowsOf(expected)) << "run of " << run.length;
  }
}

TEST(SettleBoard, FullRowOfTenClearsNineCells) {
  Board board = quietBoard();
  place(board, 4, 0, 10, true);
  const Settled result = settle(board);
  Board expected = board;
  for (int column = 0; column < 9; ++column) {
    expected.at(4).at(column) = board.at(0).at(column);
    expected.at(0).at(column) = result.fresh.at(column);
  }
  EXPECT_EQ(result.score, 30);
  EXPECT_EQ(rowsOf(result.board), rowsOf(expected));
}

// p, q and s are the tiles of rows 0, 1 and 2 of the run's column.
TEST(SettleBoard, VerticalRunsLiftToTheTopWithThePlacementsOfTheirStartRow) {
  constexpr int kColumn = 4;
  const Board quiet = quietBoard();
  const char p = quiet.at(0).at(kColumn);
  const char q = quiet.at(1).at(kColumn);
  const char s = quiet.at(2).at(kColumn);
  struct Case {
    int startRow;
    std::vector<std::pair<int, char>> kept;  // rows that receive an old tile
  };
  const std::vector<Case> cases{
      {0, {}},
      {1, {{3, p}}},
      {2, {{3, q}, {4, p}}},
      {5, {{5, p}, {6, q}, {7, s}}},
  };
  for (const Case& run : cases) {
    Board board = quiet;
    place(board, run.startRow, kColumn, 3, false);
    const Settled result = settle(board);
    Board expected = board;
    for (int row = 0; row < 3; ++row) {
      expected.at(row).at(kColumn) = result.fresh.at(row);
    }
    for (const auto& [row, tile] : run.kept) {
      expected.at(row).at(kColumn) = tile;
    }
    EXPECT_EQ(result.score, 10) << "start row " << run.startRow;
    EXPECT_EQ(result.randCalls, 3) << "start row " << run.startRow;
    EXPECT_EQ(rowsOf(result.board), rowsOf(expected)) << "start row " << run.startRow;
  }
}

TEST(SettleBoard, VerticalRunOfFourLeavesItsLastTile) {
  constexpr int kColumn = 6;
  Board board = quietBoard();
  place(board, 3, kColumn, 4, false);
  const Settled result = settle(board);
  Board expected = board;
  for (int row = 0; row < 3; ++row) {
    expected.at(3 + row).at(kColumn) = board.at(row).at(kColumn);
    expected.at(row).at(kColumn) = result.fresh.at(row);
  }
  EXPECT_EQ(result.score, 10);
  EXPECT_EQ(result.board.at(6).at(kColumn), 'A');
  EXPECT_EQ(rowsOf(result.board), rowsOf(expected));
}

TEST(SettleBoard, VerticalRunOfSixSendsMarksBackDownAndRefillsThemInPlace) {
  constexpr int kColumn = 1;
  Board board = quietBoard();
  place(board, 4, kColumn, 6, false);
  const Settled result = settle(board);
  Board expected = board;
  for (int row = 0; row < 3; ++row) {
    expected.at(4 + row).at(kColumn) = board.at(row).at(kColumn);
    expected.at(row).at(kColumn) = result.fresh.at(row);
    expected.at(7 + row).at(kColumn) = result.fresh.at(3 + row);
  }
  EXPECT_EQ(result.score, 20);
  EXPECT_EQ(result.randCalls, 6);
  EXPECT_EQ(rowsOf(result.board), rowsOf(expected));
}

TEST(SettleBoard, CrossScoresOnlyTheHorizontalRun) {
  Board board = quietBoard();
  place(board, 5, 3, 3, true);
  place(board, 4, 4, 3, false);
  const Settled result = settle(board);
  Board expected = board;
  for (int column = 3; column <= 5; ++column) {
    expected.at(5).at(column) = board.at(0).at(column);
    expected.at(0).at(column) = result.fresh.at(column - 3);
  }
  EXPECT_EQ(result.score, 10);
  EXPECT_EQ(result.board.at(4).at(4), 'A');
  EXPECT_EQ(result.board.at(6).at(4), 'A');
  EXPECT_EQ(rowsOf(result.board), rowsOf(expected));
}

TEST(SettleBoard, CornerLiftsTheColumnAndRefillsTheRestInPlace) {
  Board board = quietBoard();
  place(board, 5, 3, 3, true);
  place(board, 5, 3, 4, false);
  const Settled result = settle(board);
  Board expected = board;
  for (int row = 0; row < 3; ++row) {
    expected.at(5 + row).at(3) = board.at(row).at(3);
    expected.at(row).at(3) = result.fresh.at(row);
  }
  expected.at(5).at(4) = result.fresh.at(3);
  expected.at(5).at(5) = result.fresh.at(4);
  expected.at(8).at(3) = result.fresh.at(5);
  EXPECT_EQ(result.score, 20);
  EXPECT_EQ(result.randCalls, 6);
  EXPECT_EQ(rowsOf(result.board), rowsOf(expected));
}

TEST(SettleBoard, SecondRunUnderTheSameColumnsSwapsMarksWithMarks) {
  Board board = quietBoard();
  place(board, 3, 2, 3, true);
  place(board, 5, 2, 3, true);
  const Settled result = settle(board);
  Board expected = board;
  for (int column = 2; column <= 4; ++column) {
    expected.at(3).at(column) = board.at(0).at(column);
    expected.at(0).at(column) = result.fresh.at(column - 2);
    expected.at(5).at(column) = result.fresh.at(column + 1);
  }
  EXPECT_EQ(result.score, 20);
  EXPECT_EQ(rowsOf(result.board), rowsOf(expected));
}

TEST(SettleBoard, LiftThatFormsATileTripleMovesItUnscored) {
  constexpr int kColumn = 4;
  Board board = quietBoard();
  const char p = board.at(0).at(kColumn);
  place(board, 1, kColumn, 3, false);
  board.at(4).at(kColumn) = p;
  board.at(5).at(kColumn) = p;
  ASSERT_NE(board.at(6).at(kColumn), p);
  const Settled result = settle(board);
  Board expected = board;
  for (int row = 0; row < 3; ++row) {
    expected.at(row).at(kColumn) = p;
    expected.at(3 + row).at(kColumn) = result.fresh.at(row);
  }
  EXPECT_EQ(result.score, 10);
  EXPECT_EQ(result.randCalls, 3);
  EXPECT_EQ(rowsOf(result.board), rowsOf(expected));
}

TEST(SettleBoard, SmallBoardsStayInsideTheirCells) {
  for (int side = 0; side <= 3; ++side) {
    Board board = testing::boardOf({"AAAA", "AAAA", "AAAA", "AAAA"});
    const Settled result = settle(board, side);
    const int expectedRuns = side == 3 ? 3 : 0;
    EXPECT_EQ(result.score, 10 * expectedRuns) << "side " << side;
    EXPECT_EQ(result.randCalls, 3 * expectedRuns) << "side " << side;
    EXPECT_EQ(result.board.at(3), board.at(3)) << "side " << side;
    EXPECT_EQ(result.board.at(0).at(3), 'A') << "side " << side;
  }
}

TEST(ResolveMatches, ClearsTheScreenAndDrawsEvenWithoutARun) {
  MATCH3_NEEDS_CONTROLS_IN_STREAM();
  const testing::CapturedConsole console{"", testing::kTerminalMode};
  Board board = quietBoard();
  int score = 40;
  resolveMatches(board, kBoardSize, score, 2, 3);
  const std::string output = console.output();
  EXPECT_EQ(output.rfind("\x1b[2J\x1b[H", 0), 0U);
  EXPECT_NE(output.find(" your score: 40\n"), std::string::npos);
  EXPECT_EQ(score, 40);
}

}  // namespace
}  // namespace match3
