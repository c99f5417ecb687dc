#!/usr/bin/env python3
"""Draws the icons of the font-style strip and the command strip as 16 x 16 PNGs.

Each icon is built from small pixel pictures (one letter per pixel, see COLOURS) and a few
shapes. Only the standard library is used; it writes next to itself:
python3 resources/icons/make-strip-icons.py
"""
import os

import pngfile

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE = 16

COLOURS = {
    ".": (0, 0, 0, 0),
    "k": (0, 0, 0, 255),
    "w": (255, 255, 255, 255),
    "g": (192, 192, 192, 255),
    "d": (128, 128, 128, 255),
    "y": (255, 255, 0, 255),
    "o": (128, 128, 0, 255),
    "b": (0, 0, 255, 255),
    "n": (0, 0, 128, 255),
    "r": (255, 0, 0, 255),
    "m": (128, 0, 0, 255),
    "G": (0, 128, 0, 255),
    "c": (0, 255, 255, 255),
    "t": (0, 128, 128, 255),
    "s": (255, 204, 153, 255),
    "B": (140, 90, 40, 255),
}


def write_png(name, pixels):
    pngfile.write(os.path.join(HERE, name + ".png"), [[COLOURS[ch] for ch in row] for row in pixels])


class Icon:
    def __init__(self):
        self.px = [["."] * SIZE for _ in range(SIZE)]

    def put(self, x, y, ch):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = ch

    def art(self, lines, dx=0, dy=0):
        """Lays a pixel picture over the icon; '.' leaves what is below."""
        for y, line in enumerate(lines):
            for x, ch in enumerate(line):
                if ch != ".":
                    self.put(x + dx, y + dy, ch)
        return self

    def box(self, x, y, w, h, border, fill=None):
        for i in range(x, x + w):
            for j in range(y, y + h):
                edge = i in (x, x + w - 1) or j in (y, y + h - 1)
                if edge:
                    self.put(i, j, border)
                elif fill:
                    self.put(i, j, fill)
        return self

    def page(self, x, y, w, h, border="k", lines=True):
        self.box(x, y, w, h, border, "w")
        if lines:
            for j in range(y + 2, y + h - 2, 2):
                for i in range(x + 2, x + w - 2):
                    self.put(i, j, "d")
        return self

    def grid(self, x, y, cols, rows, cw, rh, border="k", fill="w"):
        self.box(x, y, cols * cw + 1, rows * rh + 1, border, fill)
        for c in range(1, cols):
            for j in range(y, y + rows * rh + 1):
                self.put(x + c * cw, j, border)
        for r in range(1, rows):
            for i in range(x, x + cols * cw + 1):
                self.put(i, y + r * rh, border)
        return self

    def rows(self):
        assert all(len(row) == SIZE for row in self.px)
        return ["".join(row) for row in self.px]


def letter(lines):
    return Icon().art(lines, 0, 0)


ICONS = {}

ICONS["bold"] = letter([
    "................",
    "................",
    "................",
    "..kkkkkkkk......",
    "...kkk...kkk....",
    "...kkk...kkk....",
    "...kkk...kkk....",
    "...kkkkkkkk.....",
    "...kkk...kkk....",
    "...kkk....kkk...",
    "...kkk....kkk...",
    "...kkk...kkk....",
    "..kkkkkkkkk.....",
])

ICONS["italic"] = letter([
    "................",
    "................",
    "................",
    ".......kkkkk....",
    ".........kk.....",
    "........kk......",
    "........kk......",
    ".......kk.......",
    ".......kk.......",
    "......kk........",
    "......kk........",
    ".....kk.........",
    "....kkkkk.......",
])

ICONS["underline"] = letter([
    "................",
    "................",
    "...kkk...kkk....",
    "....k.....k.....",
    "....k.....k.....",
    "....k.....k.....",
    "....k.....k.....",
    "....k.....k.....",
    "....k.....k.....",
    ".....k...k......",
    "......kkk.......",
    "................",
    "..kkkkkkkkkk....",
])

# The folded corner leaves the page's top-right corner open.
ICONS["new"] = Icon().art([
    "................",
    "...kkkkkkk......",
    "...kwwwwwkk.....",
    "...kwwwwwkwk....",
    "...kwwwwwkkkk...",
    "...kwwwwwwwwk...",
    "...kwwwwwwwwk...",
    "...kwwwwwwwwk...",
    "...kwwwwwwwwk...",
    "...kwwwwwwwwk...",
    "...kwwwwwwwwk...",
    "...kwwwwwwwwk...",
    "...kwwwwwwwwk...",
    "...kwwwwwwwwk...",
    "...kkkkkkkkkk...",
])

ICONS["open"] = Icon().art([
    "................",
    "..........kkk...",
    ".........k...k.k",
    "..............kk",
    ".kkk.........kkk",
    "kyyykkkkkkk.....",
    "kywyyyyyyyk.....",
    "kwyykkkkkkkkk...",
    "kyykoooooooook..",
    "kywkoooooooook..",
    "kykoooooooook...",
    "kykoooooooook...",
    "kkoooooooook....",
    "kkkkkkkkkkk.....",
])

ICONS["save"] = Icon().art([
    "................",
    ".kkkkkkkkkkkkkk.",
    ".knnkwwwwwwkknk.",
    ".knnkwwwwwwkknk.",
    ".knnkwddddwkknk.",
    ".knnkwwwwwwkknk.",
    ".knnnkkkkkknnnk.",
    ".knnnnnnnnnnnnk.",
    ".knnkkkkkkkknnk.",
    ".knnkggggggknnk.",
    ".knnkggkkggknnk.",
    ".knnkggkkggknnk.",
    ".knnkggggggknnk.",
    ".kkkkkkkkkkkkkk.",
])

ICONS["print"] = Icon().art([
    "................",
    "....kkkkkkkk....",
    "....kwwwwwwk....",
    "....kwddddwk....",
    "....kwwwwwwk....",
    "..kkkkkkkkkkkk..",
    ".kggggggggggggk.",
    ".kggggggggggggk.",
    ".kgggggggggGygk.",
    ".kddddddddddddk.",
    ".kggggggggggggk.",
    ".kkkwwwwwwwwkkk.",
    "...kwddddddwk...",
    "...kwwwwwwwwk...",
    "...kkkkkkkkkk...",
])

ICONS["print-preview"] = Icon().page(1, 0, 10, 14).art([
    "..kkkk..",
    ".kcwwck.",
    "kcwwwwck",
    "kwwwwwwk",
    "kwwwwwwk",
    "kcwwwwck",
    ".kcwwck.",
    "..kkkkkk",
    ".......kk",
    "........kk",
], 5, 4).rows()

ICONS["cut"] = Icon().art([
    "................",
    "....k.....k.....",
    "....k.....k.....",
    "....kk...kk.....",
    ".....k...k......",
    ".....kk.kk......",
    "......kkk.......",
    ".......k........",
    "......nkn.......",
    "....nnn.nnn.....",
    "...n..n.n..n....",
    "...n..n.n..n....",
    "...n..n.n..n....",
    "....nn...nn.....",
])

ICONS["copy"] = Icon().page(1, 1, 8, 10).page(6, 5, 9, 11, border="n").rows()

ICONS["paste"] = Icon().box(1, 2, 11, 13, "k", "B").art([
    "..kkkk..",
    ".kggggk.",
    "kkkkkkkk",
], 2, 0).page(7, 6, 8, 10, border="n").rows()


def arrow_down(icon, x, y, colour="b"):
    """A small arrow whose tip is at (x, y + 4)."""
    icon.art([
        ".{0}.".format(colour),
        ".{0}.".format(colour),
        "{0}{0}{0}".format(colour),
        ".{0}.".format(colour),
    ], x - 1, y)
    for i in range(-2, 3):
        icon.put(x + i, y + 2, colour)
    icon.put(x - 1, y + 3, colour)
    icon.put(x + 1, y + 3, colour)
    return icon


def merge_icon():
    icon = Icon().grid(1, 0, 3, 1, 4, 4)
    arrow_down(icon, 7, 6)
    icon.box(1, 11, 13, 5, "k", "c")
    return icon.rows()


def unmerge_icon():
    icon = Icon().box(1, 0, 13, 5, "k", "c")
    arrow_down(icon, 7, 6)
    icon.grid(1, 11, 3, 1, 4, 4)
    return icon.rows()


ICONS["merge"] = merge_icon()
ICONS["unmerge"] = unmerge_icon()


def row_bars(icon, width):
    icon.box(0, 1, width, 4, "k", "g")
    icon.box(0, 11, width, 4, "k", "g")
    return icon


ICONS["insert-row"] = row_bars(Icon(), 9).box(10, 6, 6, 4, "k", "b").art([
    "...k",
    "..kk",
    ".kkkkkk",
    "kkkkkkk",
    ".kkkkkk",
    "..kk",
    "...k",
], 2, 5).rows()

ICONS["delete-row"] = row_bars(Icon(), 11).box(0, 6, 14, 4, "k", "r").art([
    "k",
    "kk",
    "kkk",
    "kk",
    "k",
], 13, 6).rows()


def column_bars(icon, height):
    icon.box(1, 0, 4, height, "k", "g")
    icon.box(11, 0, 4, height, "k", "g")
    return icon


ICONS["insert-column"] = column_bars(Icon(), 9).box(6, 10, 4, 6, "k", "b").art([
    "...k...",
    "..kkk..",
    ".kkkkk.",
    "kkkkkkk",
    "..kkk..",
    "..kkk..",
], 4, 2).rows()

ICONS["delete-column"] = column_bars(Icon(), 11).box(6, 0, 4, 14, "k", "r").art([
    "kkkkk",
    ".kkk.",
    "..k..",
], 5, 13).rows()

ICONS["beautify"] = Icon().box(0, 1, 16, 14, "k", "c").art([
    "..........yy..",
    ".........yyyy.",
    ".........yyyy.",
    "..........yy..",
    "..............",
    "....GG........",
    "...GGGG.....GG",
    "..GGGGGG...GGG",
    ".GGGGGGGG.GGGG",
    "GGGGGGGGGGGGGG",
    "GGGGGGGGGGGGGG",
    "GGGGGGGGGGGGGG",
], 1, 2).rows()

ICONS["settings"] = Icon().page(5, 0, 10, 12).art([
    "..ss.....",
    ".sssss...",
    "sssssss..",
    "ssssskkk.",
    "ssss.....",
    "sss......",
    "ss.......",
], 0, 7).art([
    "....ssss",
    "...sssss",
    "ssssssss",
    "sssssss.",
], 2, 7).rows()

ICONS["about"] = Icon().art([
    "................",
    "...kkkkkkkkkk...",
    "..kwwwwwwwwwwk..",
    ".kwwwwnnnnwwwwk.",
    ".kwwwnnwwnnwwwk.",
    ".kwwwwwwwnnwwwk.",
    ".kwwwwwwnnwwwwk.",
    ".kwwwwwnnwwwwwk.",
    ".kwwwwwnnwwwwwk.",
    ".kwwwwwwwwwwwwk.",
    "..kwwwwnnwwwwk..",
    "...kkwwkkkkkk...",
    ".....kwk........",
    "......kk........",
    ".......k........",
])


def main():
    for name, icon in ICONS.items():
        rows = icon.rows() if isinstance(icon, Icon) else icon
        rows = rows + ["." * SIZE] * (SIZE - len(rows))
        assert len(rows) == SIZE and all(len(r) == SIZE for r in rows), name
        write_png(name, rows)


if __name__ == "__main__":
    main()
