// What the page shares with the game, each beside the C++ source it mirrors.
// tests/web/constants_test.mjs reads those sources and fails when a value
// here no longer agrees with them.

export const kBoardSide = 10; // kBoardSize, src/game/board.hpp
export const kTileColumns = 2; // kCellWidth, src/console/board_display.cpp: a tile and the space after it
export const kConsoleColumns = 50; // kConsoleColumns, src/console/console.hpp: the window the game asks for
export const kConsoleRows = 50; // kConsoleRows, src/console/console.hpp
// enum class Question, src/console/console.hpp: the game tells the page by number
export const kQuestions = ["start", "play", "row", "column", "direction"];
// The signals the page's Ctrl-C and Ctrl-\ send; the game then ends with
// 128 + the signal's number (readInput, src/console/console_web.cpp).
export const kSignals = { SIGINT: 2, SIGQUIT: 3 };
export const kExitStatus = { SIGINT: 128 + kSignals.SIGINT, SIGQUIT: 128 + kSignals.SIGQUIT };

// The page's own bounds, those of a terminal: the longest line its line
// discipline holds (Linux's N_TTY), and what may be typed ahead of the game.
export const kLongestLine = 4095;
export const kMostTypedAhead = 64 * 1024;
// The rows the game's screen takes down to the answer of a turn's last
// question: the board, the score, the questions.
export const kRowsOfATurn = 27;
