#include "support/test_support.hpp"

#include <algorithm>
#include <cstdlib>

#include "console/byte_streams.hpp"
#include "console/output.hpp"

namespace match3::testing {
namespace {

// The captured console's two ends: what is left to read, what was written.
std::string pendingInput;
std::string capturedOutput;

long readPending(char* bytes, std::size_t size) {
  const std::size_t count = std::min(size, pendingInput.size());
  std::copy_n(pendingInput.data(), count, bytes);
  pendingInput.erase(0, count);
  return static_cast<long>(count);
}

long capture(const char* bytes, std::size_t size) {
  capturedOutput.append(bytes, size);
  return static_cast<long>(size);
}

}  // namespace

CapturedConsole::CapturedConsole(std::string input, ConsoleMode mode) : savedMode_(consoleMode()) {
  pendingInput = std::move(input);
  capturedOutput.clear();
  wireStandardStreams(readPending, capture, mode.utf8);
  useConsoleMode(mode);
}

CapturedConsole::~CapturedConsole() {
  wireStandardStreams(nullptr, nullptr, false);
  useConsoleMode(savedMode_);
}

// A member, though it reads the one capture there is: it is asked of the
// capture that is alive.
// NOLINTNEXTLINE(readability-convert-member-functions-to-static)
std::string CapturedConsole::output() const {
  flushOutput();
  return capturedOutput;
}

namespace {

int attributeFromAnsi(int code) {
  const bool bright = code >= 90;
  const int ansi = (bright ? code - 90 : code - 30);
  const int attribute = ((ansi & 1) << 2) | (ansi & 2) | ((ansi & 4) >> 2);
  return attribute | (bright ? 8 : 0);
}

}  // namespace

std::vector<ColoredChar> screenCharacters(std::string_view output) {
  std::vector<ColoredChar> screen;
  int foreground = -1;
  std::size_t index = 0;
  while (index < output.size()) {
    if (output[index] != '\x1b') {
      screen.push_back({output[index], foreground});
      ++index;
      continue;
    }
    // CSI parameters, then one final byte.
    std::size_t end = index + 2;
    while (end < output.size() && (output[end] < '@' || output[end] > '~')) {
      ++end;
    }
    const std::string_view parameters = output.substr(index + 2, end - index - 2);
    if (end < output.size() && output[end] == 'm') {
      const int first = static_cast<int>(std::strtol(std::string(parameters).c_str(), nullptr, 10));
      if ((first >= 30 && first <= 37) || (first >= 90 && first <= 97)) {
        foreground = attributeFromAnsi(first);
      } else if (first == 0) {
        foreground = -1;
      }
    }
    index = end + 1;
  }
  return screen;
}

Board boardOf(std::initializer_list<std::string_view> rows) {
  Board board{};
  for (auto& row : board) {
    row.fill('.');
  }
  int rowIndex = 0;
  for (const std::string_view row : rows) {
    for (std::size_t column = 0; column < row.size() && column < board[0].size(); ++column) {
      board.at(rowIndex).at(column) = row[column];
    }
    ++rowIndex;
  }
  return board;
}

Board quietBoard() {
  Board board{};
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      board.at(row).at(column) = static_cast<char>('B' + (3 * row + column) % 8);
    }
  }
  return board;
}

std::string rowsOf(const Board& board, int sideLength) {
  std::string text;
  for (int row = 0; row < sideLength; ++row) {
    text.append(board.at(row).data(), sideLength);
    text += '\n';
  }
  return text;
}

std::vector<char> tilesAfterSeed(unsigned seed, int count) {
  std::srand(seed);
  std::vector<char> tiles;
  tiles.reserve(static_cast<std::size_t>(count));
  for (int index = 0; index < count; ++index) {
    tiles.push_back(static_cast<char>('A' + std::rand() % 9));
  }
  return tiles;
}

int randCallsSince(unsigned seed, int limit) {
  const int next = std::rand();
  std::srand(seed);
  for (int calls = 0; calls <= limit; ++calls) {
    if (std::rand() == next) {
      return calls;
    }
  }
  return -1;
}

}  // namespace match3::testing
