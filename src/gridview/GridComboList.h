#pragma once

#include <QString>
#include <QStringList>

// The entries of a grid's drop-down list. A caller empties and refills it when the grid reports
// a drop-down cell about to open (Grid::ComboDropDown), and learns the chosen position from
// Grid::ComboClick.
class GridComboList {
public:
    void Clear() { m_items.clear(); }
    void AddItem(const QString &item) { m_items.append(item); }
    int ListCount() const { return int(m_items.size()); }
    QString List(int index) const { return m_items.value(index); }
    const QStringList &items() const { return m_items; }

private:
    QStringList m_items;
};
