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
    // A break on a deleted row passes to the first row after the deletion, so the page it
    // started still starts there.
    for (int &r : m_rows) {
        if (r >= row + count)
            r -= count;
        else if (r > row)
            r = row;
    }
    m_rows.erase(std::unique(m_rows.begin(), m_rows.end()), m_rows.end());
}
