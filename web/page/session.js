// A game from its start to its end, and the next one: what the page says
// when a game ends, and where the keys go.
import { kExitStatus } from "./game-constants.js";
import { prepareGame, runGame } from "./game-runner.js";

const kCoordinates = /^\s*\d+\s+\d+\s*$/;
const kDirections = /^\s*[rldu]\s*$/;

// How a game ended, in words: for an answer the game could not take, which
// answers it takes.
function endedBy({ status, ended, question, lastLine, lastLineAt }) {
  if (status === kExitStatus.SIGINT) return "You ended the game with Ctrl-C.";
  if (status === kExitStatus.SIGQUIT) return "You ended the game with Ctrl-\\.";
  if (status !== 0) return "The game stopped on an error.";
  if (ended === "input") return "The input ended (Ctrl-D), so the game is over.";
  const word = lastLine.trim().split(/\s+/)[0] ?? "";
  const quoted = `“${word.length > 12 ? `${word.slice(0, 12)}…` : word}”`;
  if (lastLineAt === "start" || lastLineAt === "play") {
    return /^[nN]$/.test(word) ? "The game is over." : `The game takes y or n here, so ${quoted} ended it.`;
  }
  if (!kCoordinates.test(lastLine) && !kDirections.test(lastLine)) {
    return `The game takes a row and a column, as 3 4, so ${quoted} ended it.`;
  }
  return question === "direction" ? "The board offers no move: the game is over." : "The game is over.";
}

const second = () => Math.floor(Date.now() / 1000);

// `onQuestion(name)` hears every question a game asks; `focusGame()` puts
// the keys where a player of this screen expects them; `failed(retry)` is
// told that the game could not be downloaded. Each game's record goes into
// `games`.
export function createSession({ terminal, bridge, answers, notices, focusGame, onQuestion, failed, recording, touchFirst }) {
  const { status, newGame, refused, board, controls } = notices;
  const games = [];
  let running = false;
  let played = 0;
  let startedIn = null; // the second the last game began in: its seed
  let newVersion = false;

  function showEnd(record) {
    running = false;
    answers.forget();
    const next = touchFirst ? "Tap New game for another." : "Press Enter or New game for another.";
    status.textContent = `${endedBy(record)} ${next}`;
    controls.classList.add("ended");
    newGame.hidden = false;
    newGame.focus({ preventScroll: true });
  }

  async function start() {
    if (running) return;
    if (newVersion) {
      location.reload(); // the new version, between games
      return;
    }
    running = true;
    refused.hidden = true;
    status.textContent = "";
    // The game's board comes from the second it begins in: a new game in the
    // same second would deal the same board again, so it waits for the next.
    if (second() === startedIn) {
      board.classList.add("dealing");
      status.textContent = "A new board is coming…";
      await new Promise((resolve) => setTimeout(resolve, 1000 - (Date.now() % 1000)));
      board.classList.remove("dealing");
      status.textContent = "";
    }
    newGame.hidden = true;
    controls.classList.remove("ended");
    if (played > 0) {
      terminal.reset(); // the last game's screen, modes and selection go
      terminal.clearSelection();
      focusGame();
    }
    played += 1;
    startedIn = second();
    const game = prepareGame(bridge, {
      onQuestion, recording,
      failed: () => {
        running = false;
        failed(start);
      },
    });
    games.push(game.record);
    await runGame(game, bridge);
    showEnd(game.record);
  }

  newGame.addEventListener("click", start);
  return {
    start, games, running: () => running,
    // A new version is ready: it starts with the next game.
    newVersionReady: () => { newVersion = true; },
  };
}
