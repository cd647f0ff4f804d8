// A game from its start to its end, and the next one: what the page says
// when a game ends, and where the keys go.
import { endNotice } from "./endings.js";

const second = () => Math.floor(Date.now() / 1000);

// Games of `runner`, one after another. `focusGame()` puts the keys where a
// player of this screen expects them; `failed(retry)` is told that the game
// could not be downloaded; `words()` gives the page's words. Each game's
// record goes into `games`.
export function createSession({ terminal, runner, answers, notices, focusGame, failed, touchFirst, words }) {
  const { status, newGame, refused, board, controls } = notices;
  const games = [];
  let running = false;
  let newVersion = false;
  let said = null; // what the status says: a record's end, "dealing", or nothing

  function say(what) {
    said = what;
    const next = touchFirst ? words().nextByTouch : words().nextByKeys;
    if (what === null) status.textContent = "";
    else if (what === "dealing") status.textContent = words().dealing;
    else status.textContent = `${endNotice(what.ending, what.status, words())} ${next}`;
  }

  function showEnd(record) {
    running = false;
    answers.forget();
    say(record);
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
    say(null);
    // The game's board comes from the second it reads its clock in: a new
    // game in the last one's second would deal the same board again, so it
    // waits for the next.
    const lastSeed = games.at(-1)?.seed; // the second the last game read
    if (lastSeed != null && second() <= lastSeed) {
      board.classList.add("dealing");
      say("dealing");
      await new Promise((resolve) => setTimeout(resolve, 1000 - (Date.now() % 1000)));
      board.classList.remove("dealing");
      say(null);
    }
    newGame.hidden = true;
    controls.classList.remove("ended");
    if (games.length > 0) {
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
    const { record, finished } = runner.play();
    games.push(record);
    await finished;
    showEnd(record);
  }

  newGame.addEventListener("click", start);
  return {
    start, games, running: () => running,
    // The status said anew, in the page's language now.
    relabel: () => say(said),
    // A new version is ready: it starts with the next game.
    newVersionReady: () => { newVersion = true; },
  };
}
