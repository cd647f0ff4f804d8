// The console on a POSIX terminal: the descriptors under the game's streams,
// the locale's codeset, and the restore of the terminal at the game's end
// (at an end by a signal, terminal_signals.cpp restores it). The console
// operations are the ANSI ones.

#include <fcntl.h>
#include <langinfo.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <string>

#include "console/ansi.hpp"
#include "console/byte_streams.hpp"
#include "console/colors.hpp"
#include "console/console.hpp"
#include "console/console_mode.hpp"
#include "console/output.hpp"
#include "console/terminal_signals.hpp"

namespace match3 {
namespace {

[[nodiscard]] std::string_view environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string_view{} : std::string_view{value};
}

[[nodiscard]] std::string localeCodeset() {
  // Asked of the user's locale before the game selects its own.
  // Without the user's locale the codeset reads as ASCII, which is no UTF-8.
  if (std::setlocale(LC_CTYPE, "") == nullptr) {
    return std::string(
        codesetNamedBy(environment("LC_ALL"), environment("LC_CTYPE"), environment("LANG")));
  }
  std::string codeset = nl_langinfo(CODESET);
  static_cast<void>(std::setlocale(LC_CTYPE, "C"));
  return codeset;
}

// A read or a write of a descriptor, made again when a signal interrupts
// it: the count, or the negative errno.
template <typename Transfer>
long uninterrupted(Transfer transfer) {
  for (;;) {
    const ssize_t count = transfer();
    if (count >= 0 || errno != EINTR) {
      return count >= 0 ? count : -errno;
    }
  }
}

// The descriptors under the game's streams.
long writeOutput(const char* bytes, std::size_t size) {
  return uninterrupted([&] { return ::write(STDOUT_FILENO, bytes, size); });
}

long readInput(char* bytes, std::size_t size) {
  return uninterrupted([&] { return ::read(STDIN_FILENO, bytes, size); });
}

// Whether the game was started with `descriptor` closed. If so, /dev/null
// takes its place, so that no file opened later (a locale's, say) can stand
// in for the player's answers or the screen.
[[nodiscard]] bool startedClosed(int descriptor, int flags) {
  if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) {
    return false;
  }
  const int standIn = open("/dev/null", flags);
  if (standIn >= 0 && standIn != descriptor) {
    dup2(standIn, descriptor);
    close(standIn);
  }
  return true;
}

}  // namespace

void openTerminal() {
  const bool inputClosed = startedClosed(STDIN_FILENO, O_RDONLY);
  const bool outputClosed = startedClosed(STDOUT_FILENO, O_WRONLY);
  const ConsoleMode mode = chooseConsoleMode(isatty(STDOUT_FILENO) == 1, environment("TERM"),
                                             environment("NO_COLOR"), localeCodeset());
  useConsoleMode(mode);
  wireStandardStreams(readInput, writeOutput, mode.utf8);
  if (inputClosed) {
    keepError(standardInput().error, EBADF);
  }
  if (outputClosed) {
    keepError(standardOutput().error, EBADF);
  }
  if (mode.controls) {
    // Carrying on after a stop: the cursor hidden again and the color of
    // the text between drawings, which is what is in force while the game
    // waits for an answer.
    std::string resume(kHideCursor);
    if (mode.colors) {
      resume += colorSequence(kColorText, kColorBackground).view();
    }
    takeTerminalSignals(restoreBytes(mode), resume);
  }
}

void closeTerminal() {
  releaseTerminalSignals();
  writeText(restoreBytes(consoleMode()));
  flushOutput();
}

// A terminal's player answers by typing alone.
void expectAnswer(Question /*question*/) {}

// A terminal's player reads the board and the end on the screen.
void boardDrawn(const Board& /*board*/, int /*sideLength*/, int /*score*/, int /*selectedRow*/,
                int /*selectedColumn*/) {}
void gameEnded(Ending /*ending*/, std::string_view /*word*/, Question /*question*/) {}

StreamErrors streamErrors() { return standardStreamErrors(); }

void writeError(std::string_view text) {
  static_cast<void>(
      uninterrupted([&] { return ::write(STDERR_FILENO, text.data(), text.size()); }));
}

}  // namespace match3
