// The console on Windows: the console API on the handle of standard output,
// asked for anew at every call, and "cls" through the command processor.

#include <conio.h>
#include <io.h>
#include <windows.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <iterator>

#include "console/byte_streams.hpp"
#include "console/console.hpp"
#include "console/console_mode.hpp"
#include "console/output.hpp"

namespace match3 {
namespace {

constexpr UINT kCyrillicCodePage = 1251;
constexpr int kAttributeShift = 4;

[[nodiscard]] HANDLE outputHandle() { return GetStdHandle(STD_OUTPUT_HANDLE); }

[[nodiscard]] bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode) != 0;
}

// What the console looked like before the game, put back when it ends.
struct SavedConsole {
  bool saved = false;
  WORD attributes = 0;
  CONSOLE_CURSOR_INFO cursor{};
  UINT codePage = 0;
};
SavedConsole before;

void restoreConsole() {
  if (!before.saved) {
    return;
  }
  const HANDLE handle = outputHandle();
  SetConsoleTextAttribute(handle, before.attributes);
  CONSOLE_CURSOR_INFO cursor = before.cursor;
  cursor.bVisible = TRUE;
  SetConsoleCursorInfo(handle, &cursor);
  SetConsoleOutputCP(before.codePage);
}

// Once the game has ended, in a console of its own: the last board stays
// until a key is pressed, with a line that says so written to the console
// itself, after all the game wrote.
void waitForAKey() {
  static constexpr wchar_t kLine[] =
      L"\r\nPress any key to close the window (нажмите любую клавишу, чтобы закрыть окно) ";
  DWORD written = 0;
  WriteConsoleW(outputHandle(), kLine, static_cast<DWORD>(std::size(kLine) - 1), &written, nullptr);
  FlushConsoleInputBuffer(GetStdHandle(STD_INPUT_HANDLE));
  static_cast<void>(_getch());
}

// Ctrl-C, Ctrl-Break, closing the window: restore, then let Windows end
// the game as it would have.
BOOL WINAPI restoreOnBreak(DWORD /*event*/) {
  restoreConsole();
  return FALSE;
}

// A crash: restore as on Ctrl-C, then let Windows end the game as it would.
LONG WINAPI restoreOnCrash(EXCEPTION_POINTERS* /*exception*/) {
  restoreConsole();
  return EXCEPTION_CONTINUE_SEARCH;
}

// The descriptors under the game's streams, in the C library's text mode:
// a line ends in CR LF on the way out, and CR LF reads as LF.
long writeOutput(const char* bytes, std::size_t size) {
  const int count = _write(1, bytes, static_cast<unsigned>(size));
  return count >= 0 ? count : -(errno != 0 ? errno : EIO);
}

long readInput(char* bytes, std::size_t size) {
  const int count = _read(0, bytes, static_cast<unsigned>(size));
  return count >= 0 ? count : -(errno != 0 ? errno : EIO);
}

}  // namespace

void setTextColor(int foreground, int background) {
  if (!consoleMode().colors) {
    return;
  }
  // The attribute applies to what reaches the console after it: what the
  // stream still holds must get there first.
  flushOutput();
  SetConsoleTextAttribute(outputHandle(),
                          static_cast<WORD>(foreground | (background << kAttributeShift)));
}

void setHighlight(bool on) {
  const ConsoleMode mode = consoleMode();
  if (!mode.controls || mode.colors) {
    return;
  }
  flushOutput();
  const HANDLE handle = outputHandle();
  CONSOLE_SCREEN_BUFFER_INFO screen{};
  if (GetConsoleScreenBufferInfo(handle, &screen) == 0) {
    return;
  }
  const auto reverse = static_cast<WORD>(COMMON_LVB_REVERSE_VIDEO);
  SetConsoleTextAttribute(handle, on ? static_cast<WORD>(screen.wAttributes | reverse)
                                     : static_cast<WORD>(screen.wAttributes & ~reverse));
}

bool setCursorVisible(bool visible) {
  const HANDLE handle = outputHandle();
  if (handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  CONSOLE_CURSOR_INFO cursor{};
  if (GetConsoleCursorInfo(handle, &cursor) == 0) {
    return false;
  }
  cursor.bVisible = visible ? TRUE : FALSE;
  return SetConsoleCursorInfo(handle, &cursor) != 0;
}

void setCursorPosition(int column, int row) {
  flushOutput();
  const COORD position{static_cast<SHORT>(column), static_cast<SHORT>(row)};
  SetConsoleCursorPosition(outputHandle(), position);
}

void setupConsole() {
  const HANDLE handle = outputHandle();
  const COORD size{static_cast<SHORT>(kConsoleColumns), static_cast<SHORT>(kConsoleRows)};
  const SMALL_RECT window{0, 0, static_cast<SHORT>(size.X - 1), static_cast<SHORT>(size.Y - 1)};
  SetConsoleWindowInfo(handle, TRUE, &window);
  SetConsoleScreenBufferSize(handle, size);
  // The console is shared with the shell: the first board must not stand
  // among its old text.
  clearScreen();
  setCursorVisible(false);
}

void clearScreen() {
  // On a pipe "cls" would write a form feed among the game's bytes.
  if (!consoleMode().controls) {
    return;
  }
  flushOutput();
  static_cast<void>(std::system("cls"));
}

void openTerminal() {
  const HANDLE handle = outputHandle();
  const bool console = isConsole(handle);
  const char* noColor = std::getenv("NO_COLOR");
  useConsoleMode(chooseConsoleMode(console, "", noColor == nullptr ? "" : noColor, ""));
  wireStandardStreams(readInput, writeOutput, false);
  if (!console) {
    return;
  }
  CONSOLE_SCREEN_BUFFER_INFO screen{};
  GetConsoleScreenBufferInfo(handle, &screen);
  before.attributes = screen.wAttributes;
  GetConsoleCursorInfo(handle, &before.cursor);
  before.codePage = GetConsoleOutputCP();
  before.saved = true;
  // The texts are Windows-1251 bytes; the console shows them as Cyrillic
  // under that code page.
  SetConsoleOutputCP(kCyrillicCodePage);
  SetConsoleCtrlHandler(restoreOnBreak, TRUE);
  SetUnhandledExceptionFilter(restoreOnCrash);
  std::array<DWORD, 2> processes{};
  const DWORD attached = GetConsoleProcessList(processes.data(), processes.size());
  if (waitsBeforeTheWindowCloses(isConsole(GetStdHandle(STD_INPUT_HANDLE)), console, attached)) {
    // After main's last words on standard error too.
    static_cast<void>(std::atexit(waitForAKey));
  }
}

void closeTerminal() {
  flushOutput();
  restoreConsole();
}

// A console's player answers by typing alone.
void expectAnswer(Question /*question*/) {}

// A console's player reads the board and the end on the screen.
void boardDrawn(const Board& /*board*/, int /*sideLength*/, int /*score*/, int /*selectedRow*/,
                int /*selectedColumn*/) {}
void gameEnded(Ending /*ending*/, std::string_view /*word*/, Question /*question*/) {}

StreamErrors streamErrors() { return standardStreamErrors(); }

void writeError(std::string_view text) {
  static_cast<void>(_write(2, text.data(), static_cast<unsigned>(text.size())));
}

}  // namespace match3
