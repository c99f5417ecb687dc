#pragma once

#include <QFont>
#include <QString>

class Grid;

// One cell of a Grid, as callers reach it with grid.Cell(row, col). It holds only the grid and
// the indices, so it is cheap to make and use on the spot.
class GridCell {
public:
    GridCell(Grid *grid, int row, int col)
        : m_grid(grid)
        , m_row(row)
        , m_col(col)
    {
    }

    int Row() const { return m_row; }
    int Col() const { return m_col; }

    QString text() const;
    void SetText(const QString &text);
    QString Tag() const;
    void SetTag(const QString &tag);
    bool WrapText() const;
    void SetWrapText(bool wrap);
    // Shows the picture added under `key` with Images().Add, scaled into the cell; "" removes it.
    void SetImage(const QString &key);
    QString ImageKey() const;
    // CellTypeText, CellTypeDropDown or CellTypeCheckBox (a ticked box reads "1").
    int CellType() const;
    void SetCellType(int type);
    int Alignment() const;
    void SetAlignment(int alignment);
    // The font the cell is drawn with (bold(), italic(), underline(), pointSizeF()).
    QFont Font() const;

private:
    Grid *m_grid;
    int m_row;
    int m_col;
};
