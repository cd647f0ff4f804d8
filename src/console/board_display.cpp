#include "console/board_display.hpp"

#include <array>
#include <charconv>
#include <cstddef>
#include <string_view>
#include <system_error>

#include "console/colors.hpp"
#include "console/console.hpp"
#include "console/console_mode.hpp"
#include "console/output.hpp"
#include "console/text_encoding.hpp"

namespace match3 {
namespace {

constexpr auto kScoreLabel = toCp1251(u8" ( ваши очки ) your score: ");
static_assert(kScoreLabel.size == 27);

constexpr std::size_t kCellWidth = 2;  // the tile and the space after it
constexpr int kNoColumn = -1;

// Writes one line of the board. With `colorPerCell`, the color is set
// before every tile: the tiles' color, or the highlight in
// `highlightedColumn`. Without it the line goes out in the color in force,
// which is all that per-cell colors come to where the console shows none;
// a highlighted cell is then marked the console's other way, if it has one.
void drawRow(const BoardRow& tiles, int span, bool colorPerCell, int highlightedColumn) {
  std::array<char, kCellWidth * kBoardSize> text{};
  const auto cells = static_cast<std::size_t>(span);
  for (std::size_t cell = 0; cell < cells; ++cell) {
    text[kCellWidth * cell] = tiles[cell];
    text[kCellWidth * cell + 1] = ' ';
  }
  const std::string_view line{text.data(), kCellWidth * cells};
  if (!colorPerCell) {
    const auto highlighted = static_cast<std::size_t>(highlightedColumn);
    if (highlightedColumn < 0 || highlighted >= cells) {
      writeText(line);
    } else {
      // Only the letter: a reversed space after it would make the mark
      // lopsided.
      const std::size_t tile = kCellWidth * highlighted;
      writeText(line.substr(0, tile));
      setHighlight(true);
      writeText(line.substr(tile, 1));
      setHighlight(false);
      writeText(line.substr(tile + 1));
    }
  } else {
    for (std::size_t cell = 0; cell < cells; ++cell) {
      const bool highlighted = static_cast<int>(cell) == highlightedColumn;
      setTextColor(highlighted ? kColorSelected : kColorTiles, kColorBackground);
      writeText({&text[kCellWidth * cell], kCellWidth});
    }
  }
  endLine();
}

void writeScoreLine(int score) {
  setTextColor(kColorText, kColorBackground);
  endLine();
  writeText(kScoreLabel.view());
  std::array<char, 16> digits{};
  const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), score);
  if (error == std::errc{}) {
    writeText({digits.data(), static_cast<std::size_t>(end - digits.data())});
  }
  endLine();
  endLine();
}

}  // namespace

void drawBoard(const Board& board, int sideLength, int score) {
  const int span = boardSpan(sideLength);
  setTextColor(kColorTiles, kColorBackground);
  for (int row = 0; row < span; ++row) {
    drawRow(board[row], span, false, kNoColumn);
  }
  writeScoreLine(score);
  boardDrawn(board, sideLength, score, -1, -1);
}

void drawBoardSelected(const Board& board, int sideLength, int score, int selectedRow,
                       int selectedColumn) {
  const int span = boardSpan(sideLength);
  const bool colorPerCell = consoleMode().colors;
  for (int row = 0; row < span; ++row) {
    drawRow(board[row], span, colorPerCell, row == selectedRow ? selectedColumn : kNoColumn);
  }
  writeScoreLine(score);
  boardDrawn(board, sideLength, score, selectedRow, selectedColumn);
}

}  // namespace match3
