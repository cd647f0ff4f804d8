#pragma once

#include <string_view>

#include "game/board.hpp"

namespace match3 {

// The size of the window the game asks for, in character cells (on Windows,
// of its screen buffer too).
inline constexpr int kConsoleColumns = 50;
inline constexpr int kConsoleRows = 50;

// Everything written after the call appears in these colors.
void setTextColor(int foreground, int background);
// Where the console shows no colors but takes controls (NO_COLOR): what is
// written between setHighlight(true) and setHighlight(false) stands out in
// reverse video. Elsewhere it does nothing.
void setHighlight(bool on);
// Returns whether the cursor was updated; false when output is no console.
bool setCursorVisible(bool visible);
void setCursorPosition(int column, int row);
// A 50 x 50 window (and, on Windows, screen buffer), a screen of the game's
// own on a terminal, a hidden cursor.
void setupConsole();
// Blanks the screen and puts the cursor top-left.
void clearScreen();

// The question whose answer the game reads next. Called before every read
// of an answer: a host where the player also answers by touch (the page)
// learns from it which answers make sense; elsewhere it does nothing, and
// no byte changes for it.
enum class Question { start, play, row, column, direction };
void expectAnswer(Question question);

// What the game has drawn and how it ended, for a host that shows them in
// its own way beside the game's text (the page): each is told once the
// bytes written before it are out. Elsewhere they do nothing, and no byte
// changes for them.
//
// A board was drawn, with its score, and the tile at the selected cell
// highlighted when the selection is on the board (drawBoard selects none:
// -1, -1).
void boardDrawn(const Board& board, int sideLength, int score, int selectedRow, int selectedColumn);
// The game is over: the farewell after a no; an answer it could not take,
// `word` (as far as the game kept it) at `question`; a number it could not
// read, `word` its token; the end of the input; a board without a move
// ("reversing"); a signal. `word` is empty, and `question` unused, where
// they say nothing.
enum class Ending { farewell, wordNotTaken, numberNotRead, endOfInput, reversing, signal };
void gameEnded(Ending ending, std::string_view word, Question question);

// Finds out what standard output is and prepares it; when the game ends, by
// any road or by a signal, the cursor is shown and the colors are reset.
void openTerminal();
void closeTerminal();

// The first error met reading standard input and writing standard output
// (errno values; 0 where there was none), the last bytes of closeTerminal
// included.
struct StreamErrors {
  int input = 0;
  int output = 0;
};
[[nodiscard]] StreamErrors streamErrors();

// Writes `text` on standard error as it stands: the game's few words on what
// went wrong, once the terminal is restored.
void writeError(std::string_view text);

struct TerminalSession {
  TerminalSession() { openTerminal(); }
  ~TerminalSession() { closeTerminal(); }
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;
  TerminalSession(TerminalSession&&) = delete;
  TerminalSession& operator=(TerminalSession&&) = delete;
};

}  // namespace match3
