#pragma once

#include <cstddef>
#include <cstdlib>

#include "game/board.hpp"

namespace match3::bench {

// Takes whatever is written and keeps none of it: a host's write function.
inline long discardBytes(const char* /*bytes*/, std::size_t size) {
  return static_cast<long>(size);
}

// A board of 'B' to 'I' with no run and no possible move.
inline Board quietBoard() {
  Board board{};
  for (int row = 0; row < kBoardSize; ++row) {
    for (int column = 0; column < kBoardSize; ++column) {
      board.at(row).at(column) = static_cast<char>('B' + (3 * row + column) % 8);
    }
  }
  return board;
}

}  // namespace match3::bench
