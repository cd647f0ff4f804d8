#pragma once

namespace match3 {

// The whole game: locale, a random generator seeded from the clock, and play.
void runGame();

// One game with the random generator as it stands: the console, the first
// board, the start question and, on yes, the turns.
void playGame();

}  // namespace match3
