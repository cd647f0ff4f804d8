#pragma once

#include <cstdlib>
#include <streambuf>

#include "game/board.hpp"

namespace match3::bench {

// Takes whatever is written and keeps none of it.
class DiscardBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type byte) override { return traits_type::not_eof(byte); }
  std::streamsize xsputn(const char_type* /*bytes*/, std::streamsize count) override {
    return count;
  }
};

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
