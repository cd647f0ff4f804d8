// The console on a POSIX terminal: ANSI sequences written into the same
// stream as the text, so every sequence takes effect exactly where it stands.

#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>

#include "console/console.hpp"
#include "console/text_encoding.hpp"

namespace match3 {
namespace {

constexpr std::string_view kShowCursor = "\x1b[?25h";
constexpr std::string_view kHideCursor = "\x1b[?25l";
constexpr std::string_view kEraseDisplay = "\x1b[2J";
constexpr std::string_view kHome = "\x1b[H";
constexpr std::string_view kResizeWindow = "\x1b[8;50;50t";
constexpr std::string_view kResetColours = "\x1b[0m";
constexpr std::string_view kRestoreWithColours = "\x1b[0m\x1b[?25h";

static_assert(kConsoleRows == 50 && kConsoleColumns == 50,
              "the resize sequence spells out 50 x 50");

void writeControl(std::string_view sequence) {
  std::cout.write(sequence.data(), static_cast<std::streamsize>(sequence.size()));
}

// What a signal handler writes before the game dies; fixed when the
// terminal is opened, so the handler only calls write().
std::string_view restoreOnSignal;

extern "C" void restoreAndDie(int signalNumber) {
  const std::string_view bytes = restoreOnSignal;
  if (!bytes.empty()) {
    [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
  }
  // Nothing is left to do if these fail: the default action ends the game.
  static_cast<void>(std::signal(signalNumber, SIG_DFL));
  static_cast<void>(std::raise(signalNumber));
}

constexpr std::array kRestoredSignals{SIGINT, SIGTERM, SIGHUP};

void installSignalRestore() {
  for (const int signalNumber : kRestoredSignals) {
    struct sigaction action {};
    action.sa_handler = restoreAndDie;
    sigemptyset(&action.sa_mask);
    sigaction(signalNumber, &action, nullptr);
  }
}

[[nodiscard]] std::string localeCodeset() {
  // Asked of the user's locale before the game selects its own.
  // Without the user's locale the codeset reads as ASCII, which is no UTF-8.
  static_cast<void>(std::setlocale(LC_CTYPE, ""));
  std::string codeset = nl_langinfo(CODESET);
  static_cast<void>(std::setlocale(LC_CTYPE, "C"));
  return codeset;
}

[[nodiscard]] std::string_view environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string_view{} : std::string_view{value};
}

std::streambuf* terminalBuffer = nullptr;

Utf8OutputBuffer& utf8Buffer() {
  static Utf8OutputBuffer buffer{terminalBuffer};
  return buffer;
}

}  // namespace

void setTextColor(int foreground, int background) {
  if (consoleMode().colours) {
    writeControl(colourSequence(foreground, background).view());
  }
}

bool setCursorVisible(bool visible) {
  if (!consoleMode().controls) {
    return false;
  }
  writeControl(visible ? kShowCursor : kHideCursor);
  return true;
}

void setCursorPosition(int column, int row) {
  if (!consoleMode().controls) {
    return;
  }
  const std::string sequence =
      "\x1b[" + std::to_string(row + 1) + ";" + std::to_string(column + 1) + "H";
  writeControl(sequence);
}

void setupConsole() {
  if (!consoleMode().controls) {
    return;
  }
  writeControl(kResizeWindow);
  // A terminal is shared with the shell: the first board must not stand
  // among its old text.
  writeControl(kEraseDisplay);
  setCursorVisible(false);
}

void clearScreen() {
  if (consoleMode().controls) {
    writeControl(kEraseDisplay);
    writeControl(kHome);
  }
}

void openTerminal() {
  std::ios::sync_with_stdio(false);
  const ConsoleMode mode = chooseConsoleMode(isatty(STDOUT_FILENO) == 1, environment("TERM"),
                                             environment("NO_COLOR"), localeCodeset());
  useConsoleMode(mode);
  if (mode.utf8) {
    terminalBuffer = std::cout.rdbuf();
    std::cout.rdbuf(&utf8Buffer());
  }
  if (mode.controls) {
    restoreOnSignal = mode.colours ? kRestoreWithColours : kShowCursor;
    installSignalRestore();
  }
}

void closeTerminal() {
  const ConsoleMode mode = consoleMode();
  if (mode.controls) {
    if (mode.colours) {
      writeControl(kResetColours);
    }
    writeControl(kShowCursor);
  }
  std::cout.flush();
  restoreOnSignal = {};
  if (terminalBuffer != nullptr) {
    std::cout.rdbuf(terminalBuffer);
    terminalBuffer = nullptr;
  }
}

}  // namespace match3
