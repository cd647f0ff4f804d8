// A game from its start to its end, and the next one: what the page says
// when a game ends, and where the keys go.
import { endNotice } from "./endings.js";

const second = () => Math.floor(Date.now() / 1000);

// Games of `runner`, one after another. `focusGame()` puts the keys where a
// player of this screen expects them; `failed(retry)` is told that the game
// could not be downloaded. Each game's record goes into `games`.
export function createSession({ terminal, runner, answers, notices, focusGame, failed, touchFirst }) {
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
    status.textContent = `${endNotice(record.ending, record.status)} ${next}`;
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
    try {
      await runner.ready();
    } catch {
      running = false;
      failed(start);
      return;
    }
    played += 1;
    startedIn = second();
    const { record, finished } = runner.play();
    games.push(record);
    await finished;
    showEnd(record);
  }

  newGame.addEventListener("click", start);
  return {
    start, games, running: () => running,
    // A new version is ready: it starts with the next game.
    newVersionReady: () => { newVersion = true; },
  };
}
