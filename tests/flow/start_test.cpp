#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "console/board_display.hpp"
#include "flow/game.hpp"
#include "flow/texts.hpp"
#include "support/test_support.hpp"

namespace match3 {
namespace {

constexpr unsigned kSeed = 42;

std::string firstScreen() {
  const testing::CapturedConsole console;
  std::srand(kSeed);
  Board board{};
  fillBoard(board, kBoardSize);
  drawBoard(board, kBoardSize, 0);
  return console.output() + std::string(kStartQuestion.view());
}

std::string playedWith(const std::string& input) {
  const testing::CapturedConsole console{input};
  std::srand(kSeed);
  playGame();
  return console.output();
}

TEST(StartQuestion, NoWritesTheFarewellUnderTheFirstBoard) {
  const std::string expected = firstScreen() + std::string(kFarewell.view());
  EXPECT_EQ(playedWith("n\n"), expected);
  EXPECT_EQ(playedWith("  N  \n"), expected);
}

TEST(StartQuestion, AnyOtherWordOrNoWordEndsSilently) {
  for (const char* input : {"yes\n", "x\n", "no\n", "Yes\n", "", "   \n"}) {
    EXPECT_EQ(playedWith(input), firstScreen()) << "input '" << input << "'";
  }
}

TEST(StartQuestion, YesStartsTheTurnsAndAddsNoFarewellAfterThem) {
  const std::string play(kPlayQuestion.view());
  EXPECT_EQ(playedWith("y\n"), firstScreen() + play);
  EXPECT_EQ(playedWith("Y\nx\n"), firstScreen() + play);
  EXPECT_EQ(playedWith("Y\nn\n"), firstScreen() + play + std::string(kFarewell.view()));
}

TEST(StartQuestion, FirstBoardComesAfterTheConsoleSetUpAtTheTopLeft) {
  MATCH3_NEEDS_CONTROLS_IN_STREAM();
  const testing::CapturedConsole console{"n", testing::kTerminalMode};
  std::srand(kSeed);
  playGame();
  EXPECT_EQ(console.output().rfind("\x1b[8;50;50t\x1b[2J\x1b[?25l\x1b[1;1H\x1b[32;40m", 0), 0U);
}

}  // namespace
}  // namespace match3
