#pragma once

#include "CellStyle.h"

#include <QHash>

#include <vector>

// The distinct looks of a grid's cells. Index 0 is always the plain look, so a new cell costs
// no style of its own. Styles are never removed: a grid keeps few of them.
class CellStyleTable {
public:
    CellStyleTable();

    // The index of `style`, added when it is new.
    int intern(const CellStyle &style);
    const CellStyle &at(int index) const { return m_styles[size_t(index)]; }
    int count() const { return int(m_styles.size()); }

private:
    std::vector<CellStyle> m_styles;
    QHash<CellStyle, int> m_index;
};
