// The signals a POSIX terminal game meets, in one table: each ends the game,
// ends it as a fault of its own, or stops it; none leaves the terminal with
// the cursor hidden or the colors changed.

#include "console/terminal_signals.hpp"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstddef>

namespace match3 {
namespace {

enum class Kind { ends, faults, stops };

struct GameSignal {
  int number;
  Kind kind;
};

// Two signals of Linux's that not every POSIX system has; 0 where there is
// none.
#if defined(SIGPWR)
constexpr int kPowerFailure = SIGPWR;
#else
constexpr int kPowerFailure = 0;
#endif
#if defined(SIGSTKFLT)
constexpr int kStackFault = SIGSTKFLT;
#else
constexpr int kStackFault = 0;
#endif

// Every signal whose default action ends or stops the game and that can be
// caught. (SIGPIPE is left as it is: a write to a closed pipe is reported by
// the game itself where it is ignored.)
constexpr std::array kSignals{
    GameSignal{SIGINT, Kind::ends},         // Ctrl-C
    GameSignal{SIGQUIT, Kind::ends},        // Ctrl-\ (quit)
    GameSignal{SIGTERM, Kind::ends},        // kill
    GameSignal{SIGHUP, Kind::ends},         // the terminal closed
    GameSignal{SIGABRT, Kind::ends},        // abort()
    GameSignal{SIGUSR1, Kind::ends},        // a program's own signals
    GameSignal{SIGUSR2, Kind::ends},        // (kill -USR1, -USR2)
    GameSignal{SIGALRM, Kind::ends},        // timers: real time,
    GameSignal{SIGVTALRM, Kind::ends},      // time in the program,
    GameSignal{SIGPROF, Kind::ends},        // and a profiler's
    GameSignal{SIGXCPU, Kind::ends},        // limits on CPU time and file size
    GameSignal{SIGXFSZ, Kind::ends},        // (ulimit -t, -f)
    GameSignal{SIGTRAP, Kind::ends},        // a breakpoint
    GameSignal{SIGSYS, Kind::ends},         // a system call refused
    GameSignal{kPowerFailure, Kind::ends},  // a power failure
    GameSignal{kStackFault, Kind::ends},    // a coprocessor's stack fault
    GameSignal{SIGSEGV, Kind::faults},      // the game's own faults
    GameSignal{SIGBUS, Kind::faults},       // (come again as the handler
    GameSignal{SIGFPE, Kind::faults},       // returns, when the game itself
    GameSignal{SIGILL, Kind::faults},       // caused them)
    GameSignal{SIGTSTP, Kind::stops},       // Ctrl-Z
    GameSignal{SIGTTIN, Kind::stops},       // a read or a write from the background
    GameSignal{SIGTTOU, Kind::stops},       // (after bg, or a game started with &)
};

// What a handler writes: chosen when the signals are taken, so that a
// handler only reads it and calls write().
std::array<char, 32> restoreBytes{};
std::array<char, 32> resumeBytes{};
volatile std::sig_atomic_t restoreSize = 0;
std::size_t resumeSize = 0;

// What each signal did before the game took it: where an ending signal goes
// once the terminal is restored.
std::array<struct sigaction, NSIG> previousActions{};

void writeNow(const char* bytes, std::size_t size) {
  if (size > 0) {
    [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, bytes, size);
  }
}

[[nodiscard]] bool isFault(int signalNumber) {
  for (const GameSignal& signal : kSignals) {
    if (signal.number == signalNumber) {
      return signal.kind == Kind::faults;
    }
  }
  return false;
}

struct sigaction gameAction() {
  struct sigaction action {};
  // A stop must not break the read the game is waiting in.
  action.sa_flags = SA_RESTART;
  // Nor may a second stop break into the first: the restore of a game in
  // the background, where a write could raise SIGTTOU, is let through while
  // that is blocked.
  sigemptyset(&action.sa_mask);
  for (const GameSignal& signal : kSignals) {
    if (signal.kind == Kind::stops) {
      sigaddset(&action.sa_mask, signal.number);
    }
  }
  return action;
}

void handleStop(int signalNumber, void (*handler)(int)) {
  struct sigaction action = gameAction();
  action.sa_handler = handler;
  sigaction(signalNumber, &action, nullptr);
}

// Whether the game is in the terminal's foreground, where it may show
// itself; in the background (after `bg`) it leaves the terminal alone.
[[nodiscard]] bool inForeground() { return tcgetpgrp(STDOUT_FILENO) == getpgrp(); }

// Once the terminal is restored, the signal goes where it went before the
// game took it: the default action ends the game by it, and a tool watching
// the game (a sanitizer) gets to report the crash. A fault of the game's own
// comes again as the handler returns; a signal sent to the game is sent
// again.
extern "C" void restoreAndDie(int signalNumber, siginfo_t* info, void* /*context*/) {
  writeNow(restoreBytes.data(), static_cast<std::size_t>(restoreSize));
  // Nothing is left to do if these fail.
  sigaction(signalNumber, &previousActions.at(static_cast<std::size_t>(signalNumber)), nullptr);
  const bool sent = info == nullptr || info->si_code <= 0;  // by kill(), raise() or abort()
  if (sent || !isFault(signalNumber)) {
    static_cast<void>(std::raise(signalNumber));
  }
}

extern "C" void restoreAndStop(int signalNumber) {
  const int savedError = errno;
  writeNow(restoreBytes.data(), static_cast<std::size_t>(restoreSize));
  static_cast<void>(std::signal(signalNumber, SIG_DFL));
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, signalNumber);
  sigprocmask(SIG_UNBLOCK, &stop, nullptr);
  static_cast<void>(std::raise(signalNumber));
  // Here the game has been continued, in the foreground or the background.
  handleStop(signalNumber, restoreAndStop);
  if (inForeground()) {
    writeNow(resumeBytes.data(), resumeSize);
  }
  errno = savedError;
}

// Takes a signal for the game, unless the game was started with it ignored
// (under nohup, or as a job a script started with &): that one stays
// ignored, as whoever started the game asked.
void takeSignal(int signalNumber, struct sigaction action) {
  struct sigaction& previous = previousActions.at(static_cast<std::size_t>(signalNumber));
  sigaction(signalNumber, nullptr, &previous);
  if ((previous.sa_flags & SA_SIGINFO) == 0 && previous.sa_handler == SIG_IGN) {
    return;
  }
  sigaction(signalNumber, &action, nullptr);
}

}  // namespace

void takeTerminalSignals(std::string_view restore, std::string_view resume) {
  restoreSize =
      static_cast<std::sig_atomic_t>(restore.copy(restoreBytes.data(), restoreBytes.size()));
  resumeSize = resume.copy(resumeBytes.data(), resumeBytes.size());
  struct sigaction ending = gameAction();
  ending.sa_flags |= SA_SIGINFO;
  ending.sa_sigaction = restoreAndDie;
  struct sigaction stopping = gameAction();
  stopping.sa_handler = restoreAndStop;
  for (const GameSignal& signal : kSignals) {
    if (signal.number != 0) {
      takeSignal(signal.number, signal.kind == Kind::stops ? stopping : ending);
    }
  }
}

void releaseTerminalSignals() { restoreSize = 0; }

}  // namespace match3
