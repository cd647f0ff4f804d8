#include "console/output.hpp"

#include <iostream>

namespace match3 {

void writeText(std::string_view text) {
  std::cout.write(text.data(), static_cast<std::streamsize>(text.size()));
}

void writeCharacter(char character) {
  std::cout.rdbuf()->sputc(character);
}

void endLine() {
  std::cout.put('\n');
  std::cout.flush();
}

}  // namespace match3
