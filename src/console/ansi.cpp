#include "console/ansi.hpp"

#include <charconv>
#include <initializer_list>

namespace match3 {
namespace {

// ANSI numbers its colors red 1, green 2, blue 4: the console's red and
// blue bits change places.
[[nodiscard]] int ansiColorIndex(int attribute) {
  return ((attribute & 1) << 2) | (attribute & 2) | ((attribute & 4) >> 2);
}

void appendText(ControlSequence& sequence, std::string_view text) {
  for (const char letter : text) {
    sequence.bytes.at(sequence.size++) = letter;
  }
}

void appendNumber(ControlSequence& sequence, long long value) {
  char* const start = sequence.bytes.data() + sequence.size;
  const auto result = std::to_chars(start, sequence.bytes.data() + sequence.bytes.size(), value);
  sequence.size += static_cast<std::size_t>(result.ptr - start);
}

// CSI, the numbers separated by semicolons, then the final byte.
ControlSequence csi(std::initializer_list<long long> numbers, char final) {
  ControlSequence sequence;
  appendText(sequence, "\x1b[");
  bool first = true;
  for (const long long number : numbers) {
    if (!first) {
      appendText(sequence, ";");
    }
    appendNumber(sequence, number);
    first = false;
  }
  appendText(sequence, {&final, 1});
  return sequence;
}

}  // namespace

std::string_view restoreBytes(ConsoleMode mode) {
  static constexpr std::string_view kCursorAndColors = "\x1b[0m\x1b[?25h";
  static_assert(kCursorAndColors.starts_with(kResetAttributes) &&
                kCursorAndColors.ends_with(kShowCursor));
  if (!mode.controls) {
    return {};
  }
  return mode.colors ? kCursorAndColors : kShowCursor;
}

ControlSequence colorSequence(int foreground, int background) {
  constexpr int kIntensity = 8;
  constexpr int kAttributeMask = 15;
  foreground &= kAttributeMask;
  background &= kAttributeMask;
  return csi({((foreground & kIntensity) != 0 ? 90 : 30) + ansiColorIndex(foreground),
              ((background & kIntensity) != 0 ? 100 : 40) + ansiColorIndex(background)},
             'm');
}

ControlSequence cursorPositionSequence(int column, int row) {
  return csi({row + 1LL, column + 1LL}, 'H');
}

ControlSequence windowSizeSequence(int columns, int rows) { return csi({8, rows, columns}, 't'); }

}  // namespace match3
