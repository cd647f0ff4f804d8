#pragma once

namespace match3 {

// Colors in the console's attribute layout: 1 blue, 2 green, 4 red,
// 8 intensity; a foreground in bits 0-3, a background in bits 4-7.
inline constexpr int kColorTiles = 2;
inline constexpr int kColorSelected = 15;
inline constexpr int kColorText = 15;
inline constexpr int kColorBackground = 0;

}  // namespace match3
