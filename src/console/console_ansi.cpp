// The console operations on an ANSI terminal (a POSIX terminal, the page's
// terminal in a browser): control sequences written into the same stream as
// the text, so every sequence takes effect exactly where it stands.

#include "console/ansi.hpp"
#include "console/colors.hpp"
#include "console/console.hpp"
#include "console/console_mode.hpp"
#include "console/output.hpp"

namespace match3 {

void setTextColor(int foreground, int background) {
  if (consoleMode().colors) {
    writeText(colorSequence(foreground, background).view());
  }
}

void setHighlight(bool on) {
  const ConsoleMode mode = consoleMode();
  if (mode.controls && !mode.colors) {
    writeText(on ? kReverseVideo : kReverseVideoOff);
  }
}

bool setCursorVisible(bool visible) {
  if (!consoleMode().controls) {
    return false;
  }
  writeText(visible ? kShowCursor : kHideCursor);
  return true;
}

void setCursorPosition(int column, int row) {
  if (!consoleMode().controls) {
    return;
  }
  writeText(cursorPositionSequence(column, row).view());
}

void setupConsole() {
  if (!consoleMode().controls) {
    return;
  }
  writeText(windowSizeSequence(kConsoleColumns, kConsoleRows).view());
  // A terminal is shared with the shell: the first board must not stand
  // among its old text.
  writeText(kEraseDisplay);
  setCursorVisible(false);
}

void clearScreen() {
  if (consoleMode().controls) {
    writeText(kEraseDisplay);
    writeText(kCursorHome);
  }
}

}  // namespace match3
