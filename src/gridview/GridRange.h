#pragma once

#include "griddata/CellRange.h"

#include <QString>
#include <QtGlobal>

class Grid;

// A block of a Grid, as callers reach it with grid.Range(r1, c1, r2, c2) or grid.Selection().
// Formatting applies to every cell of the block, grown to take in the merges it touches.
class GridRange {
public:
    GridRange(Grid *grid, const CellRange &range)
        : m_grid(grid)
        , m_range(range)
    {
    }

    int FirstRow() const { return m_range.row1; }
    int FirstCol() const { return m_range.col1; }
    int LastRow() const { return m_range.row2; }
    int LastCol() const { return m_range.col2; }
    const CellRange &range() const { return m_range; }

    // Makes the block the grid's selection, its top-left cell the active cell.
    void Selected();

    void SetAlignment(int alignment);
    // `edge` a BorderEdge (0-3 outline, 4-5 inside, 6-7 diagonals), `lineStyle` 0 none, 1 thin, 2 thick.
    void SetBorders(int edge, int lineStyle);
    void SetFontName(const QString &name);
    void SetFontSize(double points);
    void SetFontBold(bool on);
    void SetFontItalic(bool on);
    void SetFontUnderline(bool on);
    // Colours as 0x00BBGGRR.
    void SetForeColor(quint32 color);
    void SetBackColor(quint32 color);
    void SetWrapText(bool wrap);

    // Merges the block into one cell.
    void Merge();
    // True when the block is one merged cell.
    bool MergeCells() const;
    // True merges the block, false removes every merge it touches.
    void SetMergeCells(bool merge);

    // Inserts as many rows (columns) as the block has, before its first row (column).
    void InsertRows();
    void InsertCols();
    // Deletes the block's rows (columns). The fixed row and column are never deleted.
    void DeleteByRow();
    void DeleteByCol();

    // Copies the block (the fixed row and column left out: they hold captions and row numbers)
    // with texts, looks and merges into the copy buffer shared by all grids.
    void CopyData();
    // Pastes the copy buffer with its top-left cell at the block's top-left cell.
    void PasteData();

private:
    Grid *m_grid;
    CellRange m_range;
};
