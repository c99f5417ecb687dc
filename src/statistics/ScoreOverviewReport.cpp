#include "statistics/ScoreOverviewReport.h"

#include "db/Error.h"
#include "gridview/Grid.h"
#include "statistics/StatisticsDocument.h"
#include "workspace/PrintLayouts.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QLineEdit>

const QString ScoreOverviewReport::kTitle = QStringLiteral("基本情况表");

namespace {

using Overview = StatisticsQueries::ScoreOverview;

constexpr int kHeaderRows = 2;
constexpr int kHeaderHeight = 28;
constexpr int kSchoolWidth = 70;
constexpr int kTotalsRow = 2;
// Columns: 学校, 班级数, 应考, then three per subject.
constexpr int kFirstSubjectColumn = 4;
// The report turns landscape when its columns fill more than this many units of 38 pixels.
constexpr double kPortraitColumns = 20;

int SubjectColumn(int subject)
{
    return kFirstSubjectColumn + 3 * subject;
}

// A header written over both header rows.
void WriteTallHeader(Grid &grid, int col, const QString &text)
{
    grid.Cell(0, col).SetText(text);
    grid.Range(0, col, 1, col).Merge();
}

void WriteHeader(Grid &grid, const Overview &overview)
{
    WriteTallHeader(grid, 1, QStringLiteral("学校(%1)").arg(overview.schools.size()));
    WriteTallHeader(grid, 2, QStringLiteral("班级数"));
    WriteTallHeader(grid, 3, QStringLiteral("应考"));
    for (int j = 0; j < overview.subjects.size(); ++j) {
        const int col = SubjectColumn(j);
        grid.Cell(0, col).SetText(overview.subjects.at(j));
        grid.Range(0, col, 0, col + 2).Merge();
        grid.Cell(1, col).SetText(QStringLiteral("参考"));
        grid.Cell(1, col + 1).SetText(QStringLiteral("缺考"));
        grid.Cell(1, col + 2).SetText(QStringLiteral("教师"));
    }
    for (int row = 0; row < kHeaderRows; ++row)
        grid.SetRowHeight(row, kHeaderHeight);
}

// The counts of one school (or of all) from column 2 on, in column order.
QVector<qint64> Counts(const StatisticsQueries::SchoolScores &school)
{
    QVector<qint64> counts { school.classes, school.expected };
    for (int j = 0; j < school.sat.size(); ++j)
        counts << school.sat.at(j) << school.absent.at(j) << school.teachers.at(j);
    return counts;
}

void WriteCounts(Grid &grid, int row, const QVector<qint64> &counts)
{
    for (int i = 0; i < counts.size(); ++i)
        grid.Cell(row, 2 + i).SetText(QString::number(counts.at(i)));
}

} // namespace

void ScoreOverviewReport::Write(Grid &grid, const Overview &overview)
{
    const int subjects = int(overview.subjects.size());
    grid.SetCols(SubjectColumn(subjects));
    grid.SetRows(kTotalsRow + 1 + int(overview.schools.size()));
    WriteHeader(grid, overview);
    QVector<qint64> totals(2 + 3 * subjects);
    for (int i = 0; i < overview.schools.size(); ++i) {
        const int row = kTotalsRow + 1 + i;
        const QVector<qint64> counts = Counts(overview.schools.at(i));
        grid.Cell(row, 1).SetText(overview.schools.at(i).school);
        WriteCounts(grid, row, counts);
        for (int c = 0; c < counts.size(); ++c)
            totals[c] += counts.at(c);
    }
    grid.Cell(kTotalsRow, 1).SetText(QStringLiteral("合 计"));
    WriteCounts(grid, kTotalsRow, totals);
    for (int col = 1; col < grid.Cols(); ++col) {
        grid.Column(col).SetWidth(col == 1 ? kSchoolWidth : StatisticsDocument::kColumnUnit);
        grid.Column(col).SetAlignment(GridAlignment::Centred);
    }
}

frmDocument *ScoreOverviewReport::cjbxx_Click()
{
    Overview overview;
    try {
        overview = StatisticsQueries::ReadScoreOverview();
    } catch (const db::Error &) {
        // A table without the columns the report reads: the report ends as it always has, quietly.
        return nullptr;
    }
    if (overview.status == Overview::Status::MissingTable) {
        StatisticsDocument::Tell(QStringLiteral("数据文件中没有成绩表或教师表，无法生成基本情况表。"));
        return nullptr;
    }
    if (overview.status == Overview::Status::NoSubject) {
        StatisticsDocument::Tell(QStringLiteral("成绩表和教师表没有共同的科目列，无法生成基本情况表。"));
        return nullptr;
    }
    frmDocument *document = gMainForm ? gMainForm->LoadNewDoc() : nullptr;
    if (!document)
        return nullptr;
    document->setWindowTitle(kTitle);
    document->Text1->setText(kTitle);
    Grid &grid = *document->Grid1;
    grid.SetAutoRedraw(false);
    Write(grid, overview);
    StatisticsDocument::LayOutPaper(*document, kPortraitColumns, 1);
    PrintLayouts::AddSecondTitle(grid, QStringLiteral("||"), 10);
    grid.Refresh();
    grid.SetAutoRedraw(true);
    return document;
}
