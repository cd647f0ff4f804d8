#include "flow/turns.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "console/colors.hpp"
#include "flow/texts.hpp"
#include "game/move_scan.hpp"
#include "support/test_support.hpp"

namespace match3 {
namespace {

using testing::CapturedConsole;

// A board without a run and with two possible moves, the tile at (3, 0) up
// and the tile at (7, 5) up, so that one of them survives a turn.
Board boardWithAMove() {
  Board board = testing::quietBoard();
  board.at(0).at(0) = board.at(1).at(0) = board.at(3).at(0) = 'A';
  board.at(4).at(5) = board.at(5).at(5) = board.at(7).at(5) = 'A';
  return board;
}

std::size_t occurrences(const std::string& text, std::string_view part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST(ApplyMove, SwapsWithTheNeighbourAndMovesTheSelection) {
  struct Case {
    Selection from;
    const char* direction;
    Selection to;
  };
  for (const Case& move : {Case{{0, 0}, "r", {0, 1}}, Case{{9, 0}, "u", {8, 0}},
                           Case{{4, 4}, "d", {5, 4}}, Case{{4, 4}, "l", {4, 3}}}) {
    Board board = testing::quietBoard();
    const Board before = board;
    Selection selection = move.from;
    applyMove(board, kBoardSize, selection, move.direction);
    EXPECT_EQ(selection.row, move.to.row) << move.direction;
    EXPECT_EQ(selection.column, move.to.column) << move.direction;
    EXPECT_EQ(board.at(move.to.row).at(move.to.column),
              before.at(move.from.row).at(move.from.column));
    EXPECT_EQ(board.at(move.from.row).at(move.from.column),
              before.at(move.to.row).at(move.to.column));
  }
}

TEST(ApplyMove, ChangesNothingOffTheBoardOrForOtherWords) {
  struct Case {
    Selection from;
    const char* direction;
  };
  const Case cases[] = {
      {{0, 0}, "u"},       {{0, 0}, "l"},       {{9, 9}, "d"},
      {{9, 9}, "r"},       {{4, 4}, "R"},       {{4, 4}, "right"},
      {{4, 4}, ""},        {{4, 4}, "rr"},      {{-1, 0}, "d"},
      {{0, -1}, "r"},      {{10, 0}, "u"},      {{0, 10}, "l"},
      {{INT_MIN, 0}, "u"}, {{0, INT_MIN}, "l"}, {{INT_MAX - 1, 3}, "d"},
      {{3, INT_MAX}, "r"},
  };
  for (const Case& move : cases) {
    Board board = testing::quietBoard();
    Selection selection = move.from;
    applyMove(board, kBoardSize, selection, move.direction);
    EXPECT_EQ(board, testing::quietBoard()) << move.direction;
    EXPECT_EQ(selection.row, move.from.row);
    EXPECT_EQ(selection.column, move.from.column);
  }
}

TEST(ZeroBased, SubtractsOneWithoutOverflow) {
  EXPECT_EQ(zeroBased(1), 0);
  EXPECT_EQ(zeroBased(0), -1);
  EXPECT_EQ(zeroBased(INT_MAX), INT_MAX - 1);
  EXPECT_EQ(zeroBased(INT_MIN), INT_MIN);
}

TEST(PromptPlay, AsksForCellAndDirectionAndDrawsTheSwappedBoard) {
  MATCH3_NEEDS_CONTROLS_IN_STREAM();
  for (const char* input : {"y\n1 1\nr\n", "y 1\n1 r", "Y\n1\n\n1\n  r\n"}) {
    const CapturedConsole console{input, testing::kTerminalMode};
    Board board = boardWithAMove();
    int score = 0;
    EXPECT_TRUE(promptPlay(board, kBoardSize, score)) << input;
    const std::string output = console.output();
    const std::string questions = std::string(kPlayQuestion.view()) +
                                  std::string(kCoordinateQuestion.view()) +
                                  std::string(kDirectionQuestion.view());
    EXPECT_EQ(output.rfind(questions, 0), 0U) << input;
    // The first drawing highlights row 0, column 1, where the tile went.
    const auto screen = testing::screenCharacters(output.substr(questions.size()));
    ASSERT_GT(screen.size(), 4U);
    EXPECT_EQ(screen.at(0).foreground, kColorTiles);
    EXPECT_EQ(screen.at(2).foreground, kColorSelected);
    EXPECT_EQ(screen.at(2).character, 'A');
  }
}

TEST(PromptPlay, CoordinatesOffTheBoardMoveNothingAndGoOn) {
  for (const char* cell : {"0 5", "11 5", "5 0", "5 11", "-1 5", "2147483647 5", "-2147483648 5",
                           "5 -2147483648", "99999999999 5", "5 99999999999", "abc 5"}) {
    const CapturedConsole console{std::string("y ") + cell + " r\n", testing::kTerminalMode};
    Board board = boardWithAMove();
    int score = 0;
    EXPECT_TRUE(promptPlay(board, kBoardSize, score)) << cell;
    EXPECT_EQ(board, boardWithAMove()) << cell;
    // Bright white only for the score lines of the two drawings: no tile
    // is highlighted.
    if (testing::kControlsInStream) {
      EXPECT_EQ(occurrences(console.output(), "\x1b[97;40m"), 2U) << cell;
    }
  }
}

TEST(PromptPlay, NoWritesTheFarewellAndOtherWordsEndSilently) {
  const std::string play(kPlayQuestion.view());
  for (const auto& [input, output] :
       {std::pair{"n", play + std::string(kFarewell.view())},
        std::pair{"N", play + std::string(kFarewell.view())}, std::pair{"no", play},
        std::pair{"x", play}, std::pair{"", play}}) {
    const CapturedConsole console{input};
    Board board = boardWithAMove();
    int score = 0;
    EXPECT_FALSE(promptPlay(board, kBoardSize, score)) << input;
    EXPECT_EQ(console.output(), output) << input;
  }
}

TEST(RunTurns, AFailedNumberEndsTheGameAtTheNextPlayQuestion) {
  const CapturedConsole console{"y abc 3 r y 1 1 r\n"};
  Board board = boardWithAMove();
  int score = 0;
  runTurns(board, kBoardSize, score);
  EXPECT_EQ(occurrences(console.output(), kPlayQuestion.view()), 2U);
  EXPECT_EQ(occurrences(console.output(), kFarewell.view()), 0U);
  EXPECT_EQ(board, boardWithAMove());
}

TEST(RunTurns, EndsAfterAReshuffleWhateverComesNext) {
  const CapturedConsole console{"y 5 5 x\ny 1 1 r\ny 1 1 r\n"};
  Board board = testing::quietBoard();
  int score = 0;
  std::srand(3);
  runTurns(board, kBoardSize, score);
  const std::string output = console.output();
  EXPECT_EQ(occurrences(output, kPlayQuestion.view()), 1U);
  EXPECT_EQ(occurrences(output, "\nreversing\n"), 1U);
  EXPECT_EQ(score, 0);
}

TEST(RunTurns, SwapThatMakesARunScoresItAndGoesOn) {
  // Moving the 'A' at (3, 0) up lines up (0, 0) to (2, 0).
  const CapturedConsole console{"y 4 1 u n"};
  Board board = boardWithAMove();
  int score = 0;
  std::srand(8);
  runTurns(board, kBoardSize, score);
  EXPECT_EQ(score, 10);
  EXPECT_EQ(occurrences(console.output(), kPlayQuestion.view()), 2U);
  EXPECT_EQ(occurrences(console.output(), kFarewell.view()), 1U);
}

}  // namespace
}  // namespace match3
