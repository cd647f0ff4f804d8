#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace match3 {

// The game's texts are Windows-1251 bytes. This table gives the Unicode code
// point of every byte from 0x80 up; the bytes below are ASCII.
inline constexpr std::array<char32_t, 128> kCp1251HighHalf{
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  //
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  //
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  //
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  //
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  //
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  //
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  //
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  //
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  //
};

// A text converted to Windows-1251 while the program is compiled; it never
// holds more bytes than the UTF-8 it was written in.
template <std::size_t Capacity>
struct Cp1251Text {
  std::array<char, Capacity> bytes{};
  std::size_t size = 0;

  [[nodiscard]] constexpr std::string_view view() const { return {bytes.data(), size}; }
};

namespace detail {

consteval char cp1251Byte(char32_t codePoint) {
  if (codePoint < 0x80) {
    return static_cast<char>(codePoint);
  }
  for (std::size_t index = 0; index < kCp1251HighHalf.size(); ++index) {
    if (kCp1251HighHalf.at(index) == codePoint && codePoint != 0xFFFD) {
      return static_cast<char>(0x80 + index);
    }
  }
  // Reached only while compiling: a text holds a character Windows-1251 lacks.
  throw "character without a Windows-1251 byte";
}

}  // namespace detail

// Converts a UTF-8 literal, as the sources are written, to the bytes the
// game writes: toCp1251(u8"Спасибо").view().
template <std::size_t Length>
consteval Cp1251Text<Length> toCp1251(const char8_t (&utf8)[Length]) {
  Cp1251Text<Length> text;
  std::size_t index = 0;
  while (index + 1 < Length) {  // the literal's closing zero is not text
    const auto lead = static_cast<unsigned char>(utf8[index]);
    int continuation = 0;
    char32_t codePoint = lead;
    if (lead >= 0xF0) {
      continuation = 3;
      codePoint = lead & 0x07U;
    } else if (lead >= 0xE0) {
      continuation = 2;
      codePoint = lead & 0x0FU;
    } else if (lead >= 0xC0) {
      continuation = 1;
      codePoint = lead & 0x1FU;
    }
    ++index;
    for (int step = 0; step < continuation; ++step, ++index) {
      codePoint = (codePoint << 6U) | (static_cast<unsigned char>(utf8[index]) & 0x3FU);
    }
    text.bytes.at(text.size++) = detail::cp1251Byte(codePoint);
  }
  return text;
}

// The UTF-8 form of one Windows-1251 byte of 0x80 or above, for a terminal
// whose locale is UTF-8; returns its length.
std::size_t utf8OfHighByte(unsigned char byte, std::array<char, 3>& out);

}  // namespace match3
