// The console on a POSIX terminal: the descriptors under the game's streams,
// the locale's codeset, and the restore of the terminal at every end, by
// signals included. The console operations are the ANSI ones.

#include <fcntl.h>
#include <langinfo.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>

#include "console/ansi.hpp"
#include "console/byte_streams.hpp"
#include "console/colours.hpp"
#include "console/console.hpp"
#include "console/console_mode.hpp"
#include "console/output.hpp"
#include "console/text_encoding.hpp"

namespace match3 {
namespace {

// Which restore a signal handler writes: chosen when the terminal is opened,
// so that a handler only reads it and calls write().
volatile std::sig_atomic_t restoreOnSignal = 0;

// What the game writes when it carries on after a stop (Ctrl-Z, then fg):
// the cursor hidden again and the colour of the text between drawings,
// which is what is in force while the game waits for an answer.
std::array<char, 32> resumeBytes{};
std::size_t resumeSize = 0;

void writeNow(std::string_view bytes) {
  if (!bytes.empty()) {
    [[maybe_unused]] const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
  }
}

// The signals that stop the game: Ctrl-Z, and a read or a write from the
// background (after `bg`, or a game started with &).
constexpr std::array<int, 3> kStopSignals{SIGTSTP, SIGTTIN, SIGTTOU};

// What each signal did before the game took it: where an ending signal goes
// once the terminal is restored.
std::array<struct sigaction, NSIG> previousActions{};

struct sigaction gameAction() {
  struct sigaction action {};
  // A stop must not break the read the game is waiting in.
  action.sa_flags = SA_RESTART;
  // Nor may a second stop break into the first: the restore of a game in
  // the background, where a write could raise SIGTTOU, is let through while
  // that is blocked.
  sigemptyset(&action.sa_mask);
  for (const int stop : kStopSignals) {
    sigaddset(&action.sa_mask, stop);
  }
  return action;
}

void handleStop(int signalNumber, void (*handler)(int)) {
  struct sigaction action = gameAction();
  action.sa_handler = handler;
  sigaction(signalNumber, &action, nullptr);
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

// Whether the game is in the terminal's foreground, where it may show
// itself; in the background (after `bg`) it leaves the terminal alone.
[[nodiscard]] bool inForeground() { return tcgetpgrp(STDOUT_FILENO) == getpgrp(); }

// The signals that end the game: Ctrl-C, Ctrl-\, kill and a hang-up, and
// the crashes, which leave the terminal as usable as the others do.
constexpr std::array<int, 9> kEndSignals{SIGINT,  SIGTERM, SIGHUP, SIGQUIT, SIGABRT,
                                         SIGSEGV, SIGBUS,  SIGFPE, SIGILL};

[[nodiscard]] bool isFault(int signalNumber) {
  return signalNumber == SIGSEGV || signalNumber == SIGBUS || signalNumber == SIGFPE ||
         signalNumber == SIGILL;
}

// Once the terminal is restored, the signal goes where it went before the
// game took it: the default action ends the game by it, and a tool watching
// the game (a sanitizer) gets to report the crash. A fault of the game's own
// comes again as the handler returns; a signal sent to the game is sent
// again.
extern "C" void restoreAndDie(int signalNumber, siginfo_t* info, void* /*context*/) {
  writeNow(kRestore[static_cast<std::size_t>(restoreOnSignal)]);
  // Nothing is left to do if these fail.
  sigaction(signalNumber, &previousActions.at(static_cast<std::size_t>(signalNumber)), nullptr);
  const bool sent = info == nullptr || info->si_code <= 0;  // by kill(), raise() or abort()
  if (sent || !isFault(signalNumber)) {
    static_cast<void>(std::raise(signalNumber));
  }
}

extern "C" void restoreAndStop(int signalNumber) {
  const int savedError = errno;
  writeNow(kRestore[static_cast<std::size_t>(restoreOnSignal)]);
  static_cast<void>(std::signal(signalNumber, SIG_DFL));
  sigset_t stop;
  sigemptyset(&stop);
  sigaddset(&stop, signalNumber);
  sigprocmask(SIG_UNBLOCK, &stop, nullptr);
  static_cast<void>(std::raise(signalNumber));
  // Here the game has been continued, in the foreground or the background.
  handleStop(signalNumber, restoreAndStop);
  if (inForeground()) {
    writeNow({resumeBytes.data(), resumeSize});
  }
  errno = savedError;
}

void installSignalRestore(ConsoleMode mode) {
  std::string resume(kHideCursor);
  if (mode.colours) {
    resume += colourSequence(kColorText, kColorBackground).view();
  }
  resumeSize = resume.copy(resumeBytes.data(), resumeBytes.size());
  struct sigaction ending = gameAction();
  ending.sa_flags |= SA_SIGINFO;
  ending.sa_sigaction = restoreAndDie;
  for (const int signalNumber : kEndSignals) {
    takeSignal(signalNumber, ending);
  }
  struct sigaction stopping = gameAction();
  stopping.sa_handler = restoreAndStop;
  for (const int signalNumber : kStopSignals) {
    takeSignal(signalNumber, stopping);
  }
}

[[nodiscard]] std::string localeCodeset() {
  // Asked of the user's locale before the game selects its own.
  // Without the user's locale the codeset reads as ASCII, which is no UTF-8.
  static_cast<void>(std::setlocale(LC_CTYPE, ""));
  std::string codeset = nl_langinfo(CODESET);
  static_cast<void>(std::setlocale(LC_CTYPE, "C"));
  return codeset;
}

[[nodiscard]] std::string_view environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string_view{} : std::string_view{value};
}

// A read or a write of a descriptor, made again when a signal interrupts
// it: the count, or the negative errno.
template <typename Transfer>
long uninterrupted(Transfer transfer) {
  for (;;) {
    const ssize_t count = transfer();
    if (count >= 0 || errno != EINTR) {
      return count >= 0 ? count : -errno;
    }
  }
}

// The descriptors under the game's streams.
long writeOutput(const char* bytes, std::size_t size) {
  return uninterrupted([&] { return ::write(STDOUT_FILENO, bytes, size); });
}

long readInput(char* bytes, std::size_t size) {
  return uninterrupted([&] { return ::read(STDIN_FILENO, bytes, size); });
}

std::streambuf* savedBuffer = nullptr;
std::streambuf* savedInput = nullptr;

ByteOutputBuffer& descriptorBuffer() {
  static ByteOutputBuffer buffer{writeOutput};
  return buffer;
}

ByteInputBuffer& inputBuffer() {
  static ByteInputBuffer buffer{readInput};
  return buffer;
}

Utf8OutputBuffer& utf8Buffer() {
  static Utf8OutputBuffer buffer{&descriptorBuffer()};
  return buffer;
}

// Whether the game was started with `descriptor` closed. If so, /dev/null
// takes its place, so that no file opened later (a locale's, say) can stand
// in for the player's answers or the screen.
[[nodiscard]] bool startedClosed(int descriptor, int flags) {
  if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) {
    return false;
  }
  const int standIn = open("/dev/null", flags);
  if (standIn >= 0 && standIn != descriptor) {
    dup2(standIn, descriptor);
    close(standIn);
  }
  return true;
}

}  // namespace

void openTerminal() {
  if (startedClosed(STDIN_FILENO, O_RDONLY)) {
    inputBuffer().fail(EBADF);
  }
  if (startedClosed(STDOUT_FILENO, O_WRONLY)) {
    descriptorBuffer().fail(EBADF);
  }
  std::ios::sync_with_stdio(false);
  const ConsoleMode mode = chooseConsoleMode(isatty(STDOUT_FILENO) == 1, environment("TERM"),
                                             environment("NO_COLOR"), localeCodeset());
  useConsoleMode(mode);
  std::cout.flush();
  savedBuffer = std::cout.rdbuf(mode.utf8 ? static_cast<std::streambuf*>(&utf8Buffer())
                                          : &descriptorBuffer());
  savedInput = std::cin.rdbuf(&inputBuffer());
  restoreOnSignal = static_cast<std::sig_atomic_t>(restoreKind(mode));
  if (mode.controls) {
    installSignalRestore(mode);
  }
}

void closeTerminal() {
  restoreOnSignal = 0;
  writeText(kRestore.at(restoreKind(consoleMode())));
  std::cout.flush();
  if (savedBuffer != nullptr) {
    std::cout.rdbuf(savedBuffer);
    savedBuffer = nullptr;
  }
  if (savedInput != nullptr) {
    std::cin.rdbuf(savedInput);
    savedInput = nullptr;
  }
}

// A terminal's player answers by typing alone.
void expectAnswer(Question /*question*/) {}

StreamErrors streamErrors() {
  return {.input = inputBuffer().error(), .output = descriptorBuffer().error()};
}

}  // namespace match3
