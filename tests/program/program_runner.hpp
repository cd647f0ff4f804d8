#pragma once

#include <csignal>
#include <cstddef>
#include <string>
#include <vector>

namespace match3::testing {

struct Finished {
  std::string output;
  std::string errors;   // standard error, through a pipe
  int exitStatus = -1;  // when it exited
  int signal = 0;       // when a signal ended it
  long peakMemoryKiB = 0;
};

// Pipes in and out of the game, or a road on which one of its streams
// fails: output that cannot be written (a full device, a closed descriptor,
// a pipe whose reader has gone, with SIGPIPE ignored or not), input that
// cannot be read (a directory, a closed descriptor).
enum class Road {
  kPipe,
  kFullDevice,
  kClosed,
  kPipeWithoutReader,
  kPipeWithoutReaderSigpipeIgnored,
  kInputDirectory,
  kInputClosed,
};

// Runs the built game with `input` on a pipe as standard input and its
// standard output on a pipe, or as `road` says. On the plain pipe the clock
// is fixed (tools/at-fixed-clock), so that every run draws the same boards.
// A game that has not ended within the time limit is killed.
[[nodiscard]] Finished runThroughPipe(const std::string& input, Road road = Road::kPipe);

// An input too long to hold: `before`, then `count` times `filler`, then
// `after`, written as the game reads it. (The test holds it in no string,
// so that the game's peak memory, which counts the test's at the fork, is
// the game's own.)
struct LongInput {
  std::string before;
  char filler = 'x';
  std::size_t count = 0;
  std::string after;
};
[[nodiscard]] Finished runThroughPipe(const LongInput& input);

// Runs the built game on a fresh pseudo-terminal with the given environment
// (NAME=value). Once `waitFor` has appeared in the output (at once when it
// is empty) sends `signal`, if it is not 0, then types `input`.
struct TerminalRun {
  std::vector<std::string> environment;
  std::string waitFor;
  std::string input;
  int signal = 0;
};
[[nodiscard]] Finished runOnTerminal(const TerminalRun& run);

// An interactive bash with job control on a fresh pseudo-terminal, typed
// at step by step: each step waits until `waitFor` has appeared after the
// previous step's typing, then types `input` ("$GAME" stands for the built
// game). `typedAt` tells where in the output each step began to type.
struct ShellStep {
  std::string waitFor;
  std::string input;
};
struct ShellRun {
  Finished finished;
  std::vector<std::size_t> typedAt;
};
[[nodiscard]] ShellRun runInShell(const std::vector<ShellStep>& steps);

}  // namespace match3::testing
