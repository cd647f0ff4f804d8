// The page: a terminal (xterm.js) with a pseudo-terminal in front of it and
// the game on the other side, a board that hands hold, and buttons and a
// text line that answer too. This file makes each piece and hands it what it
// needs; each lives in page/ with one job (and compile-game.js, beside this
// file, which the page's head runs first):
//   game-constants.js  what the page knows of the game before it runs
//   terminal.js        the terminal: colours, size, the part in view, keys
//   pty.js             the pseudo-terminal, and the bytes each way
//   typed.js           what is typed ahead for the game, and the signals
//   line-bound.js      the longest line a player may type
//   game-runner.js     the game's WebAssembly, one game run, and its news
//   session.js         a game's start and end, and the next one
//   endings.js         how a game ended, in words
//   board-view.js      the board's tiles, as the game drew them
//   gestures.js        touch, pen and mouse on the board
//   gesture-rules.js   what a movement on the board means
//   questions.js       which answers each question takes
//   listeners.js       the listeners of one kind of event
//   answers.js         what a gesture or a button answers, and when
//   announcer.js       what a screen reader says after each answer
//   offline.js         the service worker
//   language.js        the page's language, and its words in their places
//   words.js           the page's words, in English and in Russian
import { compileGame } from "./compile-game.js";
import { createAnnouncer } from "./page/announcer.js";
import { createAnswers } from "./page/answers.js";
import { createBoardView } from "./page/board-view.js";
import { createGameRunner } from "./page/game-runner.js";
import { createLanguage } from "./page/language.js";
import { kBoardSide } from "./page/game-constants.js";
import { attachGestures, quietTouches } from "./page/gestures.js";
import { askForWorker } from "./page/offline.js";
import { createPty } from "./page/pty.js";
import { createSession } from "./page/session.js";
import { createTerminal, fitTerminal, flash, followCursor, silenceLiveRegion, useWebKeys } from "./page/terminal.js";
import { createTyped } from "./page/typed.js";

const byId = (id) => document.getElementById(id);
const screen = byId("screen");
const boardElement = byId("board");
const yesNo = [...document.querySelectorAll("#answers button[data-answer]")]; // Yes first
const directions = [...document.querySelectorAll("#answers button[data-direction]")];

// The tests' one hook: a page opened with window.match3Page = { record:
// true } keeps every game's questions and bytes in it; every page has its
// terminal, its games' records and how many bytes typed wait for the game.
const hook = window.match3Page ?? {};
const language = createLanguage(document);
const { words } = language;

const terminal = createTerminal(byId("terminal"), screen);
useWebKeys(terminal);
terminal.onBell(() => flash(screen));
// The notice that keys were refused stays until the game has read the line
// they were refused from and the next one.
let linesSinceRefused = null;
const refuseKeys = () => {
  byId("refused").hidden = false;
  linesSinceRefused = 0;
  flash(screen);
};

const pty = createPty(terminal, { onRefused: refuseKeys });
const typed = createTyped(pty.slave, { onRefused: refuseKeys });
typed.onLineRead(() => {
  if (linesSinceRefused !== null && ++linesSinceRefused >= 2) {
    byId("refused").hidden = true;
    linesSinceRefused = null;
  }
});
const board = createBoardView(boardElement, words);
const answers = createAnswers({ terminal, gameWaiting: typed.waiting, board, boardElement, yesNo, directions });
board.onPick(answers.pick);
attachGestures(boardElement, {
  tileAt: board.tileAt, pitch: board.pitch, boardShown: board.boardShown, onTap: answers.pick, onSwipe: answers.swipe,
  onRefused: () => flash(boardElement),
});
quietTouches(screen);
const announcer = createAnnouncer(byId("announce"), { gameWaiting: typed.waiting, afterDrawn: pty.afterDrawn, words });
answers.onPicked((tile) => announcer.picked(tile && { ...tile, letter: board.letterAt(tile) }));

const touchFirst = matchMedia("(pointer: coarse)").matches;
const focusGame = () => (touchFirst ? yesNo[0] : terminal.textarea).focus({ preventScroll: true });

const runner = createGameRunner({ compile: compileGame, pty, typed, recording: hook.record === true });
const session = createSession({
  terminal, runner, answers, focusGame, touchFirst, words,
  notices: { status: byId("status"), newGame: byId("new-game"), refused: byId("refused"), board: boardElement,
             controls: byId("controls") },
  failed: (retry) => window.match3Failed("match3.wasm", retry),
});
language.onChange(() => {
  board.relabel();
  session.relabel();
});
typed.onEnterBetweenGames(session.start);
typed.onWaiting(() => {
  answers.typeNext();
  announcer.waiting();
});

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
      silenceLiveRegion(terminal);
      askForWorker(byId("update"), session.newVersionReady);
    });
  });
}

// What the game says, once the terminal shows what it wrote before it.
runner.onNews((news, latest) => {
  if (news.board !== undefined) {
    board.draw(news);
    announcer.scored(news.score);
  } else if (news.question !== undefined) {
    afterFirstBoard();
    answers.asked(news.question, latest);
    if (latest) announcer.asked(news.question);
  }
});

// The text line types its line into the terminal as it stands, then Enter.
byId("line").addEventListener("submit", (event) => {
  event.preventDefault();
  const line = byId("typed");
  if (session.running()) terminal.input(`${line.value}\r`);
  else session.start();
  line.value = "";
});

// The terminal fits its box when the box changes, and the box shows the
// rows where the game waits.
const keepInView = () => followCursor(terminal, screen, kBoardSide);
new ResizeObserver(() => {
  fitTerminal(terminal, screen);
  keepInView();
}).observe(screen);
terminal.onRender(keepInView);

// The controls wait, disabled, for this script: on a page without it
// nothing looks live, and the text line submits nothing.
document.querySelectorAll("#controls :disabled").forEach((control) => { control.disabled = false; });
window.match3Page = Object.assign(hook, { terminal, games: session.games, typedAhead: typed.typedAhead });
answers.forget();
session.start();
