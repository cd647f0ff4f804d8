// The page's layout in figures, taken in the page by any engine's driver,
// and what every screen must show.
import assert from "node:assert/strict";

// Where things stand, in the page: sideways overflow, the tiles' size and
// place, the question's row in the terminal's box, a scrollbar over the
// terminal, the controls, the distance from No to every other control. Taken once
// the page has drawn what changed.
export const layoutFigures = async () => {
  for (let frames = 0; frames < 2; ++frames) await new Promise(requestAnimationFrame);
  const { terminal } = window.match3Page;
  const rect = (element) => element.getBoundingClientRect();
  const tiles = [...document.querySelectorAll("#board button")].map(rect);
  const screen = rect(document.querySelector(".xterm-screen"));
  const box = rect(document.getElementById("screen"));
  const viewport = document.querySelector(".xterm-viewport");
  const cellHeight = screen.height / terminal.rows;
  const cursorTop = screen.top + terminal.buffer.active.cursorY * cellHeight;
  const shown = [...document.querySelectorAll("#controls > *")].filter((element) => !element.hidden);
  const no = rect(document.querySelector("[data-answer=n]"));
  const others = [...document.querySelectorAll("#controls button:not([data-answer=n]), #controls input, #controls a")]
    .filter((element) => element.offsetParent !== null).map(rect);
  return {
    overflow: document.documentElement.scrollWidth - innerWidth, scrollY, columns: terminal.cols,
    cursorRow: terminal.buffer.active.cursorY,
    smallestTile: Math.min(...tiles.map((tile) => Math.min(tile.width, tile.height))),
    tilesInView: tiles.every((tile) => tile.left >= 0 && tile.top >= 0 && tile.right <= innerWidth && tile.bottom <= innerHeight),
    tilesInWidth: tiles.every((tile) => tile.left >= 0 && tile.right <= innerWidth),
    lineTop: rect(document.getElementById("line")).top,
    questionInBox: cursorTop >= box.top - 0.5 && cursorTop + cellHeight <= Math.min(box.bottom, innerHeight) + 0.5,
    terminalInBox: screen.left >= box.left && screen.right <= box.right + 0.5,
    underScrollbar: viewport.offsetWidth - viewport.clientWidth,
    controlsBottom: Math.max(...shown.map((element) => rect(element).bottom)), height: innerHeight,
    noApart: document.getElementById("controls").classList.contains("ended") ? null // No is hidden at the end
      : Math.min(...others.map((box) => Math.hypot(Math.max(0, box.left - no.right, no.left - box.right),
                                                   Math.max(0, box.top - no.bottom, no.top - box.bottom)))),
    status: document.getElementById("status").textContent,
  };
};

export function assertInView(figure, smallestTile, where) {
  const said = `${where}: ${JSON.stringify(figure)}`;
  assert.ok(figure.overflow <= 0 && figure.scrollY === 0 && figure.columns >= 50, said);
  assert.ok(figure.smallestTile >= smallestTile && figure.tilesInView, said);
  assert.ok(figure.questionInBox && figure.terminalInBox && figure.underScrollbar === 0, said);
  assert.ok(figure.controlsBottom <= figure.height && (figure.noApart === null || figure.noApart >= 24), said);
}

