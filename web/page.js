// The page: a terminal (xterm.js) with a pseudo-terminal in front of it and
// the game on the other side, a board that hands hold, and buttons and a
// text line that answer too. This file puts the pieces together; each
// lives in page/ with one job:
//   game-constants.js  what the page shares with the game's C++
//   terminal.js        the terminal: colours, size, the part in view, keys
//   bridge.js          the pseudo-terminal and the bytes each way
//   line-bound.js      the longest line a player may type
//   game-runner.js     the game's WebAssembly, and one game run
//   session.js         a game's start and end, and the next one
//   board-view.js      the board's tiles, drawn from the terminal's screen
//   gestures.js        touch, pen and mouse on the board
//   answers.js         what a gesture or a button answers, and when
//   announcer.js       what a screen reader says after each answer
//   offline.js         the service worker
import { createAnnouncer } from "./page/announcer.js";
import { createAnswers } from "./page/answers.js";
import { createBoardView } from "./page/board-view.js";
import { createBridge } from "./page/bridge.js";
import { kBoardSide } from "./page/game-constants.js";
import { attachGestures, quietTouches } from "./page/gestures.js";
import { askForWorker } from "./page/offline.js";
import { createSession } from "./page/session.js";
import { createTerminal, fitTerminal, flash, followCursor, useWebKeys } from "./page/terminal.js";

const byId = (id) => document.getElementById(id);
const screen = byId("screen");
const boardElement = byId("board");
const yesNo = [...document.querySelectorAll("#answers button[data-answer]")];
const directions = [...document.querySelectorAll("#answers button[data-direction]")];

// The tests' one hook: a page opened with window.match3Page = { record:
// true } keeps every game's questions and bytes in it; every page has its
// terminal, its games' records and how many bytes typed wait for the game.
const hook = window.match3Page ?? {};

const terminal = createTerminal(byId("terminal"), screen);
useWebKeys(terminal);
terminal.onBell(() => flash(screen));
const refuseKeys = () => {
  byId("refused").hidden = false;
  flash(screen);
};

let answers = null;
let session = null;
let announcer = null;
const bridge = createBridge(terminal, {
  onRefused: refuseKeys,
  onEnterBetweenGames: () => session.start(),
  beforeWaiting: () => {
    answers.typeNext();
    announcer.waiting();
  },
});
announcer = createAnnouncer(byId("announce"), terminal, bridge);
const board = createBoardView(boardElement, terminal, (tile) => answers.pick(tile));
answers = createAnswers({ terminal, gameWaiting: bridge.waiting, board, boardElement, yesNo, directions });
attachGestures(boardElement, { tileAt: board.tileAt, pitch: board.pitch, onTap: answers.pick, onSwipe: answers.swipe });
quietTouches(screen);

const touchFirst = matchMedia("(pointer: coarse)").matches;
const focusGame = () => (touchFirst ? yesNo[0] : terminal.textarea).focus({ preventScroll: true });

// At the first question the keys go to the game (unless the player has put
// the focus somewhere already). What the first board need not wait for
// comes once it is drawn: the screen reader's view of the terminal (its
// rows as text, and what the game writes read aloud), which costs as much
// as the terminal's own drawing, and the service worker.
let firstQuestionAsked = false;
function afterFirstBoard() {
  if (firstQuestionAsked) return;
  firstQuestionAsked = true;
  if (document.activeElement === document.body) focusGame();
  const drawn = terminal.onRender(() => {
    drawn.dispose();
    setTimeout(() => {
      terminal.options.screenReaderMode = true;
      announcer.silenceTerminal();
      askForWorker(byId("update"), () => session.newVersionReady());
    });
  });
}

session = createSession({
  terminal, bridge, answers, focusGame, touchFirst, recording: hook.record === true,
  notices: { status: byId("status"), newGame: byId("new-game"), refused: byId("refused"), board: boardElement,
             controls: byId("controls") },
  onQuestion: (question) => {
    afterFirstBoard();
    answers.asked(question);
    announcer.asked(question);
  },
  failed: (retry) => window.match3Failed("the game (match3.wasm)", retry),
});

// The text line types its line into the terminal as it stands, then Enter.
byId("line").addEventListener("submit", (event) => {
  event.preventDefault();
  const typed = byId("typed");
  if (session.running()) terminal.input(`${typed.value}\r`);
  else session.start();
  typed.value = "";
});

// The terminal fits its box when the box changes, and the box shows the
// rows where the game waits.
const keepInView = () => followCursor(terminal, screen, kBoardSide);
new ResizeObserver(() => {
  fitTerminal(terminal, screen);
  keepInView();
}).observe(screen);
terminal.onRender(keepInView);

window.match3Page = Object.assign(hook, { terminal, games: session.games, typedAhead: bridge.typedAhead });
answers.forget();
session.start();
