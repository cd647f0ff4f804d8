#include "support/test_support.hpp"

#include <cstdlib>
#include <iostream>

namespace match3::testing {

CapturedConsole::CapturedConsole(std::string input, ConsoleMode mode)
    : input_(std::move(input)),
      savedInput_(std::cin.rdbuf(input_.rdbuf())),
      savedOutput_(std::cout.rdbuf(output_.rdbuf())),
      savedMode_(consoleMode()) {
  std::cin.clear();
  std::cout.clear();
  useConsoleMode(mode);
}

CapturedConsole::~CapturedConsole() {
  std::cin.rdbuf(savedInput_);
  std::cout.rdbuf(savedOutput_);
  std::cin.clear();
  std::cout.clear();
  useConsoleMode(savedMode_);
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
