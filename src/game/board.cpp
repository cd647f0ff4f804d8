#include "game/board.hpp"

#include <cstdlib>
#include <limits>

namespace match3 {

char randomTile() { return static_cast<char>(kFirstTile + std::rand() % kTileKinds); }

void fillBoard(Board& board, int sideLength) {
  const int span = boardSpan(sideLength);
  for (int row = 0; row < span; ++row) {
    for (int column = 0; column < span; ++column) {
      board[row][column] = randomTile();
    }
  }
}

void addMatchPoints(int& score) {
  constexpr int kHighest = std::numeric_limits<int>::max();
  score = score > kHighest - kPointsPerMatch ? kHighest : score + kPointsPerMatch;
}

}  // namespace match3
