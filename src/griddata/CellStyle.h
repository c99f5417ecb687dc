#pragma once

#include <QHash>
#include <QString>
#include <QtGlobal>

#include <array>

// Border edges as callers number them in Selection().SetBorders(edge, style). On a block, the four
// outline edges draw its frame and the two inside edges the lines between its cells.
enum BorderEdge {
    EdgeLeft = 0,
    EdgeRight = 1,
    EdgeTop = 2,
    EdgeBottom = 3,
    EdgeInsideVertical = 4,
    EdgeInsideHorizontal = 5,
    EdgeDiagonalUp = 6, // bottom-left to top-right
    EdgeDiagonalDown = 7, // top-left to bottom-right
};

// Line styles of a border.
enum LineStyle { LineNone = 0, LineThin = 1, LineThick = 2 };

// The lines a single cell carries: its four sides and two diagonals.
enum CellLine { LineLeft = 0, LineRight = 1, LineTop = 2, LineBottom = 3, LineDiagonalUp = 4, LineDiagonalDown = 5 };

// Alignment code: 4 x (column + 1) + (row + 1), column 0 left, 1 centre, 2 right, row 0 top,
// 1 middle, 2 bottom; 10 is centred both ways. 0 means "not set here": a cell falls back to its
// column, a column to the general rule (numbers right, text left, both middle).
namespace GridAlignment {
inline constexpr int Unset = 0;
inline constexpr int Centred = 10;
inline bool isValid(int code)
{
    return code >= 5 && code <= 15;
}
inline int code(int horizontal, int vertical)
{
    return 4 * (horizontal + 1) + (vertical + 1);
}
inline int horizontal(int code)
{
    return code / 4 - 1;
} // 0 left, 1 centre, 2 right
inline int vertical(int code)
{
    return code % 4 - 1;
} // 0 top, 1 middle, 2 bottom
} // namespace GridAlignment

// The look of a cell. Many cells share one look, so cells keep an index into a CellStyleTable
// rather than a copy.
struct CellStyle {
    // No background colour of its own: the cell shows the paper (white).
    static constexpr quint32 NoColor = 0xFFFFFFFFu;

    QString fontName; // empty: the grid's default font
    double fontSize = 0; // points; 0: the grid's default size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    quint32 foreColor = 0x000000; // 0x00BBGGRR
    quint32 backColor = NoColor; // 0x00BBGGRR or NoColor
    int alignment = GridAlignment::Unset;
    bool wrap = false;
    std::array<quint8, 6> lines {}; // LineStyle by CellLine

    bool operator==(const CellStyle &) const = default;
};

size_t qHash(const CellStyle &style, size_t seed = 0);
