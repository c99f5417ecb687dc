#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>
#include <QVector>

// A cell that shows an error (#DIV/0!, #N/A, #REF!, ...), mostly a formula that failed: no
// value an import can take, but not an empty cell either, so that it can be named.
struct CellError {
    QString text;

    bool operator==(const CellError &other) const { return text == other.text; }
    static QVariant Value(const QString &text) { return QVariant::fromValue(CellError { text }); }
    static bool Is(const QVariant &cell) { return cell.typeId() == qMetaTypeId<CellError>(); }
    // The error's text ("#DIV/0!"), or an empty text for any other cell.
    static QString Text(const QVariant &cell) { return Is(cell) ? cell.value<CellError>().text : QString(); }
};

// The cells of one worksheet, row by row: a null QVariant for an empty cell, a double for a
// number, a QString for a text (dates and times come as their text, TRUE and FALSE as theirs),
// a CellError for an error. Rows may be shorter than the widest one; a missing cell is an
// empty one.
struct WorksheetCells {
    QString name;
    QVector<QVector<QVariant>> rows;

    // Sets one cell, making room for it: readers meet cells in any order and with gaps. A new
    // row gets room at once for as many cells as the row above it holds.
    void Put(qsizetype row, qsizetype column, QVariant value)
    {
        if (row >= rows.size())
            rows.resize(row + 1);
        QVector<QVariant> &cells = rows[row];
        if (cells.isEmpty() && row > 0)
            cells.reserve(qMax(column + 1, rows[row - 1].size()));
        if (column >= cells.size())
            cells.resize(column + 1);
        cells[column] = std::move(value);
    }
};
