#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class Grid;

// Cutting a list in a grid down to one school, or one class of a school, by the texts of its
// 学校 and 班级 columns (found by their header texts, blanks around them ignored). Cells are
// compared with their blanks trimmed. Reads the grid only; the rows it copies keep their
// texts, looks and merges.
class ScoreListFilter {
public:
    // The grid's columns headed 学校 and 班级; 0 for one it has not. A later column of the same
    // header wins.
    struct Columns {
        int school = 0;
        int schoolClass = 0;
    };
    static Columns Find(Grid &grid);

    // The schools of the body rows in order of first appearance, each once, blanks left out.
    static QStringList Schools(Grid &grid, const Columns &columns);
    // The classes of `school` in order of first appearance, each once, blanks left out.
    static QStringList Classes(Grid &grid, const Columns &columns, const QString &school);
    // The body rows of `school` and, when `schoolClass` is not blank, of that class, in order.
    static QList<int> MatchingRows(
        Grid &grid, const Columns &columns, const QString &school, const QString &schoolClass);

    // Makes `target` the header row of `source` and then `rows` of it from row 1 on, columns 1
    // to the last, each column as wide as in the source (a hidden column stays hidden). Row
    // indexes are shown.
    static void CopyRows(Grid &source, const QList<int> &rows, Grid &target);
};
