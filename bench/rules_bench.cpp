#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "bench_support.hpp"
#include "game/matches.hpp"
#include "game/move_scan.hpp"

namespace match3::bench {
namespace {

void fill(benchmark::State& state) {
  std::srand(1);
  Board board{};
  for (auto _ : state) {
    fillBoard(board, kBoardSize);
    benchmark::DoNotOptimize(board);
  }
}
BENCHMARK(fill);

// Settles a batch of copies of one board; the copies are made outside the
// timed region.
void settleBatch(benchmark::State& state, const Board& start) {
  constexpr int kBatch = 1000;
  std::vector<Board> boards(kBatch);
  std::srand(1);
  for (auto _ : state) {
    state.PauseTiming();
    std::fill(boards.begin(), boards.end(), start);
    state.ResumeTiming();
    int score = 0;
    for (Board& board : boards) {
      settleBoard(board, kBoardSize, score);
    }
    benchmark::DoNotOptimize(score);
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
}

void settleWithoutRun(benchmark::State& state) { settleBatch(state, quietBoard()); }
BENCHMARK(settleWithoutRun);

// Four runs: a row of five, a column of three, a cross and a run on the top row.
void settleWithRuns(benchmark::State& state) {
  Board board = quietBoard();
  for (int column = 2; column < 7; ++column) {
    board.at(5).at(column) = 'A';
  }
  for (int row = 6; row < 9; ++row) {
    board.at(row).at(8) = 'A';
  }
  board.at(0).at(0) = board.at(0).at(1) = board.at(0).at(2) = 'A';
  board.at(2).at(1) = board.at(2).at(2) = board.at(2).at(3) = 'A';
  board.at(1).at(2) = board.at(3).at(2) = 'A';
  settleBatch(state, board);
}
BENCHMARK(settleWithRuns);

void scanFindsMoveAtFirstAnchor(benchmark::State& state) {
  Board board = quietBoard();
  board.at(0).at(0) = board.at(1).at(0) = board.at(3).at(0) = 'A';
  for (auto _ : state) {
    benchmark::DoNotOptimize(hasPossibleMove(board, kBoardSize));
  }
}
BENCHMARK(scanFindsMoveAtFirstAnchor);

void scanWholeBoardWithoutMove(benchmark::State& state) {
  const Board board = quietBoard();
  for (auto _ : state) {
    benchmark::DoNotOptimize(hasPossibleMove(board, kBoardSize));
  }
}
BENCHMARK(scanWholeBoardWithoutMove);

}  // namespace
}  // namespace match3::bench
