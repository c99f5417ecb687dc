#pragma once

#include "CellRange.h"
#include "CellStyle.h"

#include <QString>

#include <vector>

// A copied block of cells with everything that makes it look the same elsewhere: texts, looks
// (by value, so it pastes into another grid), tags, cell types, pictures' keys and merges
// relative to its top-left cell.
class GridBlock {
public:
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    bool isEmpty() const { return m_rows <= 0 || m_cols <= 0; }
    QString text(int row, int col) const { return m_cells[index(row, col)].text; }
    const CellStyle &style(int row, int col) const { return m_cells[index(row, col)].style; }
    const std::vector<CellRange> &merges() const { return m_merges; }

private:
    friend class GridData;
    struct Cell {
        QString text;
        CellStyle style;
        QString tag;
        QString imageKey;
        int cellType = 0;
    };
    size_t index(int row, int col) const { return size_t(row) * size_t(m_cols) + size_t(col); }

    int m_rows = 0;
    int m_cols = 0;
    std::vector<Cell> m_cells;
    std::vector<CellRange> m_merges;
};
