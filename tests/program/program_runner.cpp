#include "program/program_runner.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace match3::testing {
namespace {

constexpr auto kTimeLimit = std::chrono::seconds(20);

void recordStatus(pid_t child, Finished& finished) {
  int status = 0;
  waitpid(child, &status, 0);
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

}  // namespace

Finished runThroughPipe(const std::string& input) {
  std::array<int, 2> toGame{};
  std::array<int, 2> fromGame{};
  if (pipe(toGame.data()) != 0 || pipe(fromGame.data()) != 0) {
    throw std::runtime_error("pipe failed");
  }
  const pid_t child = fork();
  if (child == 0) {
    dup2(toGame[0], STDIN_FILENO);
    dup2(fromGame[1], STDOUT_FILENO);
    close(toGame[0]);
    close(toGame[1]);
    close(fromGame[0]);
    close(fromGame[1]);
    execl(MATCH3_PROGRAM, MATCH3_PROGRAM, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(toGame[0]);
  close(fromGame[1]);
  // Write the input from a thread of its own so that a long script cannot
  // block against a full output pipe.
  std::thread writer([&] {
    std::size_t written = 0;
    while (written < input.size()) {
      const ssize_t count = write(toGame[1], input.data() + written, input.size() - written);
      if (count <= 0) {
        break;
      }
      written += static_cast<std::size_t>(count);
    }
    close(toGame[1]);
  });
  Finished finished;
  std::array<char, 65536> buffer{};
  for (;;) {
    const ssize_t count = read(fromGame[0], buffer.data(), buffer.size());
    if (count <= 0) {
      break;
    }
    finished.output.append(buffer.data(), static_cast<std::size_t>(count));
  }
  close(fromGame[0]);
  writer.join();
  recordStatus(child, finished);
  return finished;
}

Finished runOnTerminal(const TerminalRun& run) {
  int master = -1;
  const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
  if (child < 0) {
    throw std::runtime_error("forkpty failed");
  }
  if (child == 0) {
    clearenv();
    setenv("PATH", "/usr/bin:/bin", 1);
    for (const std::string& variable : run.environment) {
      putenv(const_cast<char*>(variable.c_str()));  // NOLINT: the child only reads it
    }
    execl(MATCH3_PROGRAM, MATCH3_PROGRAM, static_cast<char*>(nullptr));
    _exit(127);
  }
  Finished finished;
  const auto deadline = std::chrono::steady_clock::now() + kTimeLimit;
  while (!run.waitFor.empty() && finished.output.find(run.waitFor) == std::string::npos) {
    if (!readMore(master, finished.output, deadline)) {
      break;
    }
  }
  if (run.signal != 0) {
    kill(child, run.signal);
  }
  if (!run.input.empty()) {
    [[maybe_unused]] const ssize_t written = write(master, run.input.data(), run.input.size());
  }
  while (readMore(master, finished.output, deadline)) {
  }
  if (std::chrono::steady_clock::now() >= deadline) {
    kill(child, SIGKILL);
  }
  close(master);
  recordStatus(child, finished);
  return finished;
}

}  // namespace match3::testing
