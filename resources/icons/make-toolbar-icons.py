#!/usr/bin/env python3
"""Draws the icons of the alignment, border and colour drop-down buttons as small PNGs.

Run from anywhere; it writes next to itself. Only the standard library is used, so the
icons can be redrawn on any machine: python3 resources/icons/make-toolbar-icons.py
"""
import os

import pngfile

HERE = os.path.dirname(os.path.abspath(__file__))

CLEAR = (0, 0, 0, 0)
BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)
GREY = (132, 130, 132, 255)


def write_png(name, pixels):
    pngfile.write(os.path.join(HERE, name + ".png"), pixels)


def canvas(width, height, ground=CLEAR):
    return [[ground] * width for _ in range(height)]


def from_art(art, colours):
    assert len(set(len(line) for line in art)) == 1, "ragged icon art"
    return [[colours[ch] for ch in line] for line in art]


# Alignment: a page outline with three strokes, placed by column (left, centre, right) and
# row (top, middle, bottom).
STROKE_ROWS = {"top": (2, 4, 6), "middle": (5, 7, 9), "bottom": (8, 10, 12)}
STROKE_SPANS = {
    "left": [(2, 12), (2, 12), (2, 8)],
    "centre": [(3, 10), (2, 12), (4, 8)],
    "right": [(4, 10), (2, 12), (6, 8)],
}


def align_icon(row, column):
    pixels = canvas(16, 15, WHITE)
    for x in range(16):
        pixels[0][x] = pixels[14][x] = BLACK
    for y in range(15):
        pixels[y][0] = pixels[y][15] = BLACK
    for y, (start, length) in zip(STROKE_ROWS[row], STROKE_SPANS[column]):
        for x in range(start, start + length):
            pixels[y][x] = BLACK
    return pixels


# Borders: a 13 x 13 cell, its frame and middle cross dotted grey, the preset's lines black.
def border_icon(lines):
    pixels = canvas(13, 13)
    for i in range(0, 13, 2):
        for x, y in ((i, 0), (i, 12), (0, i), (12, i), (i, 6), (6, i)):
            pixels[y][x] = GREY

    def put(points):
        for x, y in points:
            pixels[y][x] = BLACK

    edges = {
        "top": [(i, 0) for i in range(13)],
        "bottom": [(i, 12) for i in range(13)],
        "left": [(0, i) for i in range(13)],
        "right": [(12, i) for i in range(13)],
        "rising": [(i, 12 - i) for i in range(13)],
        "falling": [(i, i) for i in range(13)],
        "cross": [(i, 6) for i in range(13)] + [(6, i) for i in range(13)],
        "thick": [(i, 1) for i in range(13)] + [(i, 11) for i in range(13)]
        + [(1, i) for i in range(13)] + [(11, i) for i in range(13)],
    }
    frame = ["top", "bottom", "left", "right"]
    for line in lines:
        for part in frame if line == "frame" else [line]:
            put(edges[part])
    return pixels


BORDERS = [
    ("border-none", []),
    ("border-top", ["top"]),
    ("border-bottom", ["bottom"]),
    ("border-left", ["left"]),
    ("border-right", ["right"]),
    ("border-rising", ["rising"]),
    ("border-falling", ["falling"]),
    ("border-cross", ["cross"]),
    ("border-frame", ["frame"]),
    ("border-thick-frame", ["frame", "thick"]),
    ("border-all", ["frame", "cross"]),
    ("border-thick-all", ["frame", "thick", "cross"]),
]

# Colour buttons: 16 x 16 icons whose two bottom rows stay clear for the colour bar.
COLOUR_KEYS = {
    ".": CLEAR,
    "#": BLACK,
    "w": WHITE,
    "g": (128, 128, 128, 255),
    "s": (192, 192, 192, 255),
    "y": (240, 200, 64, 255),
    "r": (200, 64, 48, 255),
}

FILL_ICON = [
    "................",
    "....##..........",
    "...#..#.........",
    "...#..##........",
    "...#.#ww#.......",
    "...##wwww#......",
    "..#wwwwwww#.....",
    ".#wwwwwwwww#....",
    "#wwwwwwwwwww#g..",
    ".#wwwwwwwww#ggg.",
    "..#wwwwwww#.ggg.",
    "...#wwwww#...g..",
    "....#www#.......",
    ".....###........",
    "................",
    "................",
]

TEXT_ICON = [
    "................",
    ".......##.......",
    ".......##.......",
    "......#..#......",
    "......#..#......",
    ".....#....#.....",
    ".....#....#.....",
    "....########....",
    "....#......#....",
    "...#........#...",
    "...#........#...",
    "..###......###..",
    "................",
    "................",
    "................",
    "................",
]

PEN_ICON = [
    "................",
    "...........##...",
    "..........#ss#..",
    ".........#yy#s#.",
    "........#yy#.#..",
    ".......#yy#.#...",
    "......#yy#.#....",
    ".....#yy#.#.....",
    "....#yy#.#......",
    "...#yy#.#.......",
    "...#rr##........",
    "..#rrr#.........",
    "..###...........",
    "..#.............",
    "................",
    "................",
]

ARROW_ICON = [
    "#####",
    ".###.",
    "..#..",
]


def main():
    for row in ("top", "middle", "bottom"):
        for column in ("left", "centre", "right"):
            write_png("align-%s-%s" % (row, column), align_icon(row, column))
    for name, lines in BORDERS:
        write_png(name, border_icon(lines))
    write_png("color-fill", from_art(FILL_ICON, COLOUR_KEYS))
    write_png("color-text", from_art(TEXT_ICON, COLOUR_KEYS))
    write_png("color-pen", from_art(PEN_ICON, COLOUR_KEYS))
    write_png("drop-arrow", from_art(ARROW_ICON, COLOUR_KEYS))


if __name__ == "__main__":
    main()
