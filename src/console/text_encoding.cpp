#include "console/text_encoding.hpp"

namespace match3 {

std::size_t utf8OfHighByte(unsigned char byte, std::array<char, 3>& out) {
  const char32_t codePoint = kCp1251HighHalf.at(byte - 0x80U);
  if (codePoint < 0x800) {
    out[0] = static_cast<char>(0xC0U | (codePoint >> 6U));
    out[1] = static_cast<char>(0x80U | (codePoint & 0x3FU));
    return 2;
  }
  out[0] = static_cast<char>(0xE0U | (codePoint >> 12U));
  out[1] = static_cast<char>(0x80U | ((codePoint >> 6U) & 0x3FU));
  out[2] = static_cast<char>(0x80U | (codePoint & 0x3FU));
  return 3;
}

}  // namespace match3
