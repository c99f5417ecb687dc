#pragma once

#include <QString>
#include <QVariant>
#include <QVector>

// The cells of one worksheet, row by row: a null QVariant for an empty cell, a double for a
// number, a QString for a text (dates and times come as their text, TRUE and FALSE as theirs).
// Rows may be shorter than the widest one; a missing cell is an empty one.
struct WorksheetCells {
    QString name;
    QVector<QVector<QVariant>> rows;

    // Sets one cell, making room for it: readers meet cells in any order and with gaps.
    void Put(qsizetype row, qsizetype column, QVariant value)
    {
        if (row >= rows.size())
            rows.resize(row + 1);
        QVector<QVariant> &cells = rows[row];
        if (column >= cells.size())
            cells.resize(column + 1);
        cells[column] = std::move(value);
    }
};
