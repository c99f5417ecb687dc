#!/usr/bin/env python3
# Writes the two factory ticket templates, copzkz2.cel (标准型, two tickets to an A4 landscape
# page) and copzkz3.cel (经济型, three), in the grid file format. Run it from this folder after
# changing a template's look; its output is committed beside it.
#
# Cell map the ticket builders write to (rows 1..11, columns 1..15 make one ticket):
#   labels in columns 3 (stub) and 10 (ticket), rows 4..9; values in columns 4 and 11
#   capital numerals of the exam number in column 8, rows 4..7
#   photo boxes (3..8, 6) and (3..8, 13); the cut line in row 11, column 1
import json

LEFT, RIGHT, TOP, BOTTOM = 0, 1, 2, 3
THIN, THICK = 1, 2
LABELS = ["姓名", "考号", "座位号", "考场", "性别", "学校"]


class Template:
    def __init__(self, rows, cols):
        self.rows, self.cols = rows, cols
        self.heights = [20] * rows
        self.widths = [72] * cols
        self.texts = {}
        self.styles = {}  # (row, col) -> dict
        self.types = {}
        self.merges = []

    def style(self, r, c):
        return self.styles.setdefault((r, c), {})

    def look(self, r1, c1, r2, c2, **look):
        for r in range(r1, r2 + 1):
            for c in range(c1, c2 + 1):
                self.style(r, c).update(look)

    def line(self, r, c, side, kind):
        if 0 <= r < self.rows and 0 <= c < self.cols:
            self.style(r, c).setdefault("borders", [0] * 6)[side] = kind

    # Both cells along an edge carry the line, as the grid itself sets borders.
    def frame(self, r1, c1, r2, c2, kind=THIN, inside=False):
        for r in range(r1, r2 + 1):
            for c in [c1] + (list(range(c1 + 1, c2 + 1)) if inside else []):
                self.line(r, c - 1, RIGHT, kind if c == c1 else THIN)
                self.line(r, c, LEFT, kind if c == c1 else THIN)
            self.line(r, c2, RIGHT, kind)
            self.line(r, c2 + 1, LEFT, kind)
        for c in range(c1, c2 + 1):
            for r in [r1] + (list(range(r1 + 1, r2 + 1)) if inside else []):
                self.line(r - 1, c, BOTTOM, kind if r == r1 else THIN)
                self.line(r, c, TOP, kind if r == r1 else THIN)
            self.line(r2, c, BOTTOM, kind)
            self.line(r2 + 1, c, TOP, kind)

    def merge(self, r1, c1, r2, c2, text=None, **look):
        self.merges.append([r1, c1, r2, c2])
        if text is not None:
            self.texts[(r1, c1)] = text
        if look:
            self.look(r1, c1, r2, c2, **look)

    def json(self):
        styles = [{}]
        numbers = {}
        cells = []
        for r in range(self.rows):
            for c in range(self.cols):
                cell = {}
                if (r, c) in self.texts:
                    cell["text"] = self.texts[(r, c)]
                look = self.styles.get((r, c))
                if look:
                    key = json.dumps(look, sort_keys=True, ensure_ascii=False)
                    if key not in numbers:
                        numbers[key] = len(styles)
                        styles.append(look)
                    cell["style"] = numbers[key]
                if (r, c) in self.types:
                    cell["type"] = self.types[(r, c)]
                if cell:
                    cells.append({"row": r, "col": c, **cell})
        return {
            "format": "kaowu-grid", "version": 1, "rows": self.rows, "cols": self.cols,
            "defaultFont": {"name": "宋体", "size": 10}, "displayRowIndex": False,
            "pageSetup": {"Orientation": 2, "LeftMargin": 1, "RightMargin": 1, "TopMargin": 1,
                          "BottomMargin": 0.3, "HeaderMargin": 0, "FooterMargin": 0},
            "rowHeights": self.heights,
            "columns": [{"width": w} for w in self.widths],
            "styles": styles, "merges": self.merges, "cells": cells,
        }


def ticket(heights, widths, sizes):
    t = Template(12, 16)
    t.heights = heights
    t.widths = widths
    title, subtitle, label, value, number, note = sizes
    centred = 10
    # Titles.
    t.merge(1, 1, 1, 7, "准考证存根", font="黑体", size=title - 4, bold=True, alignment=centred)
    t.merge(2, 1, 2, 7, "（学校留存）", size=subtitle, alignment=centred)
    t.merge(1, 9, 1, 15, "准  考  证", font="黑体", size=title, bold=True, alignment=centred)
    t.merge(2, 9, 2, 15, "2026—2027学年度第一学期期末考试", size=subtitle, alignment=centred)
    # Labels and values, the stub on the left, the ticket on the right.
    for labelCol, valueCol in ((3, 4), (10, 11)):
        for i, text in enumerate(LABELS):
            t.texts[(4 + i, labelCol)] = text
        t.look(4, labelCol, 9, labelCol, size=label, alignment=centred)
        t.look(4, valueCol, 9, valueCol, size=value, alignment=6)
        t.look(5, valueCol, 5, valueCol, font="黑体", size=value + 1, bold=True, alignment=6)
        t.frame(4, labelCol, 9, valueCol, THICK, inside=True)
    # The ticket's value cells show the column each one prints until a job fills them.
    for i, text in enumerate(LABELS):
        t.texts[(4 + i, 11)] = text
        t.types[(4 + i, 11)] = 1
    # Photo boxes.
    for col in (6, 13):
        t.merge(3, col, 8, col, "照片", size=label, color="#808080", alignment=centred)
        t.frame(3, col, 8, col)
    # The last four digits of the exam number as capital numerals, between stub and ticket.
    t.look(4, 8, 7, 8, font="楷体", size=number, bold=True, alignment=centred)
    t.frame(4, 8, 7, 8, inside=True)
    # Notes.
    t.merge(10, 3, 10, 7, "监考教师核对签名：", size=note, alignment=6)
    t.merge(10, 10, 10, 15, "注意：凭本证进入考场，按座位号就座；考试结束后本证由考生保管。",
            size=note, alignment=6, wrap=True)
    # The cut row: the builders write a line of dashes into column 1.
    t.look(11, 1, 11, 1, size=12, color="#808080", alignment=6)
    return t


def write(name, template):
    with open(name, "w", encoding="utf-8") as out:
        json.dump(template.json(), out, ensure_ascii=False, indent=1)
        out.write("\n")


# Widths of columns 0..15, pixels at 96 dpi; 1,047 fit between margins of 1 cm on A4 landscape.
write("copzkz2.cel", ticket(
    heights=[20, 46, 26, 12, 36, 36, 36, 36, 36, 36, 34, 24],  # rows 1..11: 358, two to a page
    widths=[30, 14, 14, 62, 130, 10, 112, 16, 46, 16, 78, 250, 14, 140, 14, 14],
    sizes=(24, 12, 12, 12, 15, 9)))
write("copzkz3.cel", ticket(
    heights=[20, 30, 18, 6, 25, 25, 25, 25, 25, 25, 20, 14],  # rows 1..11: 238, three to a page
    widths=[30, 14, 14, 62, 130, 10, 84, 16, 46, 16, 78, 250, 14, 100, 14, 14],
    sizes=(18, 10, 10.5, 11, 12, 8)))
