#!/usr/bin/env python3
"""What a Windows player sees: the Windows program under wine, on a
pseudo-terminal, read back through a small terminal emulator.

Wine's console, on a terminal, keeps the console's screen buffer and draws
its changes with ANSI sequences. Found by experiment (wine 8), the console
attributes come out as:
  - attribute 2 (green on black)          -> CSI 32 m
  - attribute 15 (bright white on black)  -> CSI 97 m
  - attribute 7 (the console's default)   -> CSI m
  - a colour is sent only when it changes; a black background is never sent
  - a hidden or shown cursor              -> CSI ?25l, CSI ?25h
  - "cls" blanks the buffer: CSI H, then the cleared lines are drawn anew
  - the terminal is put in raw mode only while the console reads keys
  - each line of the 50-column buffer ends in CR LF; longer text wraps
So a character's colour is the last foreground sent before it, and the
screen is what the emulator below makes of the stream.

  console_effects.py PROGRAM.exe
"""
import os
import pty
import re
import select
import sys
import termios
import time

# The clock fixed, so that the board never runs out of moves in the turn played.
FIXED_CLOCK = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "at-fixed-clock")
WAIT_SECONDS = 90  # wine's first start in a fresh prefix is slow

# Console attribute of each ANSI foreground; None is the console's default.
ANSI_TO_ATTRIBUTE = {30 + i: ((i & 1) << 2) | (i & 2) | ((i & 4) >> 2) for i in range(8)}
ANSI_TO_ATTRIBUTE.update({90 + i: 8 | ANSI_TO_ATTRIBUTE[30 + i] for i in range(8)})
GREEN, BRIGHT_WHITE = 2, 15

QUESTION_END = "(ввод на английском)"
START = "Do you want to start?  (Y/N) //  хотите начать играть? (да, нет ) " + QUESTION_END
PLAY = " enter y/n if you want to play ( введите да или нет чтобы играть) " + QUESTION_END
COORDINATES = (" enter cordination of object X, Y , remember on that pirch it start from  (1.1)"
               "  ( то есть после вводе помните что ваши корд  X и Y  будут X-1 и  Y-1 )")
DIRECTION = ("enter letter 'r' , 'l' , 'd' , 'u' (введите r-право , u-вверх , d-вниз  , "
             "l-налево) " + QUESTION_END)
FAREWELL = " Thanks for playing ( Спасибо за игру )"
SCORE = " ( ваши очки ) your score: "
WAIT = "Press any key to close the window (нажмите любую клавишу, чтобы закрыть окно)"
BOARD_ROW = re.compile(r"^([A-I] ){9}[A-I]$")  # as the screen shows it, without its last space


class Terminal:
    """Enough of a terminal for wine's console: text, CR, LF, cursor
    position, erasing, colours and the cursor's visibility. Every character
    written is also logged with its foreground."""

    def __init__(self, rows=60, columns=100):
        self.rows, self.columns = rows, columns
        self.screen = [[" "] * columns for _ in range(rows)]
        self.row = self.column = 0
        self.foreground = None
        self.cursor_visible = True
        self.log = []  # (character, foreground)
        self.pending = b""

    def feed(self, data):
        text = (self.pending + data).decode("utf-8", errors="surrogateescape")
        self.pending = b""
        index = 0
        while index < len(text):
            char = text[index]
            if char == "\x1b":
                match = re.compile(r"\x1b\[([?0-9;]*)([@-~])").match(text, index)
                if not match:
                    if len(text) - index < 16:  # a sequence cut in two: wait for the rest
                        self.pending = text[index:].encode("utf-8", errors="surrogateescape")
                        return
                    index += 1
                    continue
                self.control(match.group(1), match.group(2))
                index = match.end()
                continue
            self.put(char)
            index += 1

    def control(self, parameters, final):
        numbers = [int(p) if p.isdigit() else 0 for p in parameters.lstrip("?").split(";")]
        if final == "m":
            for code in numbers:
                if code in (0, 39):
                    self.foreground = None
                elif code in ANSI_TO_ATTRIBUTE:
                    self.foreground = ANSI_TO_ATTRIBUTE[code]
        elif final == "H":
            self.row = max(numbers[0], 1) - 1
            self.column = (max(numbers[1], 1) - 1) if len(numbers) > 1 else 0
        elif final == "K":
            for column in range(self.column, self.columns):
                self.screen[self.row][column] = " "
        elif final == "J" and numbers[0] == 2:
            self.screen = [[" "] * self.columns for _ in range(self.rows)]
        elif parameters == "?25" and final in "hl":
            self.cursor_visible = final == "h"

    def put(self, char):
        self.log.append((char, self.foreground))
        if char == "\r":
            self.column = 0
        elif char == "\n":
            self.row += 1
            if self.row == self.rows:
                self.screen = self.screen[1:] + [[" "] * self.columns]
                self.row -= 1
        elif char >= " ":
            if self.column < self.columns:
                self.screen[self.row][self.column] = char
            self.column += 1

    def text(self):
        """What was written, without the line breaks the console's width adds."""
        return "".join(char for char, _ in self.log if char not in "\r\n")

    def lines(self):
        return ["".join(line).rstrip() for line in self.screen]


class Game:
    def __init__(self, *command):
        self.child, self.master = pty.fork()
        if self.child == 0:
            os.environ.update({"TERM": "xterm", "LANG": "C.UTF-8", "WINEDEBUG": "-all"})
            os.execvp(command[0], command)
        self.terminal = Terminal()
        self.status = None

    def read(self, deadline):
        ready, _, _ = select.select([self.master], [], [], max(0.0, min(0.2, deadline - time.time())))
        if not ready:
            return True
        try:
            data = os.read(self.master, 65536)
        except OSError:
            data = b""
        if not data:
            return False
        self.terminal.feed(data)
        return True

    def reading(self):
        """Whether the console is reading keys: wine puts the terminal in raw
        mode then. Keys typed before it would meet the terminal's own line
        editing, which turns Enter into a line feed the console ignores."""
        return not termios.tcgetattr(self.master)[3] & termios.ICANON

    def wait_for(self, text, after=0, keys_next=True):
        """Reads until `text` has been written since position `after` of the
        text and, when keys are to be typed next, the console reads keys;
        returns the position just past it."""
        deadline = time.time() + WAIT_SECONDS
        while time.time() < deadline:
            found = self.terminal.text().find(text, after)
            if found >= 0 and (not keys_next or self.reading()):
                return found + len(text)
            if not self.read(deadline):
                break
        sys.exit(f"console effects: waited in vain for {text!r}; the screen:\n"
                 + "\n".join(self.terminal.lines()))

    def type(self, keys):
        os.write(self.master, keys.encode())

    def finish(self):
        deadline = time.time() + WAIT_SECONDS
        while time.time() < deadline and self.read(deadline):
            pass
        _, status = os.waitpid(self.child, 0)
        os.close(self.master)
        return status


failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def colours_of(terminal, text, start=0):
    """The foregrounds of the characters of `text` where it is first written
    from position `start` of the text on."""
    log = [(char, colour) for char, colour in terminal.log if char not in "\r\n"]
    found = "".join(char for char, _ in log).find(text, start)
    return [] if found < 0 else [colour for _, colour in log[found:found + len(text)]]


def tile_colours(terminal, start, count=100):
    """The foregrounds of the next `count` tiles written from position `start`."""
    log = [(char, colour) for char, colour in terminal.log if char not in "\r\n"]
    tiles = [(index, colour) for index, (char, colour) in enumerate(log)
             if index >= start and "A" <= char <= "I"]
    return tiles[:count], log


def played_game(program):
    """A turn that moves nothing at row 1, column 1 ('u'), then 'n': the
    effects of every drawing, and the console after the game."""
    before = "echo the shell's lines before the game, longer than a board row"
    game = Game(FIXED_CLOCK, "wine", "cmd", "/c", f"{before} & {before} & {program} & echo after the game")
    terminal = game.terminal
    asked = game.wait_for(START)
    check(not terminal.cursor_visible, "the cursor is shown while the game waits")
    # The screen held text before the game; the first board stands alone on
    # its top rows.
    lines = terminal.lines()
    check(all(BOARD_ROW.match(line) for line in lines[:10]) and lines[11] == SCORE + "0"
          and not any("before the game" in line for line in lines),
          "the first board is not on the top rows of a cleared screen:\n" + "\n".join(lines[:14]))
    first_board, _ = tile_colours(terminal, 0)
    check(len(first_board) == 100 and all(c == GREEN for _, c in first_board),
          f"first board not all green: {set(c for _, c in first_board)}")
    for text in (SCORE + "0", START):
        check(set(colours_of(terminal, text)) == {BRIGHT_WHITE}, f"not bright white: {text!r}")
    game.type("y\r")
    played = game.wait_for(PLAY, asked)
    game.type("y\r")
    game.wait_for(COORDINATES, played)
    game.type("1 1\r")
    directed = game.wait_for(DIRECTION, played)
    game.type("u\r")
    moved = game.wait_for(SCORE, directed)
    # The drawing after the move: the tile at row 1, column 1 and its space
    # bright white, every other tile green.
    tiles, log = tile_colours(terminal, directed + 1)
    highlighted = [index for index, colour in tiles if colour == BRIGHT_WHITE]
    check(len(tiles) == 100 and [c for _, c in tiles[1:]] == [GREEN] * 99
          and len(highlighted) == 1 and highlighted[0] == tiles[0][0],
          "the drawing after the move does not highlight exactly its first tile")
    if tiles:
        check(log[tiles[0][0] + 1] == (" ", BRIGHT_WHITE), "the highlighted tile's space is not bright white")
    next_play = game.wait_for(PLAY, moved)
    # "cls" before the board drawn after the clearing: it stands at the top,
    # and nothing of the first screen is left.
    lines = terminal.lines()
    check(all(BOARD_ROW.match(line) for line in lines[:10]) and lines[11].startswith(SCORE),
          "the board after the clearing is not at the top of a cleared screen:\n" + "\n".join(lines[:14]))
    check(not any("Do you want to start" in line for line in lines), "the screen was not cleared")
    check(set(colours_of(terminal, PLAY, moved)) == {BRIGHT_WHITE}, "the play question is not bright white")
    game.type("n\r")
    # cmd no longer reads keys once the game is over.
    game.wait_for("after the game", next_play, keys_next=False)
    status = game.finish()
    check(status == 0, f"cmd ended with status {status}")
    for text in (START, PLAY, COORDINATES, DIRECTION, FAREWELL):
        check(text in terminal.text(), f"not shown as written: {text!r}")
    check(set(colours_of(terminal, "after the game", next_play)) == {None},
          "the text after the game is not in the console's own colours")
    check(terminal.cursor_visible, "the cursor stays hidden after the game")


def interrupted_game(program):
    """Ctrl-C at the start question: the cursor shown again. (Wine draws a
    colour only with the text after it, and Ctrl-C ends the console's
    session with nothing after it, so the colours cannot be seen here.)"""
    game = Game("wine", program)
    game.wait_for(START)
    game.type("\x03")
    game.finish()
    check(game.terminal.cursor_visible, "Ctrl-C leaves the cursor hidden")


def game_alone_in_its_console(program):
    """Started alone in its console, as by a double click: after the
    farewell the window waits for a key, then the game ends as before. (In a
    shell's console, as in played_game, it does not wait.)"""
    game = Game(FIXED_CLOCK, "wine", program)
    game.wait_for(START)
    game.type("n\r")
    game.wait_for(WAIT)
    check(FAREWELL in game.terminal.text(), "no farewell before the wait")
    time.sleep(1)  # the key must come after the game has cleared what was typed ahead
    check(os.waitpid(game.child, os.WNOHANG) == (0, 0), "the window did not wait for a key")
    game.type("x")
    status = game.finish()
    check(status == 0, f"the game alone in its console ended with status {status}")


def main():
    program = sys.argv[1]
    played_game(program)
    interrupted_game(program)
    game_alone_in_its_console(program)
    for failure in failures:
        print("console effects:", failure)
    if failures:
        sys.exit(1)
    print("console effects: the first board on a cleared screen, green tiles, one bright white highlight, bright white text, "
          "readable Cyrillic, cls before the board, the console's colours and cursor after "
          "the game, the cursor after Ctrl-C, the wait for a key in a console of its own")


main()
