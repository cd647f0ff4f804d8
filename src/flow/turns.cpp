#include "flow/turns.hpp"

#include <algorithm>
#include <array>
#include <limits>

#include "console/board_display.hpp"
#include "console/console.hpp"
#include "console/output.hpp"
#include "flow/answers.hpp"
#include "flow/texts.hpp"
#include "game/matches.hpp"
#include "game/move_scan.hpp"

namespace match3 {
namespace {

struct Direction {
  std::string_view word;
  int rows;
  int columns;
};

// Compared in this order; at most one matches.
constexpr std::array<Direction, 4> kDirections{{
    {"r", 0, 1},
    {"d", 1, 0},
    {"l", 0, -1},
    {"u", -1, 0},
}};
static_assert(std::all_of(kDirections.begin(), kDirections.end(),
                          [](const Direction& step) { return step.word.size() <= kLongestAnswer; }),
              "a word read is compared whole only up to kLongestAnswer bytes");

}  // namespace

int zeroBased(int typed) { return typed == std::numeric_limits<int>::min() ? typed : typed - 1; }

void applyMove(Board& board, int sideLength, Selection& selection, std::string_view direction) {
  if (!isOnBoard(selection.row, selection.column, sideLength)) {
    return;
  }
  for (const Direction& step : kDirections) {
    if (direction != step.word) {
      continue;
    }
    const int row = selection.row + step.rows;
    const int column = selection.column + step.columns;
    if (isOnBoard(row, column, sideLength)) {
      std::swap(board[selection.row][selection.column], board[row][column]);
      selection = {row, column};
    }
    return;
  }
}

void endGame(const Word& answer, Question question) {
  if (isNo(answer.view())) {
    writeText(kFarewell.view());
    gameEnded(Ending::farewell, {}, question);
    return;
  }
  switch (readFailure()) {
    case ReadFailure::endOfInput:
      gameEnded(Ending::endOfInput, {}, question);
      return;
    case ReadFailure::numberNotRead:
      gameEnded(Ending::numberNotRead, unreadNumber().view(), question);
      return;
    case ReadFailure::none:
      gameEnded(Ending::wordNotTaken, answer.view(), question);
      return;
  }
}

bool promptMove(Board& board, int sideLength, int selectedRow, int selectedColumn, int& score) {
  writeText(kDirectionQuestion.view());
  expectAnswer(Question::direction);
  const Word direction = readWord();
  Selection selection{selectedRow, selectedColumn};
  applyMove(board, sideLength, selection, direction.view());
  drawBoardSelected(board, sideLength, score, selection.row, selection.column);
  resolveMatches(board, sideLength, score, selection.row, selection.column);
  const bool goesOn =
      checkMovesOrShuffle(board, sideLength, score, true, selection.row, selection.column);
  if (!goesOn) {
    gameEnded(Ending::reversing, {}, Question::direction);
  }
  return goesOn;
}

bool promptPlay(Board& board, int sideLength, int& score) {
  writeText(kPlayQuestion.view());
  expectAnswer(Question::play);
  const Word answer = readWord();
  if (isYes(answer.view())) {
    writeText(kCoordinateQuestion.view());
    expectAnswer(Question::row);
    const int typedRow = readNumber();
    expectAnswer(Question::column);
    const int typedColumn = readNumber();
    return promptMove(board, sideLength, zeroBased(typedRow), zeroBased(typedColumn), score);
  }
  endGame(answer, Question::play);
  return false;
}

void runTurns(Board& board, int sideLength, int& score) {
  while (promptPlay(board, sideLength, score)) {
  }
}

}  // namespace match3
