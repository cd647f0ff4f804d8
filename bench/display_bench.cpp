#include <benchmark/benchmark.h>

#include "bench_support.hpp"
#include "console/board_display.hpp"
#include "console/byte_streams.hpp"
#include "console/console_mode.hpp"

namespace match3::bench {
namespace {

void drawSelected(benchmark::State& state, ConsoleMode mode) {
  const Board board = quietBoard();
  wireStandardStreams(nullptr, discardBytes, false);
  const ConsoleMode savedMode = consoleMode();
  useConsoleMode(mode);
  for (auto _ : state) {
    drawBoardSelected(board, kBoardSize, 1230, 4, 5);
  }
  useConsoleMode(savedMode);
  wireStandardStreams(nullptr, nullptr, false);
}

void drawSelectedThroughAPipe(benchmark::State& state) { drawSelected(state, {}); }
BENCHMARK(drawSelectedThroughAPipe);

void drawSelectedOnATerminal(benchmark::State& state) {
  drawSelected(state, {.controls = true, .colors = true, .utf8 = false});
}
BENCHMARK(drawSelectedOnATerminal);

}  // namespace
}  // namespace match3::bench
