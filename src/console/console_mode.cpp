#include <algorithm>
#include <cctype>

#include "console/console.hpp"

namespace match3 {
namespace {

ConsoleMode currentMode;

[[nodiscard]] bool isUtf8Codeset(std::string_view codeset) {
  std::array<char, 8> lowered{};
  if (codeset.size() > lowered.size()) {
    return false;
  }
  std::size_t length = 0;
  for (const char letter : codeset) {
    if (letter != '-') {
      lowered.at(length++) = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    }
  }
  return std::string_view(lowered.data(), length) == "utf8";
}

// ANSI numbers its colours red 1, green 2, blue 4: the console's red and
// blue bits change places.
[[nodiscard]] int ansiColourIndex(int attribute) {
  return ((attribute & 1) << 2) | (attribute & 2) | ((attribute & 4) >> 2);
}

void appendNumber(ControlSequence& sequence, int value) {
  if (value >= 100) {
    sequence.bytes.at(sequence.size++) = static_cast<char>('0' + value / 100);
  }
  if (value >= 10) {
    sequence.bytes.at(sequence.size++) = static_cast<char>('0' + value / 10 % 10);
  }
  sequence.bytes.at(sequence.size++) = static_cast<char>('0' + value % 10);
}

void appendText(ControlSequence& sequence, std::string_view text) {
  for (const char letter : text) {
    sequence.bytes.at(sequence.size++) = letter;
  }
}

}  // namespace

ConsoleMode chooseConsoleMode(bool isTerminal, std::string_view term, std::string_view noColor,
                              std::string_view codeset) {
  if (!isTerminal || term == "dumb") {
    return {};
  }
  return {.controls = true, .colours = noColor.empty(), .utf8 = isUtf8Codeset(codeset)};
}

ConsoleMode consoleMode() { return currentMode; }

void useConsoleMode(ConsoleMode mode) { currentMode = mode; }

ControlSequence colourSequence(int foreground, int background) {
  constexpr int kIntensity = 8;
  constexpr int kAttributeMask = 15;
  foreground &= kAttributeMask;
  background &= kAttributeMask;
  ControlSequence sequence;
  appendText(sequence, "\x1b[");
  appendNumber(sequence, ((foreground & kIntensity) != 0 ? 90 : 30) + ansiColourIndex(foreground));
  appendText(sequence, ";");
  appendNumber(sequence, ((background & kIntensity) != 0 ? 100 : 40) + ansiColourIndex(background));
  appendText(sequence, "m");
  return sequence;
}

}  // namespace match3
