#include "lists/RoomRangeList.h"

#include "datastore/AppState.h"
#include "datastore/RoomNumber.h"
#include "datastore/RoomPlaces.h"
#include "db/Conversions.h"
#include "examrooms/ShownExamNumber.h"
#include "gridview/Grid.h"
#include "lists/ListDocument.h"
#include "lists/ListQuery.h"
#include "workspace/GridFill.h"
#include "workspace/LoginGuard.h"
#include "workspace/PrintLayouts.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

namespace {

const QString kQueryName = QStringLiteral("NewQry6");
constexpr int kRoomField = 0;
constexpr int kFirstCol = 2;
constexpr int kLastCol = 3;

} // namespace

void RoomRangeList::qzkh_Click()
{
    if (!gMainForm || !RequireLogin(gMainForm))
        return;
    const ShownExamNumber shown = ListDocument::CurrentNumbers(*gMainForm);
    ListDocument::OpenInWindow(*gMainForm, [&](frmDocument &document) { Show(document, shown); });
}

void RoomRangeList::Show(frmDocument &document, const ShownExamNumber &shown)
{
    ListDocument::SaveQuery(kQueryName, ListQuery::RoomRanges(gExamineeTable));
    Grid &grid = *document.Grid1;
    // Each room's first and last number with prefix and zeros, and its room for the location:
    // a room without examinees has no row, and must not shift the others.
    QVector<int> rooms;
    const auto onRow = [&](int row, const FillRecord &record) {
        for (int col : { kFirstCol, kLastCol })
            grid.Cell(row, col).SetText(shown.ExamNumberWithoutRoom(db::VbText(record.value(col - 1))));
        rooms.append(datastore::RoomNumber(record.value(kRoomField)).value_or(0));
    };
    FillGridFromTable(document, GetDbPath(), kQueryName, QStringLiteral("各考场首尾考号"), onRow);
    ListDocument::NumberRows(grid);

    PrintLayouts::ExamineeList(document);
    // The prefixed numbers are text: no number mask may reformat them.
    grid.Column(kFirstCol).SetMask(MaskNone);
    grid.Column(kLastCol).SetMask(MaskNone);
    grid.SetAutoRedraw(false);
    ListDocument::AddLocationColumn(grid, rooms, datastore::RoomPlaces::Read(gExamRoomTable));
    PrintLayouts::FitToPageWidth(grid);
    grid.SetAutoRedraw(true);
    grid.Refresh();
}
