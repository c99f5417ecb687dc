#pragma once

#include <QList>

// Rows that start a new printed page, kept sorted and without repeats. Breaks move with their
// rows when rows are inserted or deleted above them, so a ticket block keeps its page.
class HPageBreaks {
public:
    void Add(int row);
    void Remove(int row);
    void Clear() { m_rows.clear(); }
    int Count() const { return int(m_rows.size()); }
    int Item(int index) const { return m_rows.at(index); }
    bool contains(int row) const;
    const QList<int> &rows() const { return m_rows; }

    // Rows [row, row + count) were inserted: breaks at or below `row` move down.
    void insertRows(int row, int count);
    // Rows [row, row + count) were deleted: their breaks go, breaks below move up.
    void removeRows(int row, int count);

    bool operator==(const HPageBreaks &) const = default;

private:
    QList<int> m_rows;
};
