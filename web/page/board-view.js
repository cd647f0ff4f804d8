// The board a hand holds: one button a tile, as large as the layout makes
// the board, each showing its tile as the game last drew it (the letter,
// in the terminal's colours, the highlighted tile in its own), as the game
// tells the page. A board of buttons in the WAI-ARIA grid pattern: one stop
// in the tab order, the arrow keys move among the tiles, Enter or Space
// picks one.
import { kBoardSide, kHighlightColour, kTileColour } from "./game-constants.js";
import { kPalette } from "./terminal.js";

export function createBoardView(element) {
  const tiles = [];
  const pickListeners = [];
  for (let row = 0; row < kBoardSide; ++row) {
    const line = document.createElement("div");
    line.setAttribute("role", "row");
    for (let column = 0; column < kBoardSide; ++column) {
      const cell = document.createElement("div");
      cell.setAttribute("role", "gridcell");
      const button = document.createElement("button");
      button.type = "button";
      button.tabIndex = row === 0 && column === 0 ? 0 : -1;
      button.setAttribute("aria-label", `row ${row + 1}, column ${column + 1}: blank`);
      const tile = { row, column, button };
      // A click from the keyboard; a pointer's taps come as gestures.
      button.addEventListener("click", (event) => event.detail === 0 && pickListeners.forEach((pick) => pick(tile)));
      cell.append(button);
      line.append(cell);
      tiles.push(tile);
    }
    element.append(line);
  }

  let latest = null; // the last board the game drew, until it is shown
  function drawTiles({ board, selected, highlighted }) {
    tiles.forEach(({ row, column, button }) => {
      const letter = board[row * kBoardSide + column] ?? "";
      const lit = highlighted && selected[0] === row && selected[1] === column;
      const label = `row ${row + 1}, column ${column + 1}: ${letter}`;
      if (button.getAttribute("aria-label") === label && button.classList.contains("highlighted") === lit) return;
      button.textContent = letter;
      button.setAttribute("aria-label", label);
      button.style.color = kPalette[lit ? kHighlightColour : kTileColour];
      button.classList.toggle("highlighted", lit);
    });
  }

  // The arrow keys, Home and End move the focus among the tiles.
  const kSteps = { ArrowLeft: [0, -1], ArrowRight: [0, 1], ArrowUp: [-1, 0], ArrowDown: [1, 0] };
  element.addEventListener("keydown", (event) => {
    const from = tiles.find((tile) => tile.button === document.activeElement);
    if (!from) return;
    const [down, across] = kSteps[event.key] ?? [0, 0];
    let column = Math.min(kBoardSide - 1, Math.max(0, from.column + across));
    if (event.key === "Home") column = 0;
    if (event.key === "End") column = kBoardSide - 1;
    const row = Math.min(kBoardSide - 1, Math.max(0, from.row + down));
    const to = tiles[row * kBoardSide + column];
    if (to === from) return;
    event.preventDefault();
    from.button.tabIndex = -1;
    to.button.tabIndex = 0;
    to.button.focus();
  });

  return {
    tiles,
    onPick: (listener) => pickListeners.push(listener),
    // A board the game drew: its letters row by row, and the cell it
    // highlighted, if any; shown at the next frame, as the terminal draws.
    draw(news) {
      if (latest === null) {
        requestAnimationFrame(() => {
          drawTiles(latest);
          latest = null;
        });
      }
      latest = news;
    },
    // A tile's side with its share of the gaps, in CSS pixels.
    pitch: () => element.getBoundingClientRect().width / kBoardSide,
    // The tile at a point on the board (in a gap, the nearest), or null off it.
    tileAt(x, y) {
      const box = element.getBoundingClientRect();
      const column = Math.floor(((x - box.left) / box.width) * kBoardSide);
      const row = Math.floor(((y - box.top) / box.height) * kBoardSide);
      const on = row >= 0 && row < kBoardSide && column >= 0 && column < kBoardSide;
      return on ? tiles[row * kBoardSide + column] : null;
    },
    // Whether the question the game waits at takes a tile, and the tile
    // picked, waiting for a direction.
    show(takes, picked) {
      element.classList.toggle("takes", takes);
      tiles.forEach((tile) => {
        tile.button.setAttribute("aria-disabled", String(!takes));
        tile.button.classList.toggle("picked", tile === picked);
      });
    },
  };
}
