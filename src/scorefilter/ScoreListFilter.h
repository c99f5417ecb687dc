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

    // Whether body row `row` holds an examinee (or a school's or class's counts): not an empty
    // row, a totals row (合计), a room's location line or a title merged across the key columns.
    // Only such rows are offered and copied.
    static bool HoldsExaminee(Grid &grid, const Columns &columns, int row);

    // The schools of the examinee rows in order of first appearance, each once, blanks left out.
    static QStringList Schools(Grid &grid, const Columns &columns);
    // The classes of `school` in order of first appearance, each once, blanks left out.
    static QStringList Classes(Grid &grid, const Columns &columns, const QString &school);
    // The examinee rows of `school` and, when `schoolClass` is not blank, of that class, in order.
    static QList<int> MatchingRows(
        Grid &grid, const Columns &columns, const QString &school, const QString &schoolClass);

    // Makes `target` the header row of `source` and then `rows` of it from row 1 on, columns 1
    // to the last, each column as wide as in the source (a hidden column stays hidden). Row
    // indexes are shown.
    static void CopyRows(Grid &source, const QList<int> &rows, Grid &target);
};
