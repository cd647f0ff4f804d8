#pragma once

#include <string_view>

#include "console/console.hpp"
#include "flow/answers.hpp"
#include "game/board.hpp"

namespace match3 {

// The selected cell, zero-based; the player types it one-based.
struct Selection {
  int row;
  int column;
};

// Turns a typed coordinate (one-based) into a zero-based one. The smallest
// int stays where it is rather than overflow; it is off the board either way.
[[nodiscard]] int zeroBased(int typed);

// Swaps the selected tile with its neighbour in the direction "r", "d", "l"
// or "u", and moves the selection with it. Any other word, a selection off
// the board or a neighbour off the board changes nothing.
void applyMove(Board& board, int sideLength, Selection& selection, std::string_view direction);

// The end of a game at `question`, whose answer was not yes: the farewell
// after a no; and the host is told how the game ended.
void endGame(const Word& answer, Question question);

// The rest of a turn once the cell is known: the direction question, the
// move, the drawing, the clearing and the scan. Returns whether the game
// goes on.
[[nodiscard]] bool promptMove(Board& board, int sideLength, int selectedRow, int selectedColumn,
                              int& score);

// One turn from the play question on. Returns whether the game goes on.
[[nodiscard]] bool promptPlay(Board& board, int sideLength, int& score);

// Plays turn after turn until the player stops or the board runs out of moves.
void runTurns(Board& board, int sideLength, int& score);

}  // namespace match3
