// The console in a web page: the game's bytes go to the page's terminal and
// its answers come from it, through the page's pseudo-terminal, whose line
// discipline does the echo and the line editing. The game's side of this
// bridge knows bytes in and bytes out, nothing of the page. The console
// operations are the ANSI ones: the page's terminal is an xterm.

#include <emscripten.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "console/ansi.hpp"
#include "console/byte_streams.hpp"
#include "console/console.hpp"
#include "console/console_mode.hpp"
#include "console/output.hpp"

namespace {

// The page's side: Module.match3Write(bytes) takes the bytes the game
// writes; Module.match3Read(size) waits for the next bytes typed, and gives
// them, an empty array at the end of the input (Ctrl-D), or a signal's number
// for Ctrl-C and Ctrl-\. The game waits without holding up the page.
// NOLINTBEGIN: the bridge's JavaScript, as Emscripten declares it
// clang-format off
EM_JS(int, writeToPage, (const char* bytes, int size), {
  Module.match3Write(HEAPU8.slice(bytes, bytes + size));
  return size;
});

EM_ASYNC_JS(int, readFromPage, (char* bytes, int size), {
  const typed = await Module.match3Read(size);
  if (typeof typed === "number") {
    return -typed;
  }
  HEAPU8.set(typed, bytes);
  return typed.length;
});

// Module.match3Question(question) is told which question the game reads the
// answer to next (the order of Question), so that the page's touch controls
// answer that question alone.
EM_JS(void, tellPageTheQuestion, (int question), {
  Module.match3Question(question);
});
// clang-format on
// NOLINTEND

}  // namespace

namespace match3 {
namespace {

long writeOutput(const char* bytes, std::size_t size) {
  return writeToPage(bytes, static_cast<int>(size));
}

// A signal ends the game at once, as on a terminal: the restore, and
// nothing after it.
long readInput(char* bytes, std::size_t size) {
  const int count = readFromPage(bytes, static_cast<int>(size));
  if (count < 0) {
    const std::string_view restore = restoreBytes(consoleMode());
    writeToPage(restore.data(), static_cast<int>(restore.size()));
    std::_Exit(128 - count);
  }
  return count;
}

}  // namespace

void openTerminal() {
  const char* noColor = std::getenv("NO_COLOR");
  useConsoleMode(
      chooseConsoleMode(true, "xterm-256color", noColor == nullptr ? "" : noColor, "UTF-8"));
  wireStandardStreams(readInput, writeOutput, consoleMode().utf8);
}

void closeTerminal() {
  writeText(restoreBytes(consoleMode()));
  flushOutput();
}

void expectAnswer(Question question) { tellPageTheQuestion(static_cast<int>(question)); }

StreamErrors streamErrors() { return standardStreamErrors(); }

// The browser's console shows it.
void writeError(std::string_view text) {
  static_cast<void>(::write(STDERR_FILENO, text.data(), text.size()));
}

}  // namespace match3
