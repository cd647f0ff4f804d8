#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "program/program_runner.hpp"

namespace match3 {
namespace {

using testing::runThroughPipe;

const std::string kScoreLabel = " ( \xE2\xE0\xF8\xE8 \xEE\xF7\xEA\xE8 ) your score: ";
const std::string kStartQuestion =
    "Do you want to start?  (Y/N) //  \xF5\xEE\xF2\xE8\xF2\xE5 \xED\xE0\xF7\xE0\xF2\xFC "
    "\xE8\xE3\xF0\xE0\xF2\xFC? (\xE4\xE0, \xED\xE5\xF2 ) (\xE2\xE2\xEE\xE4 \xED\xE0 "
    "\xE0\xED\xE3\xEB\xE8\xE9\xF1\xEA\xEE\xEC)\n\n";
const std::string kPlayQuestion =
    "\n enter y/n if you want to play ( \xE2\xE2\xE5\xE4\xE8\xF2\xE5 \xE4\xE0 \xE8\xEB\xE8 "
    "\xED\xE5\xF2 \xF7\xF2\xEE\xE1\xFB \xE8\xE3\xF0\xE0\xF2\xFC) (\xE2\xE2\xEE\xE4 "
    "\xED\xE0 \xE0\xED\xE3\xEB\xE8\xE9\xF1\xEA\xEE\xEC)\n";
const std::string kFarewell =
    "\n Thanks for playing ( \xD1\xEF\xE0\xF1\xE8\xE1\xEE \xE7\xE0 \xE8\xE3\xF0\xF3 )\n";

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    lines.push_back(line);
  }
  return lines;
}

void expectFirstScreen(const std::string& output) {
  const std::vector<std::string> lines = linesOf(output);
  ASSERT_GE(lines.size(), 14U);
  const std::regex row("^([A-I] ){10}$");
  for (int index = 0; index < 10; ++index) {
    EXPECT_TRUE(std::regex_match(lines.at(index), row)) << lines.at(index);
  }
  EXPECT_EQ(lines.at(10), "");
  EXPECT_EQ(lines.at(11), kScoreLabel + "0");
  EXPECT_EQ(lines.at(12), "");
  EXPECT_EQ(output.substr(output.find(kScoreLabel + "0\n\n") + kScoreLabel.size() + 3,
                          kStartQuestion.size()),
            kStartQuestion);
}

void expectNoControlBytes(const std::string& output) {
  for (const char byte : output) {
    if (byte == '\n') {
      continue;
    }
    ASSERT_FALSE(static_cast<unsigned char>(byte) < 0x20 || byte == '\x7f')
        << "control byte " << static_cast<int>(byte);
  }
}

TEST(ThroughAPipe, NoWritesTheFirstScreenAndTheFarewellAsPlainBytes) {
  const testing::Finished game = runThroughPipe("n\n");
  EXPECT_EQ(game.exitStatus, 0);
  EXPECT_EQ(game.errors, "");
  expectFirstScreen(game.output);
  EXPECT_EQ(game.output.size(),
            10 * 21 + 1 + kScoreLabel.size() + 2 + 1 + kStartQuestion.size() + kFarewell.size());
  EXPECT_EQ(game.output.substr(game.output.size() - kFarewell.size()), kFarewell);
  expectNoControlBytes(game.output);
}

TEST(ThroughAPipe, OtherAnswersAndNoInputEndSilently) {
  for (const char* input : {"", "x\n", "yes\n"}) {
    const testing::Finished game = runThroughPipe(input);
    EXPECT_EQ(game.exitStatus, 0) << input;
    expectFirstScreen(game.output);
    EXPECT_EQ(game.output.substr(game.output.size() - kStartQuestion.size()), kStartQuestion);
  }
}

// End of input after any token of a game ends it with status 0.
TEST(ThroughAPipe, EndOfInputAfterEveryTokenEndsTheGame) {
  const std::vector<std::string> tokens{"y", "y", "3", "4", "r", "y", "10",  "1",
                                        "u", "y", "1", "1", "l", "y", "abc", "5"};
  for (std::size_t count = 0; count <= tokens.size(); ++count) {
    std::string input;
    for (std::size_t index = 0; index < count; ++index) {
      input += tokens.at(index) + "\n";
    }
    const testing::Finished game = runThroughPipe(input);
    EXPECT_EQ(game.exitStatus, 0) << "after " << count << " tokens";
    expectNoControlBytes(game.output);
  }
}

// A long game of random moves: every drawing is ten rows of letters and the
// score only rises, in steps of 10. (At the fixed clock these moves, seed 8,
// last the 1500 turns, to the farewell.)
TEST(ThroughAPipe, LongGameKeepsEveryBoardWholeAndTheScoreRising) {
  std::mt19937 random(8);
  std::string input = "y\n";
  const char* directions[] = {"r", "l", "u", "d"};
  for (int turn = 0; turn < 1500; ++turn) {
    // One after the other: within one expression the compilers draw them in
    // orders of their own.
    const auto row = random() % 10 + 1;
    const auto column = random() % 10 + 1;
    const auto direction = random() % 4;
    input += "y\n" + std::to_string(row) + " " + std::to_string(column) + "\n" +
             directions[direction] + "\n";
  }
  input += "n\n";
  const testing::Finished game = runThroughPipe(input);
  EXPECT_EQ(game.exitStatus, 0);
  expectNoControlBytes(game.output);

  const std::vector<std::string> lines = linesOf(game.output);
  const std::regex row("^([A-I] ){10}$");
  int rowsInARow = 0;
  int boards = 0;
  long previous = 0;
  for (const std::string& line : lines) {
    if (std::regex_match(line, row)) {
      ++rowsInARow;
      continue;
    }
    if (rowsInARow > 0) {
      EXPECT_EQ(rowsInARow, 10);
      EXPECT_EQ(line, "");  // the empty line under the board
      ++boards;
    }
    rowsInARow = 0;
    if (line.rfind(kScoreLabel, 0) == 0) {
      const long score = std::stol(line.substr(kScoreLabel.size()));
      EXPECT_GE(score, previous);
      EXPECT_EQ((score - previous) % 10, 0);
      previous = score;
    }
  }
  // Every turn drew at least one board.
  const std::string turnPrompt = "\n enter cordination of object X, Y";
  int turns = 0;
  for (std::size_t at = game.output.find(turnPrompt); at != std::string::npos;
       at = game.output.find(turnPrompt, at + 1)) {
    ++turns;
  }
  EXPECT_GE(turns, 1);
  EXPECT_GE(boards, turns);
  EXPECT_EQ(turns, 1500);
  EXPECT_GT(previous, 0);
  EXPECT_TRUE(game.output.ends_with(kFarewell));
}

// However long a word or a number, the game keeps only a few bytes of it:
// its peak memory stays that of a short game, and it reads on after it.
TEST(ThroughAPipe, MemoryDoesNotGrowWithTheLengthOfAnAnswer) {
  const testing::Finished shortGame = runThroughPipe("y\ny\n1 1\nx\nn\n");
  ASSERT_EQ(shortGame.exitStatus, 0);
  constexpr std::size_t kLength = 100'000'000;
  struct Case {
    testing::LongInput input;
    std::string ending;  // the last text the game writes
  };
  const Case cases[] = {
      {{"", 'y', kLength, "\nn\n"}, kStartQuestion},
      {{"y\n", 'y', kLength, "\nn\n"}, kPlayQuestion},
      {{"y\ny\n", '7', kLength, " 1\nr\nn\n"}, kPlayQuestion},
      {{"y\ny\n1 1\n", 'r', kLength, "\nn\n"}, kFarewell},
  };
  for (const Case& test : cases) {
    const testing::Finished game = runThroughPipe(test.input);
    EXPECT_EQ(game.exitStatus, 0);
    EXPECT_TRUE(game.output.ends_with(test.ending)) << game.output.substr(game.output.size() - 40);
    EXPECT_LT(game.peakMemoryKiB, shortGame.peakMemoryKiB + 4096)
        << "short game " << shortGame.peakMemoryKiB << " KiB";
  }
}

// The board rows of an output, their letters masked: the clock picks them.
std::string withBoardsMasked(const std::string& output) {
  return std::regex_replace(output, std::regex("(^|\n)([A-I] ){10}(?=\n)"), "$1ROW");
}

// A stream that fails ends the game with status 1 and one line saying why,
// after the game has played on as it would have. Input that cannot be read
// ends as at the end of the input, with the same bytes written; output that
// cannot be written does not stop the reading of answers. A pipe whose reader
// has gone ends the game by SIGPIPE, unless SIGPIPE is ignored.
TEST(ThroughAPipe, StreamsThatFailEndTheGameWithAMessage) {
  std::string input = "y\n";
  for (int turn = 0; turn < 2000; ++turn) {
    input += "y\n1 1\nu\n";
  }
  input += "n\n";
  const std::string cannotWrite = "match3: cannot write standard output: ";
  const std::string cannotRead = "match3: cannot read standard input: ";
  struct Case {
    testing::Road road;
    int signal;
    std::string errors;
  };
  const Case cases[] = {
      {testing::Road::kFullDevice, 0, cannotWrite + "No space left on device\n"},
      {testing::Road::kClosed, 0, cannotWrite + "Bad file descriptor\n"},
      {testing::Road::kPipeWithoutReader, SIGPIPE, ""},
      {testing::Road::kPipeWithoutReaderSigpipeIgnored, 0, cannotWrite + "Broken pipe\n"},
      {testing::Road::kInputDirectory, 0, cannotRead + "Is a directory\n"},
      {testing::Road::kInputClosed, 0, cannotRead + "Bad file descriptor\n"},
  };
  const std::string atTheEndOfInput = withBoardsMasked(runThroughPipe("").output);
  for (const Case& test : cases) {
    const testing::Finished game = runThroughPipe(input, test.road);
    EXPECT_EQ(game.signal, test.signal) << "road " << static_cast<int>(test.road);
    EXPECT_EQ(game.exitStatus, test.signal == 0 ? 1 : -1) << "road " << static_cast<int>(test.road);
    EXPECT_EQ(game.errors, test.errors);
    if (test.road == testing::Road::kInputDirectory || test.road == testing::Road::kInputClosed) {
      EXPECT_EQ(withBoardsMasked(game.output), atTheEndOfInput);
    }
  }
}

}  // namespace
}  // namespace match3
