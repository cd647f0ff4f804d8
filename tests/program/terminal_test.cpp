#include <gtest/gtest.h>

#include <csignal>
#include <iterator>
#include <regex>
#include <string>

#include "program/program_runner.hpp"

namespace match3 {
namespace {

using testing::runOnTerminal;

const std::string kRestore = "\x1b[0m\x1b[?25h";
const std::string kQuestionEnd =
    "\xD0\xB0\xD0\xBD\xD0\xB3\xD0\xBB\xD0\xB8\xD0\xB9\xD1\x81\xD0\xBA"
    "\xD0\xBE\xD0\xBC)";  // "английском)" in UTF-8

TEST(OnATerminal, DrawsInColorWithUtf8CyrillicAndRestoresAtTheEnd) {
  const testing::Finished game =
      runOnTerminal({{"TERM=xterm", "LANG=C.UTF-8"}, kQuestionEnd, "n\n", 0});
  EXPECT_EQ(game.exitStatus, 0);
  const std::string& output = game.output;
  EXPECT_EQ(output.rfind("\x1b[8;50;50t\x1b[2J\x1b[?25l\x1b[1;1H\x1b[32;40m", 0), 0U);
  EXPECT_NE(output.find("\x1b[97;40m\r\n ( ваши очки ) your score: 0"), std::string::npos);
  EXPECT_NE(output.find("Thanks for playing ( Спасибо за игру )"), std::string::npos);
  EXPECT_TRUE(output.ends_with(kRestore)) << output.substr(output.size() - 20);
}

// A UTF-8 locale that is named but not installed still gets UTF-8.
TEST(OnATerminal, MissingUtf8LocaleGetsUtf8ByItsName) {
  const testing::Finished game =
      runOnTerminal({{"TERM=xterm", "LC_ALL=xx_XX.UTF-8"}, kQuestionEnd, "n\n", 0});
  EXPECT_NE(game.output.find("Thanks for playing ( Спасибо за игру )"), std::string::npos);
}

TEST(OnATerminal, Cp1251LocaleGetsTheBytesUnchanged) {
  const testing::Finished game = runOnTerminal({{"TERM=xterm", "LANG=C"}, "", "n\n", 0});
  EXPECT_EQ(game.exitStatus, 0);
  EXPECT_NE(game.output.find("( \xD1\xEF\xE0\xF1\xE8\xE1\xEE"), std::string::npos);
}

// Under AddressSanitizer the game hands a crash on to the sanitizer, which
// reports it and exits, instead of the system's default action.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitizerTakesCrashes = true;
#elif defined(__has_feature)
constexpr bool kSanitizerTakesCrashes = __has_feature(address_sanitizer);
#else
constexpr bool kSanitizerTakesCrashes = false;
#endif

// Ctrl-C and its kin, a crash and any other signal that ends a program end
// the game as they would, but only once the terminal is restored.
TEST(OnATerminal, CtrlCOrACrashWhileWaitingForAnAnswerRestoresTheTerminal) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT, SIGSEGV, SIGUSR1}) {
    const testing::Finished game =
        runOnTerminal({{"TERM=xterm", "LANG=C.UTF-8"}, kQuestionEnd, "", signal});
    if (signal == SIGSEGV && kSanitizerTakesCrashes) {
      const std::size_t report = game.output.find("AddressSanitizer: SEGV");
      ASSERT_NE(report, std::string::npos) << ::testing::PrintToString(game.output);
      EXPECT_LT(game.output.find(kRestore), report);
      continue;
    }
    EXPECT_EQ(game.signal, signal);
    EXPECT_TRUE(game.output.ends_with(kRestore)) << "signal " << signal;
  }
}

// A game started with Ctrl-C ignored (as nohup does for a hang-up, or a
// script for a job it starts with &) keeps ignoring it and plays on.
TEST(OnATerminal, SignalsIgnoredAtTheStartStayIgnored) {
  const testing::ShellRun shell = testing::runInShell({
      {"$ ", "(trap '' INT; exec \"$GAME\")\n"},
      {kQuestionEnd, "\x03"},
      {"^C", "n\n"},
      {"Thanks for playing", "exit\n"},
  });
  const std::string& output = shell.finished.output;
  ASSERT_EQ(shell.typedAt.size(), 4U);
  const std::string afterCtrlC = output.substr(shell.typedAt[1]);
  const std::string farewell = "Thanks for playing ( Спасибо за игру )\r\n";
  const std::size_t played = afterCtrlC.find(farewell);
  ASSERT_NE(played, std::string::npos) << ::testing::PrintToString(afterCtrlC);
  EXPECT_EQ(afterCtrlC.find(kRestore), played + farewell.size());  // restored at the end only
}

const std::string kTaken = "\x1b[?25l\x1b[97;40m";  // the cursor hidden, the text color

// Ctrl-Z, or a read or write from the background, gives the shell its cursor
// and colors back; when the game carries on in the foreground it hides the
// cursor and sets the text color again. (A game started here has no job
// control, so the stop itself passes at once.)
TEST(OnATerminal, StopAndContinueHandTheTerminalBackAndForth) {
  for (const int signal : {SIGTSTP, SIGTTIN, SIGTTOU}) {
    const testing::Finished game =
        runOnTerminal({{"TERM=xterm", "LANG=C.UTF-8"}, kQuestionEnd, "n\n", signal});
    EXPECT_EQ(game.exitStatus, 0) << "signal " << signal;
    // The terminal may echo the typed answer between the two, as the stop
    // and the typing race.
    const std::size_t stopped = game.output.find(kRestore);
    ASSERT_NE(stopped, std::string::npos) << "signal " << signal;
    const std::size_t resumed = game.output.find(kTaken, stopped);
    ASSERT_NE(resumed, std::string::npos) << ::testing::PrintToString(game.output);
    EXPECT_NE(game.output.find("Thanks for playing", resumed), std::string::npos);
    EXPECT_TRUE(game.output.ends_with(kRestore));
  }
}

// In a real shell: Ctrl-Z, then bg. The game, in the background, stops at
// its next read and leaves the terminal to the shell as it was; fg gives it
// back the terminal and the next answer.
TEST(OnATerminal, BackgroundLeavesTheTerminalToTheShell) {
  const testing::ShellRun shell = testing::runInShell({
      {"$ ", "set -b; \"$GAME\"\n"},  // -b: job reports at once
      {kQuestionEnd, "\x1a"},
      {"Stopped", "bg\n"},
      {"Stopped", "fg\n"},  // stopped again, by its read from the background
      {kTaken, "n\n"},
      {"Thanks for playing", "exit\n"},
  });
  const std::string& output = shell.finished.output;
  EXPECT_EQ(shell.finished.exitStatus, 0) << ::testing::PrintToString(output);
  ASSERT_EQ(shell.typedAt.size(), 6U);
  const std::string background =
      output.substr(shell.typedAt[2], shell.typedAt[3] - shell.typedAt[2]);
  // The game's last bytes before fg: the restore, then only the shell's.
  const std::size_t restored = background.rfind(kRestore);
  ASSERT_NE(restored, std::string::npos) << ::testing::PrintToString(background);
  EXPECT_EQ(background.find('\x1b', restored + kRestore.size()), std::string::npos);
  EXPECT_EQ(background.find("\x1b[?25l"), std::string::npos);
  const std::string foreground = output.substr(shell.typedAt[3]);
  const std::size_t taken = foreground.find(kTaken);
  ASSERT_NE(taken, std::string::npos) << ::testing::PrintToString(foreground);
  EXPECT_NE(foreground.find("Thanks for playing", taken), std::string::npos);
}

// A game whose reads from the terminal fail (EIO: it was left in the
// background of a shell that has moved on) restores the terminal, then says
// why it ended, with status 1.
TEST(OnATerminal, ReadErrorRestoresTheTerminalThenSaysWhy) {
  const testing::ShellRun shell = testing::runInShell({
      {"$ ", "( ( \"$GAME\" </dev/tty; echo \"game's \"status $? ) & )\n"},
      {"game's status ", "exit\n"},
  });
  const std::string& output = shell.finished.output;
  const std::size_t restored = output.rfind(kRestore);
  const std::size_t said = output.find("match3: cannot read standard input: Input/output error");
  ASSERT_NE(said, std::string::npos) << ::testing::PrintToString(output);
  EXPECT_LT(restored, said);
  EXPECT_NE(output.find("game's status 1", said), std::string::npos);
}

// NO_COLOR: no colors, but the cursor controls stay, and the selected tile
// stands out in reverse video in every drawing of a turn, as the only
// attribute the game sets.
TEST(OnATerminal, NoColorDropsColorsButStillMarksTheSelectedTile) {
  const testing::Finished game = runOnTerminal(
      {{"TERM=xterm", "LANG=C.UTF-8", "NO_COLOR=1"}, kQuestionEnd, "y\ny\n1 1\nu\nn\n", 0});
  EXPECT_EQ(game.exitStatus, 0);
  const std::string& output = game.output;
  EXPECT_EQ(output.find("\x1b[3"), std::string::npos);
  EXPECT_EQ(output.find("\x1b[9"), std::string::npos);
  EXPECT_NE(output.find("\x1b[?25l"), std::string::npos);
  EXPECT_TRUE(output.ends_with("\x1b[?25h"));
  const auto count = [&](const std::regex& pattern) {
    return std::distance(std::sregex_iterator(output.begin(), output.end(), pattern),
                         std::sregex_iterator());
  };
  const auto marks = count(std::regex("\x1b\\[7m[A-I]\x1b\\[27m "));
  EXPECT_GE(marks, 2);  // the drawing after the move, and after the clearing
  EXPECT_EQ(count(std::regex("\x1b\\[[0-9;]*m")), 2 * marks);  // no other attribute
}

// A dumb terminal (an editor's shell buffer) gets no control sequence, and
// its Cyrillic in the locale's UTF-8.
TEST(OnATerminal, DumbTerminalGetsNoEscapeSequencesButReadableCyrillic) {
  const testing::Finished game =
      runOnTerminal({{"TERM=dumb", "LANG=C.UTF-8"}, kQuestionEnd, "n\n", 0});
  EXPECT_EQ(game.exitStatus, 0);
  EXPECT_EQ(game.output.find('\x1b'), std::string::npos);
  EXPECT_NE(game.output.find("Thanks for playing ( Спасибо за игру )"), std::string::npos);
}

}  // namespace
}  // namespace match3
