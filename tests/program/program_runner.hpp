#pragma once

#include <csignal>
#include <string>
#include <vector>

namespace match3::testing {

struct Finished {
  std::string output;
  int exitStatus = -1;  // when it exited
  int signal = 0;       // when a signal ended it
};

// Runs the built game with `input` on a pipe as standard input and its
// standard output on another pipe.
[[nodiscard]] Finished runThroughPipe(const std::string& input);

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

}  // namespace match3::testing
