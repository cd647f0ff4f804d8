#!/usr/bin/env python3
"""Turns a terminal capture with ANSI colours (tmux capture-pane -e) into an
SVG picture of the screen: white on black, with the 16 standard colours."""

import html
import re
import sys

CELL_WIDTH = 9.6
CELL_HEIGHT = 19
PADDING = 12
PALETTE = {
    30: "#000000", 31: "#cd0000", 32: "#00cd00", 33: "#cdcd00",
    34: "#0000ee", 35: "#cd00cd", 36: "#00cdcd", 37: "#e5e5e5",
    90: "#7f7f7f", 91: "#ff0000", 92: "#00ff00", 93: "#ffff00",
    94: "#5c5cff", 95: "#ff00ff", 96: "#00ffff", 97: "#ffffff",
}
DEFAULT = "#d0d0d0"
SGR = re.compile(r"\x1b\[([0-9;]*)m")


def runs_of(line, colour):
    """Yields (colour, text) pieces of one captured line, starting in the
    colour the line before left in force."""
    position = 0
    for match in SGR.finditer(line):
        if match.start() > position:
            yield colour, line[position:match.start()]
        for code in (int(part) for part in match.group(1).split(";") if part):
            if code in PALETTE:
                colour = PALETTE[code]
            elif code in (0, 39):
                colour = DEFAULT
        position = match.end()
    yield colour, line[position:]


def main():
    lines = sys.stdin.read().rstrip("\n").split("\n")
    columns = max(len(SGR.sub("", line)) for line in lines)
    width = columns * CELL_WIDTH + 2 * PADDING
    height = len(lines) * CELL_HEIGHT + 2 * PADDING
    out = [
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width:.0f}" height="{height:.0f}" '
        f'font-family="DejaVu Sans Mono, Menlo, Consolas, monospace" font-size="16">',
        f'<rect width="100%" height="100%" fill="#000000" rx="6"/>',
    ]
    colour = DEFAULT
    for row, line in enumerate(lines):
        column = 0
        y = PADDING + (row + 1) * CELL_HEIGHT - 5
        for colour, text in runs_of(line, colour):
            if text.strip():
                x = PADDING + column * CELL_WIDTH
                out.append(
                    f'<text x="{x:.1f}" y="{y}" fill="{colour}" xml:space="preserve" '
                    f'textLength="{len(text) * CELL_WIDTH:.1f}">{html.escape(text)}</text>')
            column += len(text)
    out.append("</svg>")
    print("\n".join(out))


if __name__ == "__main__":
    main()
