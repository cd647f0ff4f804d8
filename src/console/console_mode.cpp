#include "console/console_mode.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstddef>
#include <string>

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

}  // namespace

ConsoleMode chooseConsoleMode(bool isTerminal, std::string_view term, std::string_view noColor,
                              std::string_view codeset) {
  if (!isTerminal) {
    return {};
  }
  // A dumb terminal takes no control sequences, but it shows the characters
  // of the user's locale like any other.
  const bool utf8 = isUtf8Codeset(codeset);
  if (term == "dumb") {
    return {.utf8 = utf8};
  }
  return {.controls = true, .colors = noColor.empty(), .utf8 = utf8};
}

std::string_view codesetNamedBy(std::string_view lcAll, std::string_view lcCtype,
                                std::string_view lang) {
  const std::string_view name = !lcAll.empty() ? lcAll : !lcCtype.empty() ? lcCtype : lang;
  std::string lowered(name);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](unsigned char letter) { return static_cast<char>(std::tolower(letter)); });
  const bool utf8 =
      lowered.find("utf-8") != std::string::npos || lowered.find("utf8") != std::string::npos;
  return utf8 ? "UTF-8" : "";
}

ConsoleMode consoleMode() { return currentMode; }

void useConsoleMode(ConsoleMode mode) { currentMode = mode; }

bool waitsBeforeTheWindowCloses(bool inputIsConsole, bool outputIsConsole,
                                unsigned long processesOnConsole) {
  return inputIsConsole && outputIsConsole && processesOnConsole == 1;
}

}  // namespace match3
