#include "console/console.hpp"

#include <gtest/gtest.h>

#include <string>

#include "console/ansi.hpp"
#include "console/colors.hpp"
#include "console/console_mode.hpp"
#include "console/output.hpp"
#include "console/text_encoding.hpp"
#include "support/test_support.hpp"

namespace match3 {
namespace {

using testing::CapturedConsole;

// A dumb terminal takes no controls but reads the locale's characters; a
// pipe gets the game's own bytes.
TEST(ConsoleMode, PipesAndDumbTerminalsGetNoControls) {
  const ConsoleMode pipe = chooseConsoleMode(false, "xterm-256color", "", "UTF-8");
  EXPECT_FALSE(pipe.controls || pipe.colors || pipe.utf8);
  const ConsoleMode dumb = chooseConsoleMode(true, "dumb", "", "UTF-8");
  EXPECT_FALSE(dumb.controls || dumb.colors);
  EXPECT_TRUE(dumb.utf8);
  EXPECT_FALSE(chooseConsoleMode(true, "dumb", "", "CP1251").utf8);
}

TEST(ConsoleMode, TerminalGetsColorsUnlessNoColorIsSet) {
  const ConsoleMode terminal = chooseConsoleMode(true, "xterm", "", "UTF-8");
  EXPECT_TRUE(terminal.controls);
  EXPECT_TRUE(terminal.colors);
  const ConsoleMode plain = chooseConsoleMode(true, "xterm", "1", "UTF-8");
  EXPECT_TRUE(plain.controls);
  EXPECT_FALSE(plain.colors);
  EXPECT_TRUE(chooseConsoleMode(true, "", "", "").controls);
}

TEST(ConsoleMode, OnlyAConsoleOfItsOwnWaitsBeforeItCloses) {
  EXPECT_TRUE(waitsBeforeTheWindowCloses(true, true, 1));
  EXPECT_FALSE(waitsBeforeTheWindowCloses(true, true, 2));  // a shell's console
  EXPECT_FALSE(waitsBeforeTheWindowCloses(false, true, 1));
  EXPECT_FALSE(waitsBeforeTheWindowCloses(true, false, 1));
  EXPECT_FALSE(waitsBeforeTheWindowCloses(true, true, 0));  // the count failed
}

TEST(ConsoleMode, ConvertsTextOnlyForAUtf8Locale) {
  EXPECT_TRUE(chooseConsoleMode(true, "xterm", "", "UTF-8").utf8);
  EXPECT_TRUE(chooseConsoleMode(true, "xterm", "", "utf8").utf8);
  EXPECT_FALSE(chooseConsoleMode(true, "xterm", "", "CP1251").utf8);
  EXPECT_FALSE(chooseConsoleMode(true, "xterm", "", "ANSI_X3.4-1968").utf8);
  // A locale named but not installed: its name decides (LC_ALL, LC_CTYPE,
  // LANG: the first set and not empty).
  const auto named = [](std::string_view all, std::string_view ctype, std::string_view lang) {
    return chooseConsoleMode(true, "xterm", "", codesetNamedBy(all, ctype, lang)).utf8;
  };
  EXPECT_TRUE(named("", "", "en_US.UTF-8"));
  EXPECT_TRUE(named("ru_RU.utf8", "", "C"));
  EXPECT_TRUE(named("", "de_DE.Utf-8@euro", "ru_RU.KOI8-R"));
  EXPECT_FALSE(named("ru_RU.CP1251", "", "en_US.UTF-8"));
  EXPECT_FALSE(named("", "", "ru_RU"));
  EXPECT_FALSE(named("", "", "UTF"));
}

TEST(ColorSequence, MapsConsoleAttributesToAnsiColors) {
  EXPECT_EQ(colorSequence(kColorTiles, kColorBackground).view(), "\x1b[32;40m");
  EXPECT_EQ(colorSequence(kColorText, kColorBackground).view(), "\x1b[97;40m");
  EXPECT_EQ(colorSequence(1, 4).view(), "\x1b[34;41m");    // blue on red
  EXPECT_EQ(colorSequence(12, 9).view(), "\x1b[91;104m");  // bright red on bright blue
  EXPECT_EQ(colorSequence(8, 0).view(), "\x1b[90;40m");
}

TEST(ConsoleControls, WriteNothingWhenOutputIsNoTerminal) {
  const CapturedConsole console;
  setupConsole();
  setCursorPosition(0, 0);
  setTextColor(kColorTiles, kColorBackground);
  clearScreen();
  EXPECT_FALSE(setCursorVisible(false));
  EXPECT_EQ(console.output(), "");
}

TEST(ConsoleControls, WriteAnsiSequencesOnATerminal) {
  MATCH3_NEEDS_CONTROLS_IN_STREAM();
  const CapturedConsole console{"", testing::kTerminalMode};
  setupConsole();
  setCursorPosition(0, 0);
  EXPECT_TRUE(setCursorVisible(true));
  clearScreen();
  EXPECT_EQ(console.output(),
            "\x1b[8;50;50t\x1b[2J\x1b[?25l"  // window, erase, hidden cursor
            "\x1b[1;1H\x1b[?25h\x1b[2J\x1b[H");
}

TEST(Cp1251, ConvertsCyrillicAtCompileTime) {
  constexpr auto text = toCp1251(u8"ab Спасибо ЁёЯя");
  EXPECT_EQ(text.view(), "ab \xD1\xEF\xE0\xF1\xE8\xE1\xEE \xA8\xB8\xDF\xFF");
  static_assert(toCp1251(u8"").size == 0);
}

TEST(Utf8Output, TurnsCp1251IntoUtf8AndPassesAscii) {
  const testing::CapturedConsole console{{}, {.controls = false, .colors = false, .utf8 = true}};
  writeText("X ");
  writeText(toCp1251(u8"очки Ё №").view());
  writeText("\x1b[0m\xFF");
  EXPECT_EQ(console.output(), "X очки Ё №\x1b[0mя");
}

}  // namespace
}  // namespace match3
