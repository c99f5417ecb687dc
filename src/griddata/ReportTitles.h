#pragma once

#include "ReportTitle.h"

#include <QList>

// The titles of a grid's printout, top to bottom.
class ReportTitles {
public:
    void Add(const ReportTitle &title) { m_titles.append(title); }
    void Clear() { m_titles.clear(); }
    int Count() const { return int(m_titles.size()); }
    const ReportTitle &Item(int index) const { return m_titles.at(index); }
    ReportTitle &Item(int index) { return m_titles[index]; }
    const QList<ReportTitle> &all() const { return m_titles; }

    bool operator==(const ReportTitles &) const = default;

private:
    QList<ReportTitle> m_titles;
};
