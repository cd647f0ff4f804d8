// A game from its start to its end, and the next one: what the page says
// when a game ends, and where the keys go.
import { kExitStatus } from "./game-constants.js";
import { prepareGame, runGame } from "./game-runner.js";

// How a game ended, in words.
function endedBy(record) {
  switch (record.status) {
    case 0:
      if (record.ended === "input") return "The input ended (Ctrl-D), so the game is over.";
      if (record.question === "direction") return "The board offers no move: the game is over.";
      return "The game is over.";
    case kExitStatus.SIGINT: return "You ended the game with Ctrl-C.";
    case kExitStatus.SIGQUIT: return "You ended the game with Ctrl-\\.";
    default: return "The game stopped on an error.";
  }
}

// `onQuestion(name)` hears every question a game asks; `focusGame()` puts
// the keys where a player of this screen expects them. Each game's record
// goes into `games`.
export function createSession({ terminal, bridge, answers, notices, focusGame, onQuestion, recording }) {
  const { status, newGame, refused } = notices;
  const games = [];
  let running = false;
  let played = 0;

  function showEnd(record) {
    running = false;
    answers.forget();
    status.textContent = `${endedBy(record)} Press Enter or New game for another.`;
    newGame.hidden = false;
    newGame.focus({ preventScroll: true });
  }

  async function start() {
    if (running) return;
    running = true;
    refused.hidden = true;
    newGame.hidden = true;
    status.textContent = "";
    if (played > 0) {
      terminal.reset(); // the last game's screen, modes and selection go
      terminal.clearSelection();
      focusGame();
    }
    played += 1;
    const game = prepareGame(bridge, onQuestion, recording);
    games.push(game.record);
    await runGame(game, bridge);
    showEnd(game.record);
  }

  newGame.addEventListener("click", start);
  return { start, games, running: () => running };
}
