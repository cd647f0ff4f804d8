#include "console/text_encoding.hpp"

namespace match3 {
namespace {

// Writes the UTF-8 form of one byte of 0x80 or above; returns its length.
std::size_t encodeHighByte(unsigned char byte, std::array<char, 3>& out) {
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

}  // namespace

Utf8OutputBuffer::int_type Utf8OutputBuffer::overflow(int_type byte) {
  if (traits_type::eq_int_type(byte, traits_type::eof())) {
    return traits_type::not_eof(byte);
  }
  const char single = traits_type::to_char_type(byte);
  return xsputn(&single, 1) == 1 ? byte : traits_type::eof();
}

std::streamsize Utf8OutputBuffer::xsputn(const char_type* bytes, std::streamsize count) {
  std::streamsize start = 0;
  for (std::streamsize index = 0; index < count; ++index) {
    const auto byte = static_cast<unsigned char>(bytes[index]);
    if (byte < 0x80U) {
      continue;
    }
    // Pass the ASCII run before this byte in one piece.
    if (index > start && target_->sputn(bytes + start, index - start) != index - start) {
      return start;
    }
    std::array<char, 3> encoded{};
    const auto length = static_cast<std::streamsize>(encodeHighByte(byte, encoded));
    if (target_->sputn(encoded.data(), length) != length) {
      return index;
    }
    start = index + 1;
  }
  if (count > start && target_->sputn(bytes + start, count - start) != count - start) {
    return start;
  }
  return count;
}

int Utf8OutputBuffer::sync() { return target_->pubsync(); }

}  // namespace match3
