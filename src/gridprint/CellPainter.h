#pragma once

#include "griddata/CellRange.h"

#include <QColor>
#include <QFont>
#include <QRectF>

#include <vector>

class GridData;
class PdfPictures;
class QPainter;
struct CellStyle;

// How cells are drawn: on screen or on paper.
struct CellPaintOptions {
    // Thin lines where a cell has no border of its own (the screen always; paper when the page
    // setup asks for grid lines).
    bool gridlines = true;
    QColor gridlineColor = QColor(0xC8, 0xCE, 0xD8);
    // Colours drawn as black on white.
    bool blackAndWhite = false;
    // The fixed row and column drawn as buttons (screen); on paper they look like other cells.
    bool fixedAsHeader = true;
    // Cells drawn as selected get this tint over their background (screen only); fixed cells
    // drawn as selected mark the rows and columns of the selection.
    QColor selectionTint = QColor(0x33, 0x66, 0xCC, 0x40);
    // A small arrow marks drop-down cells (screen only).
    bool dropDownArrows = false;
    // The colour of what the cells are drawn on, when a cell of that colour needs no fill of
    // its own (white paper); invalid when every cell is filled (the screen).
    QColor paper;
    // Thin lines drawn with a cosmetic pen of one grid pixel: the same width, which a PDF
    // writes as plain strokes instead of outlining each line as a shape (paper).
    bool cosmeticLines = false;
    // Pictures drawn as the stand-ins a PDF writer replaces with their own bytes (paper to PDF).
    const PdfPictures *pdfPictures = nullptr;
};

// A cell to draw and where: its rectangle in grid pixels (96 dpi) after whatever transform the
// painter carries. For a merged block, (row, col) is its top-left cell and the rectangle the
// whole block.
struct PlacedCell {
    PlacedCell() = default;
    PlacedCell(int row, int col, const QRectF &rect, bool selected = false)
        : row(row)
        , col(col)
        , rect(rect)
        , selected(selected)
    {
    }

    int row = 0;
    int col = 0;
    QRectF rect;
    bool selected = false;
    // A merged block cut by the edge of a printed page shows only some of its rows and columns:
    // they are `part` (the whole block when empty), and its text and picture stand only where
    // `withContent` says so.
    CellRange part;
    bool withContent = true;
};

// The one painter of cells, for the screen and for paper: background, picture, text with its
// font, colour, alignment and wrap, check boxes, then grid lines and borders, gathered over
// all the cells and drawn last, one stroke per kind of line, so that no neighbour's background
// covers a line and a printed page holds a few long paths instead of a rectangle per cell.
// Needs no widget.
class CellPainter {
public:
    static void paintCells(QPainter &painter, const GridData &data, const std::vector<PlacedCell> &cells,
        const CellPaintOptions &options = {});
    // Draws one cell completely (content and lines).
    static void paintCell(QPainter &painter, const GridData &data, int row, int col, const QRectF &rect,
        const CellPaintOptions &options = {});

    // The text a cell shows: its stored text as its column's format shows it, or its row number
    // in column 0 when the grid displays row indices.
    static QString displayText(const GridData &data, int row, int col);
    // `font` sized so that its points come out as 96/72 grid pixels on this painter, whatever
    // the device's resolution and the painter's scale (screen, printer or PDF alike): the
    // same physical size everywhere once grid pixels are scaled to the device.
    static QFont fontForPainter(const QFont &font, const QPainter &painter);

    // As in a spreadsheet, a single-line, left-aligned text of a plain cell runs on over the
    // empty plain cells to its right, up to the first one that is not empty and no further
    // than the cells being drawn (the window, the printed sheet).
    static bool mayRunOn(const GridData &data, int row, int col);
    static bool lendsSpace(const GridData &data, int row, int col);
    // How many columns to the left of the first one shown a window looks for a text that runs
    // on into view: a bound, so that painting stays quick however empty a row is.
    static constexpr int RunOnLookBack = 32;

private:
    // Where a cell's text may reach, and which of its sides such a text crosses (no grid line
    // is drawn there, as none would be under one cell's text).
    struct RunOn {
        double textRight = 0;
        bool openLeft = false;
        bool openRight = false;
    };
    static std::vector<RunOn> runOnsOf(const GridData &data, const std::vector<PlacedCell> &cells);
    struct TextState;
    struct Lines;
    static void paintBackground(
        QPainter &painter, const GridData &data, const PlacedCell &cell, const CellPaintOptions &options);
    static void paintContent(QPainter &painter, const GridData &data, const PlacedCell &cell, double textRight,
        const CellPaintOptions &options, TextState &state);
    static void addLines(Lines &lines, const GridData &data, const PlacedCell &cell, const RunOn &runOn,
        const CellPaintOptions &options);
};
