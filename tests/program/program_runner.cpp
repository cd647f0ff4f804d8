#include "program/program_runner.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <thread>

namespace match3::testing {
namespace {

constexpr auto kTimeLimit = std::chrono::seconds(20);

// Waits for the child, at most until the time limit, then kills it.
void recordStatus(pid_t child, Finished& finished, std::chrono::steady_clock::time_point deadline) {
  int status = 0;
  rusage usage{};
  while (wait4(child, &status, WNOHANG, &usage) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      kill(child, SIGKILL);
      wait4(child, &status, 0, &usage);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  finished.peakMemoryKiB = usage.ru_maxrss;  // NOLINT(cppcoreguidelines-pro-type-union-access)
  if (WIFEXITED(status)) {
    finished.exitStatus = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    finished.signal = WTERMSIG(status);
  }
}

// Appends what the program writes next. False once it is gone (a
// pseudo-terminal then reports an error) or the time is up.
bool readMore(int descriptor, std::string& output, std::chrono::steady_clock::time_point deadline) {
  std::array<char, 4096> buffer{};
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd ready{descriptor, POLLIN, 0};
    if (poll(&ready, 1, 100) <= 0) {
      continue;
    }
    const ssize_t count = read(descriptor, buffer.data(), buffer.size());
    if (count <= 0) {
      return false;
    }
    output.append(buffer.data(), static_cast<std::size_t>(count));
    return true;
  }
  return false;
}

// Writes all of `bytes`; false once the game has stopped reading.
bool writeAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = write(descriptor, bytes.data(), bytes.size());
    if (count <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

// Puts the file at `path` on `descriptor`, or closes it for an empty path.
void replaceDescriptor(int descriptor, const char* path, int flags) {
  if (*path == '\0') {
    close(descriptor);
    return;
  }
  const int opened = open(path, flags);
  dup2(opened, descriptor);
  close(opened);
}

// In the child: its streams as `road` says.
void takeRoad(Road road) {
  static_cast<void>(
      std::signal(SIGPIPE, road == Road::kPipeWithoutReaderSigpipeIgnored ? SIG_IGN : SIG_DFL));
  switch (road) {
    case Road::kFullDevice:
      replaceDescriptor(STDOUT_FILENO, "/dev/full", O_WRONLY);
      break;
    case Road::kClosed:
      replaceDescriptor(STDOUT_FILENO, "", 0);
      break;
    case Road::kInputDirectory:
      replaceDescriptor(STDIN_FILENO, "/", O_RDONLY | O_DIRECTORY);
      break;
    case Road::kInputClosed:
      replaceDescriptor(STDIN_FILENO, "", 0);
      break;
    default:
      break;
  }
}

[[nodiscard]] bool outputIsRead(Road road) {
  return road != Road::kFullDevice && road != Road::kClosed && road != Road::kPipeWithoutReader &&
         road != Road::kPipeWithoutReaderSigpipeIgnored;
}

// Everything until the end of the pipe.
[[nodiscard]] std::string readToEnd(int descriptor) {
  std::string text;
  std::array<char, 65536> buffer{};
  for (;;) {
    const ssize_t count = read(descriptor, buffer.data(), buffer.size());
    if (count <= 0) {
      return text;
    }
    text.append(buffer.data(), static_cast<std::size_t>(count));
  }
}

Finished runWithInput(const std::function<void(int)>& writeInput, Road road) {
  // A game that goes before it has read all its input must not end the test.
  static_cast<void>(std::signal(SIGPIPE, SIG_IGN));
  std::array<int, 2> toGame{};
  std::array<int, 2> fromGame{};
  std::array<int, 2> errorsFromGame{};
  if (pipe(toGame.data()) != 0 || pipe(fromGame.data()) != 0 || pipe(errorsFromGame.data()) != 0) {
    throw std::runtime_error("pipe failed");
  }
  if (!outputIsRead(road)) {
    close(fromGame[0]);
  }
  const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
  const pid_t child = fork();
  if (child == 0) {
    dup2(toGame[0], STDIN_FILENO);
    dup2(fromGame[1], STDOUT_FILENO);
    dup2(errorsFromGame[1], STDERR_FILENO);
    takeRoad(road);
    for (const int descriptor :
         {toGame[0], toGame[1], fromGame[0], fromGame[1], errorsFromGame[0], errorsFromGame[1]}) {
      close(descriptor);
    }
    // The plain pipe at the fixed clock; the other roads without the
    // clock's wrapper, which would stand between the game and a closed
    // descriptor or a reader gone.
    if (road == Road::kPipe) {
      execl(MATCH3_AT_FIXED_CLOCK, MATCH3_AT_FIXED_CLOCK, MATCH3_PROGRAM,
            static_cast<char*>(nullptr));
    }
    execl(MATCH3_PROGRAM, MATCH3_PROGRAM, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(toGame[0]);
  close(fromGame[1]);
  close(errorsFromGame[1]);
  if (!outputIsRead(road)) {
    fromGame[0] = open("/dev/null", O_RDONLY);  // nothing to read
  }
  // Write the input from a thread of its own so that a long script cannot
  // block against a full output pipe.
  std::thread writer([&] {
    writeInput(toGame[1]);
    close(toGame[1]);
  });
  Finished finished;
  finished.output = readToEnd(fromGame[0]);
  close(fromGame[0]);
  finished.errors = readToEnd(errorsFromGame[0]);
  close(errorsFromGame[0]);
  recordStatus(child, finished, deadline);
  writer.join();
  return finished;
}

}  // namespace

Finished runThroughPipe(const std::string& input, Road road) {
  return runWithInput([&](int descriptor) { writeAll(descriptor, input); }, road);
}

Finished runThroughPipe(const LongInput& input) {
  return runWithInput(
      [&](int descriptor) {
        const std::string chunk(65536, input.filler);
        bool reading = writeAll(descriptor, input.before);
        for (std::size_t left = input.count; reading && left > 0;) {
          const std::size_t size = std::min(left, chunk.size());
          reading = writeAll(descriptor, {chunk.data(), size});
          left -= size;
        }
        if (reading) {
          writeAll(descriptor, input.after);
        }
      },
      Road::kPipe);
}

namespace {

// Starts `path` with `arguments` on a fresh pseudo-terminal, in a clean
// environment of PATH and `environment` (NAME=value).
struct OnTerminal {
  pid_t child;
  int master;
};
OnTerminal startOnTerminal(const std::vector<std::string>& environment, const char* path,
                           std::vector<const char*> arguments) {
  int master = -1;
  const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
  if (child < 0) {
    throw std::runtime_error("forkpty failed");
  }
  if (child == 0) {
    clearenv();
    setenv("PATH", "/usr/bin:/bin", 1);
    for (const std::string& variable : environment) {
      putenv(const_cast<char*>(variable.c_str()));  // NOLINT: the child only reads it
    }
    arguments.push_back(nullptr);
    execv(path, const_cast<char* const*>(arguments.data()));  // NOLINT: execv does not write
    _exit(127);
  }
  return {child, master};
}

// Reads what is left until the program is gone or the time is up, then
// collects its status.
void finishOnTerminal(const OnTerminal& started, Finished& finished,
                      std::chrono::steady_clock::time_point deadline) {
  while (readMore(started.master, finished.output, deadline)) {
  }
  if (std::chrono::steady_clock::now() >= deadline) {
    kill(started.child, SIGKILL);
  }
  close(started.master);
  recordStatus(started.child, finished, deadline);
}

}  // namespace

Finished runOnTerminal(const TerminalRun& run) {
  const OnTerminal started = startOnTerminal(run.environment, MATCH3_PROGRAM, {MATCH3_PROGRAM});
  Finished finished;
  const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
  while (!run.waitFor.empty() && finished.output.find(run.waitFor) == std::string::npos) {
    if (!readMore(started.master, finished.output, deadline)) {
      break;
    }
  }
  if (run.signal != 0) {
    kill(started.child, run.signal);
  }
  if (!run.input.empty()) {
    [[maybe_unused]] const ssize_t written =
        write(started.master, run.input.data(), run.input.size());
  }
  finishOnTerminal(started, finished, deadline);
  return finished;
}

ShellRun runInShell(const std::vector<ShellStep>& steps) {
  const OnTerminal started = startOnTerminal(
      {"TERM=xterm", "LANG=C.UTF-8", "PS1=$ ", std::string("GAME=") + MATCH3_PROGRAM}, "/bin/bash",
      {"bash", "--norc", "--noprofile", "--noediting", "-i"});
  ShellRun run;
  std::string& output = run.finished.output;
  const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
  std::size_t from = 0;
  for (const ShellStep& step : steps) {
    while (output.find(step.waitFor, from) == std::string::npos &&
           readMore(started.master, output, deadline)) {
    }
    from = output.size();
    run.typedAt.push_back(from);
    [[maybe_unused]] const ssize_t written =
        write(started.master, step.input.data(), step.input.size());
  }
  finishOnTerminal(started, run.finished, deadline);
  return run;
}

}  // namespace match3::testing
