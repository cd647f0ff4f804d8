#include "console/board_display.hpp"

#include <gtest/gtest.h>

#include <string>

#include "console/colors.hpp"
#include "console/console.hpp"
#include "support/test_support.hpp"

namespace match3 {
namespace {

using testing::CapturedConsole;
using testing::kTerminalMode;

const std::string kLabel = " ( \xE2\xE0\xF8\xE8 \xEE\xF7\xEA\xE8 ) your score: ";

Board numberedBoard() {
  Board board{};
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      board.at(row).at(column) = static_cast<char>('A' + (row + column) % 9);
    }
  }
  return board;
}

std::string expectedText(const Board& board, int score) {
  std::string text;
  for (const BoardRow& row : board) {
    for (const char tile : row) {
      text += tile;
      text += ' ';
    }
    text += '\n';
  }
  return text + "\n" + kLabel + std::to_string(score) + "\n\n";
}

template <typename Draw>
std::string drawn(Draw draw, ConsoleMode mode = {}) {
  const CapturedConsole console{"", mode};
  draw();
  return console.output();
}

TEST(DrawBoard, WritesTenRowsThenTheScoreLineAsPlainText) {
  const Board board = numberedBoard();
  EXPECT_EQ(drawn([&] { drawBoard(board, kBoardSize, 0); }), expectedText(board, 0));
  EXPECT_EQ(drawn([&] { drawBoard(board, kBoardSize, 1234560); }), expectedText(board, 1234560));
}

TEST(DrawBoard, SideLengthZeroDrawsOnlyTheScoreLine) {
  const Board board = numberedBoard();
  EXPECT_EQ(drawn([&] { drawBoard(board, 0, 0); }), "\n" + kLabel + "0\n\n");
  MATCH3_NEEDS_CONTROLS_IN_STREAM();
  const auto screen = testing::screenCharacters(
      drawn([&] { drawBoardSelected(board, 0, 0, 0, 0); }, kTerminalMode));
  ASSERT_FALSE(screen.empty());
  EXPECT_EQ(screen.back().foreground, kColorText);
}

TEST(DrawBoardSelected, SelectionOffTheBoardDrawsWhatDrawBoardDraws) {
  const Board board = numberedBoard();
  const std::string plain = drawn([&] { drawBoard(board, kBoardSize, 20); });
  for (const std::pair<int, int>& cell : {std::pair{-1, 0}, {0, -1}, {10, 3}, {3, 10}, {-5, 99}}) {
    EXPECT_EQ(drawn([&] { drawBoardSelected(board, kBoardSize, 20, cell.first, cell.second); }),
              plain);
  }
}

// Each character drawn, with the color in force for it: green tiles, the
// selected tile and its space bright white, the score line bright white.
void expectColors(int selectedRow, int selectedColumn) {
  const Board board = numberedBoard();
  const auto screen = testing::screenCharacters(
      drawn([&] { drawBoardSelected(board, kBoardSize, 30, selectedRow, selectedColumn); },
            kTerminalMode));
  ASSERT_EQ(screen.size(), expectedText(board, 30).size());
  std::size_t index = 0;
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      const int color =
          row == selectedRow && column == selectedColumn ? kColorSelected : kColorTiles;
      EXPECT_EQ(screen.at(index).character, board.at(row).at(column));
      EXPECT_EQ(screen.at(index++).foreground, color) << row << "," << column;
      EXPECT_EQ(screen.at(index++).foreground, color) << "space after " << row << "," << column;
    }
    const int lineEnd =
        row == selectedRow && selectedColumn == kBoardSize - 1 ? kColorSelected : kColorTiles;
    EXPECT_EQ(screen.at(index).character, '\n');
    EXPECT_EQ(screen.at(index++).foreground, lineEnd) << "end of row " << row;
  }
  for (; index < screen.size(); ++index) {
    EXPECT_EQ(screen.at(index).foreground, kColorText);
  }
}

TEST(DrawBoardSelected, HighlightsOnlyTheSelectedTileAndItsSpace) {
  MATCH3_NEEDS_CONTROLS_IN_STREAM();
  expectColors(0, 0);
  expectColors(4, 9);  // last column: the end of the line is bright white too
  expectColors(9, 5);
}

TEST(DrawBoard, DrawsEveryTileGreenAndTheScoreLineBrightWhite) {
  MATCH3_NEEDS_CONTROLS_IN_STREAM();
  const Board board = numberedBoard();
  const auto screen =
      testing::screenCharacters(drawn([&] { drawBoard(board, kBoardSize, 0); }, kTerminalMode));
  const std::size_t boardCharacters = std::size_t{kBoardSize} * (2 * kBoardSize + 1);
  ASSERT_EQ(screen.size(), expectedText(board, 0).size());
  for (std::size_t index = 0; index < screen.size(); ++index) {
    EXPECT_EQ(screen.at(index).foreground, index < boardCharacters ? kColorTiles : kColorText);
  }
}

// Without colors (NO_COLOR) the selected tile, and not the space after it,
// stands out in reverse video, and nothing else is sent; a cell off the
// board marks none.
TEST(DrawBoard, WithoutColorMarksTheSelectedCellInReverseVideoOnly) {
  MATCH3_NEEDS_CONTROLS_IN_STREAM();
  const Board board = numberedBoard();
  const ConsoleMode noColor{.controls = true, .colors = false, .utf8 = false};
  struct Case {
    int row;
    int column;
    bool marked;
  };
  for (const Case& cell : {Case{1, 1, true}, Case{0, 0, true}, Case{9, 9, true}, Case{10, 0, false},
                           Case{0, 10, false}, Case{-1, -1, false}}) {
    std::string expected = expectedText(board, 0);
    if (cell.marked) {
      const std::size_t at =
          21 * static_cast<std::size_t>(cell.row) + 2 * static_cast<std::size_t>(cell.column);
      expected.insert(at + 1, "\x1b[27m");
      expected.insert(at, "\x1b[7m");
    }
    EXPECT_EQ(
        drawn([&] { drawBoardSelected(board, kBoardSize, 0, cell.row, cell.column); }, noColor),
        expected)
        << cell.row << ", " << cell.column;
  }
  EXPECT_EQ(drawn([&] { drawBoard(board, kBoardSize, 0); }, noColor), expectedText(board, 0));
}

}  // namespace
}  // namespace match3
