#include "lists/RoomRangeList.h"

#include "datastore/AppState.h"
#include "datastore/MainDatabaseScope.h"
#include "db/Database.h"
#include "examrooms/ExamNoSettings.h"
#include "examrooms/ShownExamNumber.h"
#include "grid/Grid.h"
#include "lists/ListDocument.h"
#include "lists/ListQuery.h"
#include "lists/SkipOnError.h"
#include "workspace/GridFill.h"
#include "workspace/LoginGuard.h"
#include "workspace/PrintLayouts.h"
#include "workspace/RoomNumber.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

namespace {

const QString kQueryName = QStringLiteral("NewQry6");
constexpr int kRoomCol = 1;
constexpr int kFirstCol = 2;
constexpr int kLastCol = 3;
constexpr int kPlaceCol = 5;

} // namespace

void RoomRangeList::qzkh_Click()
{
    if (!gMainForm || !RequireLogin(gMainForm))
        return;
    // The pads follow the room table as it is now, not as it was when the window opened.
    gMainForm->CountRooms();
    const ShownExamNumber shown(gExamNoPrefix, gExamNoForm, gMainForm->mRoomCount);

    gDocTitle = QStringLiteral("各考场首尾考号");
    ListDocument::SaveQuery(kQueryName, ListQuery::RoomRanges(gExamineeTable));
    gMainForm->LoadNewDoc();
    FillGridFromTable(GetDbPath(), kQueryName);
    frmDocument *document = gMainForm->ActiveForm();
    if (!document)
        return;
    Grid &grid = *document->Grid1;

    gMainForm->LayoutExamineeList();
    grid.Column(kFirstCol).SetMask(MaskNone);
    grid.Column(kLastCol).SetMask(MaskNone);
    AddLocationColumn(grid, RoomLocations());
    grid.SetAutoRedraw(false);
    RewriteNumbers(grid, shown);
    PrintLayouts::FitToPageWidth(grid);
    grid.SetAutoRedraw(true);
    grid.Refresh();
}

QHash<int, QString> RoomRangeList::RoomLocations()
{
    QHash<int, QString> places;
    SkipOnError([&] {
        MainDatabaseScope database;
        db::Recordset rooms = gDb.OpenRecordset(
            QStringLiteral("select 考场号,考场地点 from %1 ORDER BY 考场号").arg(db::QuoteName(gExamRoomTable)));
        for (; !rooms.EOF(); rooms.MoveNext()) {
            const QVariant number = rooms.Fields(0).Value();
            const std::optional<int> room = RoomNumber(db::Val(db::VbText(number)));
            if (!number.isNull() && room)
                places.insert(*room, db::VbText(rooms.Fields(1).Value()));
        }
    });
    return places;
}

void RoomRangeList::AddLocationColumn(Grid &grid, const QHash<int, QString> &places)
{
    grid.SetCols(kPlaceCol + 1);
    grid.Cell(0, kPlaceCol).SetText(QStringLiteral("考场地点"));
    for (int row = 1; row < grid.Rows() - 1; ++row) {
        const QString room = grid.Cell(row, kRoomCol).text();
        const std::optional<int> number = RoomNumber(db::Val(room));
        if (!room.trimmed().isEmpty() && number)
            grid.Cell(row, kPlaceCol).SetText(places.value(*number));
    }
}

void RoomRangeList::RewriteNumbers(Grid &grid, const ShownExamNumber &shown)
{
    for (int row = 1; row < grid.Rows() - 1; ++row)
        for (int col : { kFirstCol, kLastCol })
            grid.Cell(row, col).SetText(shown.ExamNumberWithoutRoom(grid.Cell(row, col).text()));
}
