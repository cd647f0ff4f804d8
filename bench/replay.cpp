// The floor a game's output is compared with: replays recorded writes (a
// 4-byte length and the bytes, as bench/probe.cpp records them) to standard
// output, with the same sizes, and no game at all. Prints the seconds the
// writes took to standard error.
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argumentCount, char** arguments) {
  if (argumentCount != 2) {
    std::fputs("usage: match3_replay RECORD\n", stderr);
    return 2;
  }
  std::ifstream file(arguments[1], std::ios::binary);
  const std::string recorded{std::istreambuf_iterator<char>(file), {}};
  struct Piece {
    std::size_t offset;
    std::size_t size;
  };
  std::vector<Piece> pieces;
  for (std::size_t at = 0; at + 4 <= recorded.size();) {
    std::uint32_t length = 0;
    recorded.copy(reinterpret_cast<char*>(&length), 4, at);
    pieces.push_back({at + 4, length});
    at += 4 + length;
  }
  const auto start = std::chrono::steady_clock::now();
  for (const Piece& piece : pieces) {
    if (write(STDOUT_FILENO, recorded.data() + piece.offset, piece.size) < 0) {
      return 1;
    }
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::fprintf(stderr, "%.6f\n", took.count());
  return 0;
}
