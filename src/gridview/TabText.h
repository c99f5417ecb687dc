#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Blocks of cell texts as spreadsheets put them on the clipboard: cells separated by tabs, rows
// by line ends, a cell that holds a tab, a line end or a leading quote enclosed in quotes with
// its own quotes doubled.
class TabText {
public:
    static QString write(const QList<QStringList> &rows);
    static QList<QStringList> parse(const QString &text);
};
