#include <cstring>
#include <exception>
#include <string>
#include <string_view>

#include "console/console.hpp"
#include "flow/game.hpp"

namespace {

// One line on standard error for each stream that failed; false when none
// did. Written after the terminal is restored, so the shell shows it plainly.
bool reportStreamErrors(match3::StreamErrors errors) {
  const auto report = [](std::string_view what, int error) {
    if (error != 0) {
      match3::writeError("match3: cannot " + std::string(what) + ": " + std::strerror(error) +
                         "\n");
    }
  };
  report("read standard input", errors.input);
  report("write standard output", errors.output);
  return errors.input != 0 || errors.output != 0;
}

}  // namespace

int main() {
  try {
    {
      const match3::TerminalSession terminal;
      match3::runGame();
    }
    return reportStreamErrors(match3::streamErrors()) ? 1 : 0;
  } catch (const std::exception& error) {
    match3::writeError("match3: " + std::string(error.what()) + "\n");
  } catch (...) {
    match3::writeError("match3: an unexpected error\n");
  }
  return 1;
}
