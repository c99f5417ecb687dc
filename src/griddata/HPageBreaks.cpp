#include "HPageBreaks.h"

#include <algorithm>

void HPageBreaks::Add(int row)
{
    // A break before row 1 would only leave an empty first page.
    if (row < 1)
        return;
    const auto at = std::lower_bound(m_rows.begin(), m_rows.end(), row);
    if (at == m_rows.end() || *at != row)
        m_rows.insert(at, row);
}

void HPageBreaks::Remove(int row)
{
    m_rows.removeOne(row);
}

bool HPageBreaks::contains(int row) const
{
    return std::binary_search(m_rows.begin(), m_rows.end(), row);
}

void HPageBreaks::insertRows(int row, int count)
{
    for (int &r : m_rows)
        if (r >= row)
            r += count;
}

void HPageBreaks::removeRows(int row, int count)
{
    // A break goes with its row, as a spreadsheet does; one kept at the edge of a shrunk grid
    // would come back in the middle when the grid grows again.
    QList<int> kept;
    for (int r : m_rows) {
        if (r < row)
            kept.append(r);
        else if (r >= row + count)
            kept.append(r - count);
    }
    m_rows = kept;
}
