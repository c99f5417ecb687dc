#include "CellStyleTable.h"

CellStyleTable::CellStyleTable()
{
    intern(CellStyle());
}

int CellStyleTable::intern(const CellStyle &style)
{
    const auto found = m_index.constFind(style);
    if (found != m_index.constEnd())
        return found.value();
    const int index = int(m_styles.size());
    m_styles.push_back(style);
    m_index.insert(style, index);
    return index;
}
