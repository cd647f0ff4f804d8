#include <gtest/gtest.h>

#include <csignal>
#include <string>

#include "program/program_runner.hpp"

namespace match3 {
namespace {

using testing::runOnTerminal;

const std::string kRestore = "\x1b[0m\x1b[?25h";
const std::string kQuestionEnd =
    "\xD0\xB0\xD0\xBD\xD0\xB3\xD0\xBB\xD0\xB8\xD0\xB9\xD1\x81\xD0\xBA"
    "\xD0\xBE\xD0\xBC)";  // "английском)" in UTF-8

TEST(OnATerminal, DrawsInColourWithUtf8CyrillicAndRestoresAtTheEnd) {
  const testing::Finished game =
      runOnTerminal({{"TERM=xterm", "LANG=C.UTF-8"}, kQuestionEnd, "n\n", 0});
  EXPECT_EQ(game.exitStatus, 0);
  const std::string& output = game.output;
  EXPECT_EQ(output.rfind("\x1b[8;50;50t\x1b[2J\x1b[?25l\x1b[1;1H\x1b[32;40m", 0), 0U);
  EXPECT_NE(output.find("\x1b[97;40m\r\n ( ваши очки ) your score: 0"), std::string::npos);
  EXPECT_NE(output.find("Thanks for playing ( Спасибо за игру )"), std::string::npos);
  EXPECT_TRUE(output.ends_with(kRestore)) << output.substr(output.size() - 20);
}

TEST(OnATerminal, Cp1251LocaleGetsTheBytesUnchanged) {
  const testing::Finished game = runOnTerminal({{"TERM=xterm", "LANG=C"}, "", "n\n", 0});
  EXPECT_EQ(game.exitStatus, 0);
  EXPECT_NE(game.output.find("( \xD1\xEF\xE0\xF1\xE8\xE1\xEE"), std::string::npos);
}

TEST(OnATerminal, CtrlCWhileWaitingForAnAnswerRestoresTheTerminal) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    const testing::Finished game =
        runOnTerminal({{"TERM=xterm", "LANG=C.UTF-8"}, kQuestionEnd, "", signal});
    EXPECT_EQ(game.signal, signal);
    EXPECT_TRUE(game.output.ends_with(kRestore)) << "signal " << signal;
  }
}

// Ctrl-Z gives the shell its cursor and colours back; when the game carries
// on it hides the cursor and sets the text colour again. (A game started
// here has no job control, so the stop itself passes at once.)
TEST(OnATerminal, StopAndContinueHandTheTerminalBackAndForth) {
  const testing::Finished game =
      runOnTerminal({{"TERM=xterm", "LANG=C.UTF-8"}, kQuestionEnd, "n\n", SIGTSTP});
  EXPECT_EQ(game.exitStatus, 0);
  // The terminal may echo the typed answer between the two, as the stop and
  // the typing race.
  const std::size_t stopped = game.output.find(kRestore);
  ASSERT_NE(stopped, std::string::npos);
  const std::size_t resumed = game.output.find("\x1b[?25l\x1b[97;40m", stopped);
  ASSERT_NE(resumed, std::string::npos) << ::testing::PrintToString(game.output);
  EXPECT_NE(game.output.find("Thanks for playing", resumed), std::string::npos);
  EXPECT_TRUE(game.output.ends_with(kRestore));
}

TEST(OnATerminal, NoColorKeepsCursorControlsButDropsColours) {
  const testing::Finished game =
      runOnTerminal({{"TERM=xterm", "LANG=C.UTF-8", "NO_COLOR=1"}, kQuestionEnd, "n\n", 0});
  EXPECT_EQ(game.exitStatus, 0);
  EXPECT_EQ(game.output.find("\x1b[3"), std::string::npos);
  EXPECT_EQ(game.output.find("\x1b[9"), std::string::npos);
  EXPECT_NE(game.output.find("\x1b[?25l"), std::string::npos);
  EXPECT_TRUE(game.output.ends_with("\x1b[?25h"));
}

TEST(OnATerminal, DumbTerminalGetsNoEscapeSequences) {
  const testing::Finished game = runOnTerminal({{"TERM=dumb", "LANG=C.UTF-8"}, "", "n\n", 0});
  EXPECT_EQ(game.exitStatus, 0);
  EXPECT_EQ(game.output.find('\x1b'), std::string::npos);
  EXPECT_NE(game.output.find("Thanks for playing"), std::string::npos);
}

}  // namespace
}  // namespace match3
