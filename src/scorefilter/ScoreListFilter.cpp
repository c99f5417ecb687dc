#include "scorefilter/ScoreListFilter.h"

#include "gridview/Grid.h"
#include "griddata/GridBlock.h"
#include "griddata/GridData.h"

namespace {

QString Trimmed(Grid &grid, int row, int col)
{
    return grid.Cell(row, col).text().trimmed();
}

// A caption of a row that is not an examinee's: a totals row, a room's location line.
bool IsCaption(const QString &text)
{
    QString bare = text;
    bare.remove(u' ').remove(u'\u3000');
    return bare == QStringLiteral("合计") || bare == QStringLiteral("考场地点");
}

// Each non-blank text of column `col` once, in order, over the examinee rows that `take` accepts.
template <typename Take> QStringList DistinctTexts(Grid &grid, const ScoreListFilter::Columns &columns, int col, Take take)
{
    QStringList texts;
    for (int row = 1; row < grid.Rows(); ++row) {
        if (!ScoreListFilter::HoldsExaminee(grid, columns, row) || !take(row))
            continue;
        const QString text = Trimmed(grid, row, col);
        if (!text.isEmpty() && !texts.contains(text))
            texts << text;
    }
    return texts;
}

} // namespace

ScoreListFilter::Columns ScoreListFilter::Find(Grid &grid)
{
    Columns columns;
    for (int col = 1; col < grid.Cols(); ++col) {
        const QString header = Trimmed(grid, 0, col);
        if (header == QStringLiteral("学校"))
            columns.school = col;
        if (header == QStringLiteral("班级"))
            columns.schoolClass = col;
    }
    return columns;
}

bool ScoreListFilter::HoldsExaminee(Grid &grid, const Columns &columns, int row)
{
    const GridData &data = grid.data();
    // A title or location line spans the key columns as one merged cell.
    for (int col : { columns.school, columns.schoolClass }) {
        if (col <= 0)
            continue;
        const CellRange block = data.mergeAt(row, col);
        if (block.col1 != block.col2)
            return false;
    }
    bool blank = true;
    for (int col = 1; col < grid.Cols(); ++col) {
        const QString text = grid.Cell(row, col).text();
        if (text.size() <= 8 && IsCaption(text))
            return false;
        blank = blank && text.trimmed().isEmpty();
    }
    return !blank;
}

QStringList ScoreListFilter::Schools(Grid &grid, const Columns &columns)
{
    if (columns.school == 0)
        return {};
    return DistinctTexts(grid, columns, columns.school, [](int) { return true; });
}

QStringList ScoreListFilter::Classes(Grid &grid, const Columns &columns, const QString &school)
{
    if (columns.school == 0 || columns.schoolClass == 0)
        return {};
    const QString wanted = school.trimmed();
    return DistinctTexts(grid, columns, columns.schoolClass,
        [&](int row) { return Trimmed(grid, row, columns.school) == wanted; });
}

QList<int> ScoreListFilter::MatchingRows(
    Grid &grid, const Columns &columns, const QString &school, const QString &schoolClass)
{
    const QString wantedSchool = school.trimmed();
    const QString wantedClass = schoolClass.trimmed();
    QList<int> rows;
    if (columns.school == 0 || (!wantedClass.isEmpty() && columns.schoolClass == 0))
        return rows;
    for (int row = 1; row < grid.Rows(); ++row) {
        if (!HoldsExaminee(grid, columns, row) || Trimmed(grid, row, columns.school) != wantedSchool)
            continue;
        if (!wantedClass.isEmpty() && Trimmed(grid, row, columns.schoolClass) != wantedClass)
            continue;
        rows << row;
    }
    return rows;
}

void ScoreListFilter::CopyRows(Grid &source, const QList<int> &rows, Grid &target)
{
    const int cols = source.Cols();
    target.SetCols(cols);
    target.SetRows(int(rows.size()) + 1);
    for (int col = 1; col < cols; ++col) {
        target.Cell(0, col).SetText(source.Cell(0, col).text());
        target.Column(col).SetWidth(source.Column(col).Width());
    }
    // Neighbouring rows go over as one block, so a merge within them survives.
    int at = 1;
    for (qsizetype i = 0; i < rows.size();) {
        qsizetype end = i + 1;
        while (end < rows.size() && rows[end] == rows[end - 1] + 1)
            ++end;
        const int first = rows[i];
        const int last = rows[end - 1];
        target.data().pasteBlock(source.data().copyBlock({ first, 1, last, cols - 1 }), at, 1);
        at += last - first + 1;
        i = end;
    }
    target.SetDisplayRowIndex(true);
    target.layoutChanged();
}
