#pragma once

#include <QString>

class Grid;

// One column of a Grid, as callers reach it with grid.Column(col).
class GridColumn {
public:
    GridColumn(Grid *grid, int col)
        : m_grid(grid)
        , m_col(col)
    {
    }

    // Pixels at 96 dpi; 0 hides the column.
    int Width() const;
    void SetWidth(int width);
    // ColumnMask: 0 none, 3 text, 5 numbers.
    int Mask() const;
    void SetMask(int mask);
    // Alignment code of the column's cells that have none of their own.
    int Alignment() const;
    void SetAlignment(int alignment);
    // Number format of numeric texts: "0", "0.0", "0.00", "#,##0", "0%" and the like.
    QString FormatString() const;
    void SetFormatString(const QString &format);
    // Cell type of the column's cells that have none of their own.
    int CellType() const;
    void SetCellType(int type);

private:
    Grid *m_grid;
    int m_col;
};
