#include "flow/game.hpp"

#include <clocale>
#include <cstdlib>
#include <ctime>

#include "console/board_display.hpp"
#include "console/console.hpp"
#include "console/output.hpp"
#include "flow/answers.hpp"
#include "flow/texts.hpp"
#include "flow/turns.hpp"
#include "game/board.hpp"

namespace match3 {

void runGame() {
  // Hosts without a locale of that name keep their own; nothing depends on it.
  static_cast<void>(std::setlocale(LC_ALL, "Russian"));
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  playGame();
}

void playGame() {
  setupConsole();
  setCursorPosition(0, 0);
  int score = 0;
  Board board{};
  fillBoard(board, kBoardSize);
  drawBoard(board, kBoardSize, score);
  writeText(kStartQuestion.view());
  expectAnswer(Question::start);
  const Word answer = readWord();
  if (isYes(answer.view())) {
    runTurns(board, kBoardSize, score);
  } else {
    endGame(answer, Question::start);
  }
}

}  // namespace match3
