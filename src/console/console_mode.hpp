#pragma once

#include <string_view>

namespace match3 {

// What the console functions may do with standard output. A pipe or a file
// gets none of it: the game's text, byte for byte.
struct ConsoleMode {
  bool controls = false;  // cursor, window, clearing and the highlight
  bool colors = false;
  bool utf8 = false;  // the terminal reads UTF-8, not Windows-1251
};

// The decision, from what the host says about standard output: whether it is
// a terminal, the TERM and NO_COLOR variables, and the locale's codeset.
[[nodiscard]] ConsoleMode chooseConsoleMode(bool isTerminal, std::string_view term,
                                            std::string_view noColor, std::string_view codeset);

// The codeset of a user's locale that the host cannot load (a name that is
// not installed, as often in a container), read from the name itself: that
// of the first of LC_ALL, LC_CTYPE and LANG that is set and not empty.
// "UTF-8" when the name says UTF-8 or utf8, in any case; empty otherwise.
[[nodiscard]] std::string_view codesetNamedBy(std::string_view lcAll, std::string_view lcCtype,
                                              std::string_view lang);

// Whether the game, once it has ended, waits for a key before its window
// closes: only when it has a console to itself (`processesOnConsole`
// counts the game's own), as Windows opens one for a program started by a
// double click, and closes it with the game's last board in it.
[[nodiscard]] bool waitsBeforeTheWindowCloses(bool inputIsConsole, bool outputIsConsole,
                                              unsigned long processesOnConsole);

// The mode the console works in, chosen once when the terminal is opened.
[[nodiscard]] ConsoleMode consoleMode();
void useConsoleMode(ConsoleMode mode);

}  // namespace match3
