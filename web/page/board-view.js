// The board a hand holds: one button a tile, as large as the layout makes
// the board, each showing its tile as the game last drew it (the letter,
// in the terminal's colours, the highlighted tile in its own), as the game
// tells the page. A board of buttons in the WAI-ARIA grid pattern: one stop
// in the tab order, the arrow keys move among the tiles, Enter or Space
// picks one. Each tile's accessible name is in the page's language.
import { kBoardSide, kHighlightColour, kTileColour } from "./game-constants.js";
import { listeners } from "./listeners.js";
import { kPalette } from "./terminal.js";

const kEdge = 4; // px: the board's margin, as page.css draws it

// `words()` gives the page's words.
export function createBoardView(element, words) {
  const tiles = [];
  const picks = listeners();
  for (let row = 0; row < kBoardSide; ++row) {
    const line = document.createElement("div");
    line.setAttribute("role", "row");
    for (let column = 0; column < kBoardSide; ++column) {
      const cell = document.createElement("div");
      cell.setAttribute("role", "gridcell");
      const button = document.createElement("button");
      button.type = "button";
      button.tabIndex = row === 0 && column === 0 ? 0 : -1;
      const tile = { row, column, button };
      // A click from the keyboard; a pointer's taps come as gestures.
      button.addEventListener("click", (event) => event.detail === 0 && picks.tell(tile));
      cell.append(button);
      line.append(cell);
      tiles.push(tile);
    }
    element.append(line);
  }

  let latest = null; // the last board the game drew, until it is shown
  let shown = null; // the board the tiles show
  const blank = { board: [], selected: null, highlighted: false };
  function drawTiles({ board, selected, highlighted }) {
    tiles.forEach(({ row, column, button }) => {
      const letter = board[row * kBoardSide + column] ?? "";
      const lit = highlighted && selected[0] === row && selected[1] === column;
      const label = words().tile(row + 1, column + 1, letter);
      if (button.getAttribute("aria-label") === label && button.classList.contains("highlighted") === lit) return;
      button.textContent = letter;
      button.setAttribute("aria-label", label);
      button.style.color = kPalette[lit ? kHighlightColour : kTileColour];
      button.classList.toggle("highlighted", lit);
    });
  }
  drawTiles(blank);

  // The arrow keys, Home and End move the focus among the tiles; once a
  // tile is picked, an arrow key is the direction it moves in.
  const kSteps = { ArrowLeft: [0, -1], ArrowRight: [0, 1], ArrowUp: [-1, 0], ArrowDown: [1, 0] };
  const kDirections = { ArrowLeft: "l", ArrowRight: "r", ArrowUp: "u", ArrowDown: "d" };
  let picked = null;
  const directions = listeners();
  element.addEventListener("keydown", (event) => {
    const from = tiles.find((tile) => tile.button === document.activeElement);
    if (!from) return;
    if (picked !== null && event.key in kDirections) {
      event.preventDefault();
      directions.tell(kDirections[event.key]);
      return;
    }
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
    onPick: picks.add,
    // `listener(direction)` hears an arrow key pressed while a tile is picked.
    onDirection: directions.add,
    // The letter the game last drew at a tile.
    letterAt: ({ row, column }) => shown?.board[row * kBoardSide + column] ?? "",
    // A board the game drew: its letters row by row, and the cell it
    // highlighted, if any; shown at the next frame, as the terminal draws.
    draw(news) {
      if (latest === null) {
        requestAnimationFrame(() => {
          shown = latest;
          latest = null;
          drawTiles(shown);
        });
      }
      latest = news;
    },
    // The tiles named anew, in the page's language now.
    relabel: () => drawTiles(shown ?? blank),
    // A tile's side with its share of the gaps, in CSS pixels.
    pitch: () => element.getBoundingClientRect().width / kBoardSide,
    // The board the tiles show: another once the game has drawn again.
    boardShown: () => shown,
    // The tile at a point on the board, or within kEdge pixels around it
    // (in a gap or the margin, the nearest), or null further off.
    tileAt(x, y) {
      const box = element.getBoundingClientRect();
      const index = (at, from, size) => Math.min(kBoardSide - 1, Math.max(0, Math.floor(((at - from) / size) * kBoardSide)));
      const near = x >= box.left - kEdge && x <= box.right + kEdge && y >= box.top - kEdge && y <= box.bottom + kEdge;
      return near ? tiles[index(y, box.top, box.height) * kBoardSide + index(x, box.left, box.width)] : null;
    },
    // Whether the question the game waits at takes a tile, and the tile
    // picked, waiting for a direction.
    show(takes, pickedTile) {
      picked = pickedTile;
      element.classList.toggle("takes", takes);
      tiles.forEach((tile) => {
        tile.button.setAttribute("aria-disabled", String(!takes));
        tile.button.classList.toggle("picked", tile === pickedTile);
        tile.button.setAttribute("aria-pressed", String(tile === pickedTile));
      });
    },
  };
}
