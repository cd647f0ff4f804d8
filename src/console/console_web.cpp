// The console in a web page: the game's bytes go to the page's terminal and
// its answers come from it, through the page's pseudo-terminal, whose line
// discipline does the echo and the line editing. The game's side of this
// bridge knows bytes in and bytes out, and tells the page what it drew and
// how it ended, for the page's own view of the board. The console
// operations are the ANSI ones: the page's terminal is an xterm.

#include <emscripten.h>
#include <unistd.h>

#include <array>
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

// Module.match3Told(news) is told what the game did, as an object: the
// question it reads the answer to next ({ question }), each board it draws
// ({ board, score, selected, highlighted }: the letters row by row, and the
// selected cell as [row, column] or null), and how it ended ({ ended, word,
// question, signal }: word as the bytes the game kept).
EM_JS(void, tellPageTheQuestion, (const char* question, int size), {
  Module.match3Told({ question: String.fromCharCode(...HEAPU8.subarray(question, question + size)) });
});

EM_JS(void, tellPageTheBoard, (const char* letters, int size, int score, int row, int column, int highlighted), {
  Module.match3Told({
    board: String.fromCharCode(...HEAPU8.subarray(letters, letters + size)),
    score, selected: row < 0 ? null : [row, column], highlighted: highlighted !== 0,
  });
});

EM_JS(void, tellPageTheEnd, (const char* ending, int endingSize, const char* question, int questionSize,
                             const char* word, int wordSize, int signal), {
  Module.match3Told({
    ended: String.fromCharCode(...HEAPU8.subarray(ending, ending + endingSize)),
    question: String.fromCharCode(...HEAPU8.subarray(question, question + questionSize)),
    word: HEAPU8.slice(word, word + wordSize), signal,
  });
});
// clang-format on
// NOLINTEND

}  // namespace

namespace match3 {
namespace {

// The names the page knows the questions and the endings by, in the order
// of their enums.
constexpr std::array<std::string_view, 5> kQuestionNames{"start", "play", "row", "column",
                                                         "direction"};
constexpr std::array<std::string_view, 6> kEndingNames{"farewell", "word",      "number",
                                                       "input",    "reversing", "signal"};

std::string_view nameOf(Question question) {
  return kQuestionNames.at(static_cast<std::size_t>(question));
}

std::string_view nameOf(Ending ending) { return kEndingNames.at(static_cast<std::size_t>(ending)); }

void tellTheEnd(Ending ending, std::string_view word, Question question, int signal) {
  const std::string_view name = nameOf(ending);
  const std::string_view asked = nameOf(question);
  tellPageTheEnd(name.data(), static_cast<int>(name.size()), asked.data(),
                 static_cast<int>(asked.size()), word.data(), static_cast<int>(word.size()),
                 signal);
}

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
    tellTheEnd(Ending::signal, {}, Question::start, -count);  // after a read: nothing is buffered
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

// Each flushes first: the page applies what it is told once the terminal
// has drawn the bytes written before it.
void expectAnswer(Question question) {
  flushOutput();
  const std::string_view name = nameOf(question);
  tellPageTheQuestion(name.data(), static_cast<int>(name.size()));
}

void boardDrawn(const Board& board, int sideLength, int score, int selectedRow,
                int selectedColumn) {
  const int span = boardSpan(sideLength);
  std::array<char, static_cast<std::size_t>(kBoardSize) * kBoardSize> letters{};
  std::size_t size = 0;
  for (int row = 0; row < span; ++row) {
    for (int column = 0; column < span; ++column) {
      letters.at(size++) =
          board.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
    }
  }
  const bool selected = isOnBoard(selectedRow, selectedColumn, sideLength);
  const ConsoleMode mode = consoleMode();
  flushOutput();
  tellPageTheBoard(letters.data(), static_cast<int>(size), score, selected ? selectedRow : -1,
                   selected ? selectedColumn : -1,
                   selected && (mode.colors || mode.controls) ? 1 : 0);
}

void gameEnded(Ending ending, std::string_view word, Question question) {
  flushOutput();
  tellTheEnd(ending, word, question, 0);
}

StreamErrors streamErrors() { return standardStreamErrors(); }

// The browser's console shows it.
void writeError(std::string_view text) {
  static_cast<void>(::write(STDERR_FILENO, text.data(), text.size()));
}

}  // namespace match3
