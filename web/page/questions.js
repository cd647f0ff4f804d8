// Which of the page's answers each question of the game takes, and the
// words a move types: what a player would type for it, a line each.

// Whether the game waiting at `question` (null: at none) takes a control of
// `kind` ("yes-no", "tile", "direction"), with `picked` the tile picked, if any.
export function takes(kind, question, picked) {
  switch (kind) {
    case "yes-no": return question === "start" || question === "play";
    case "tile": return question === "play" || question === "row";
    case "direction": return question === "direction" || (picked !== null && takes("tile", question, null));
    default: return false;
  }
}

// The lines that move the tile at `row`, `column` (from 0) `direction` ("r",
// "l", "d" or "u"), from `question`; none where it takes no move.
export function moveLines(question, { row, column }, direction) {
  const lines = [`${row + 1} ${column + 1}`, direction];
  if (question === "play") return ["y", ...lines];
  return question === "row" ? lines : [];
}
