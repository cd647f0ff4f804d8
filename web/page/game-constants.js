// What the page knows of the game before the game says anything: what it
// needs to lay out the board and the terminal at once. tests/web/
// constants_test.mjs plays the built game and fails when one of these no
// longer agrees with it.

export const kBoardSide = 10; // the board's rows and columns
export const kConsoleColumns = 50; // the window the game asks for
export const kConsoleRows = 50;
// The rows the game's screen takes down to the answer of a turn's last
// question: the board, the score, the questions.
export const kRowsOfATurn = 27;
// The colours (of the terminal's sixteen) the game draws its tiles in, and
// the highlighted tile.
export const kTileColour = 2;
export const kHighlightColour = 15;
// The signals the page's Ctrl-C and Ctrl-\ send, by the numbers the game
// takes them by: POSIX's.
export const kSignals = { SIGINT: 2, SIGQUIT: 3 };

// The page's own bounds, those of a terminal: the longest line its line
// discipline holds (Linux's N_TTY), and what may be typed ahead of the game.
export const kLongestLine = 4095;
export const kMostTypedAhead = 64 * 1024;
