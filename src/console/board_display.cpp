#include "console/board_display.hpp"

#include <charconv>
#include <string_view>
#include <system_error>

#include "console/console.hpp"
#include "console/output.hpp"
#include "console/text_encoding.hpp"

namespace match3 {
namespace {

constexpr auto kScoreLabel = toCp1251(u8" ( ваши очки ) your score: ");
static_assert(kScoreLabel.size == 27);

void writeTile(char tile) {
  writeCharacter(tile);
  writeCharacter(' ');
}

void writeScoreLine(int score) {
  setTextColor(kColorText, kColorBackground);
  endLine();
  writeText(kScoreLabel.view());
  std::array<char, 16> digits{};
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), score);
  if (error == std::errc{}) {
    writeText({digits.data(), end});
  }
  endLine();
  endLine();
}

}  // namespace

void drawBoard(const Board& board, int sideLength, int score) {
  const int span = boardSpan(sideLength);
  setTextColor(kColorTiles, kColorBackground);
  for (int row = 0; row < span; ++row) {
    for (int column = 0; column < span; ++column) {
      writeTile(board[row][column]);
    }
    endLine();
  }
  writeScoreLine(score);
}

void drawBoardSelected(const Board& board, int sideLength, int score, int selectedRow,
                       int selectedColumn) {
  const int span = boardSpan(sideLength);
  for (int row = 0; row < span; ++row) {
    for (int column = 0; column < span; ++column) {
      const bool selected = row == selectedRow && column == selectedColumn;
      setTextColor(selected ? kColorSelected : kColorTiles, kColorBackground);
      writeTile(board[row][column]);
    }
    endLine();
  }
  writeScoreLine(score);
}

}  // namespace match3
