#pragma once

#include <algorithm>

// A block of cells, first and last row and column inclusive, as callers name them in Range().
struct CellRange {
    int row1 = 0;
    int col1 = 0;
    int row2 = -1;
    int col2 = -1;

    static CellRange cell(int row, int col) { return { row, col, row, col }; }
    // The same block whatever corner was given first.
    static CellRange spanning(int rowA, int colA, int rowB, int colB)
    {
        return { std::min(rowA, rowB), std::min(colA, colB), std::max(rowA, rowB), std::max(colA, colB) };
    }

    bool isEmpty() const { return row2 < row1 || col2 < col1; }
    bool isSingleCell() const { return row1 == row2 && col1 == col2; }
    int rowCount() const { return row2 - row1 + 1; }
    int colCount() const { return col2 - col1 + 1; }
    bool contains(int row, int col) const { return row >= row1 && row <= row2 && col >= col1 && col <= col2; }
    bool contains(const CellRange &o) const
    {
        return o.row1 >= row1 && o.row2 <= row2 && o.col1 >= col1 && o.col2 <= col2;
    }
    bool intersects(const CellRange &o) const
    {
        return o.row1 <= row2 && o.row2 >= row1 && o.col1 <= col2 && o.col2 >= col1;
    }
    CellRange united(const CellRange &o) const
    {
        return { std::min(row1, o.row1), std::min(col1, o.col1), std::max(row2, o.row2), std::max(col2, o.col2) };
    }
    CellRange intersected(const CellRange &o) const
    {
        return { std::max(row1, o.row1), std::max(col1, o.col1), std::min(row2, o.row2), std::min(col2, o.col2) };
    }

    bool operator==(const CellRange &) const = default;
};
