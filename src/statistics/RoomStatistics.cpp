#include "statistics/RoomStatistics.h"

#include "datastore/AppState.h"
#include "datastore/StatisticsQueries.h"
#include "gridview/Grid.h"
#include "statistics/StatisticsDocument.h"
#include "workspace/GridFill.h"
#include "workspace/LoginGuard.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QAction>

#include <functional>
#include <optional>

const QString RoomStatistics::kBlankSchool = QStringLiteral("未填学校");
const QString RoomStatistics::kBlankClass = QStringLiteral("未填班级");

namespace {

using Key = StatisticsQueries::Key;

const QString kTitle = QStringLiteral("考场编排统计表");
const QString kFailure
    = QStringLiteral("无法统计各考场人数：当前数据区的考生表不存在，或缺少考场、姓名、学校、班级列。");
constexpr int kHeaderHeight = 45;
// 精简统计 turns landscape when its columns fill more than this many units of 38 pixels.
constexpr double kPortraitColumns = 21;

// Reads the keys of `keyColumn`, saves "NewQry3" for them and opens the document on it, with the
// totals row and the keys' names over their columns (the query names them A1, A2, ...).
frmDocument *OpenCounts(const QString &title, const QString &keyColumn, const std::function<QList<Key>()> &readKeys,
    const std::optional<QVariant> &school, const QString &blankHeader)
{
    QList<Key> keys;
    frmDocument *document = StatisticsDocument::OpenWithTotals(
        [&] {
            keys = readKeys();
            StatisticsQueries::SaveRoomCounts(gExamineeTable, keyColumn, keys, school);
        },
        StatisticsQueries::kRoomCountQuery, title, kFailure,
        [&] { return StatisticsQueries::RoomCountTotals(gExamineeTable, keyColumn, keys, school); }, 2);
    if (!document)
        return nullptr;
    Grid &grid = *document->Grid1;
    for (int i = 0; i < keys.size() && i + 3 < grid.Cols(); ++i)
        grid.Cell(0, i + 3).SetText(keys.at(i).isBlank() ? blankHeader : keys.at(i).text);
    return document;
}

void LayOutCompact(frmDocument &document)
{
    Grid &grid = *document.Grid1;
    grid.SetRowHeight(0, kHeaderHeight);
    for (int col = 1; col < grid.Cols(); ++col) {
        grid.Cell(0, col).SetWrapText(true);
        grid.Column(col).SetAlignment(GridAlignment::Centred);
        // A school named with a Latin word ("O'Hara国际学校") cannot wrap inside that word: the
        // paper's layout widens its column to the word.
        grid.Column(col).SetWidth(StatisticsDocument::kColumnUnit);
        grid.Column(col).SetMask(MaskNumber);
    }
    // A long school name wraps over more lines than the header holds: the layout grows the
    // header until every name shows whole, on screen and on paper.
    StatisticsDocument::LayOutPaper(document, kPortraitColumns, 0);
    grid.Refresh();
    grid.SetAutoRedraw(true);
}

} // namespace

frmDocument *RoomStatistics::jinjtj_Click()
{
    if (!RequireLogin(gMainForm))
        return nullptr;
    return AllSchools();
}

frmDocument *RoomStatistics::tjschoo_Click(int Index)
{
    if (Index == 0 || !gMainForm)
        return nullptr;
    if (!RequireLogin(gMainForm))
        return nullptr;
    const QAction *item = gMainForm->MenuItem(QStringLiteral("tjschoo"), Index);
    return item ? OneSchool(item->data()) : nullptr;
}

frmDocument *RoomStatistics::AllSchools()
{
    frmDocument *document = OpenCounts(
        kTitle, QStringLiteral("学校"), [] { return StatisticsQueries::Schools(gExamineeTable); }, std::nullopt,
        kBlankSchool);
    if (document)
        LayOutCompact(*document);
    return document;
}

frmDocument *RoomStatistics::OneSchool(const QVariant &school)
{
    frmDocument *document = OpenCounts(
        school.toString() + kTitle, QStringLiteral("班级"),
        [&] { return StatisticsQueries::Classes(gExamineeTable, school); }, school, kBlankClass);
    if (document)
        LayoutStatisticsReport(*document);
    return document;
}
