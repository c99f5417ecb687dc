#include "lists/RoomList.h"

#include "datastore/AppState.h"
#include "datastore/ArrangementTables.h"
#include "datastore/ReportQueries.h"
#include "datastore/RoomNumber.h"
#include "datastore/RoomPlaces.h"
#include "db/Conversions.h"
#include "examrooms/ShownExamNumber.h"
#include "gridview/Grid.h"
#include "lists/ListDocument.h"
#include "lists/ListQuery.h"
#include "lists/SkipOnError.h"
#include "workspace/LoginGuard.h"
#include "workspace/PrintLayouts.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QAction>

namespace {

constexpr int kLabelFirstCol = 1;
constexpr int kLabelLastCol = 2;
constexpr int kPlaceCol = 3;

bool IsAllRooms(const QVariant &room)
{
    return room.toDouble() == 0;
}

} // namespace

void RoomList::gkc_Click(int Index)
{
    if (!gMainForm || !RequireLogin(gMainForm))
        return;
    const QVariant room = ChosenRoom(Index);
    const ShownExamNumber shown = ListDocument::CurrentNumbers(*gMainForm);
    ListDocument::OpenInWindow(*gMainForm, [&](frmDocument &document) { Show(document, room, shown); });
}

void RoomList::Show(frmDocument &document, const QVariant &room, const ShownExamNumber &shown)
{
    // 1. The room's examinees, their numbers as the room's door shows them, read in
    // exam-number order from an index.
    datastore::ArrangementTables::IndexExamNumbers(gExamineeTable);
    ListDocument::Open(document, ListQuery::ByRoom(gExamRoomColumns, gExamineeTable, room), Title(room), shown);
    Grid &grid = *document.Grid1;

    // 2. The location line and the first and last number.
    gRoomPlaces = datastore::RoomPlaces::Read(gExamRoomTable);
    grid.SetAutoRedraw(false);
    // A fill that failed leaves only the header row, which is no place for the location.
    const bool filled = grid.Rows() > 1;
    QString line;
    if (filled && !IsAllRooms(room)) {
        const std::optional<int> number = datastore::RoomNumber(room.toDouble());
        WriteLocationLine(grid, number ? gRoomPlaces.value(*number) : QString());
        line = FirstAndLastLine(room, shown);
    }

    // 3. The room layout, one sheet wide; a second title line only when there are numbers to
    // put on it.
    PrintLayouts::RoomList(document, line, line.isEmpty() ? QString() : QStringLiteral("b"));
    PrintLayouts::FitToPageWidth(grid);
    grid.SetAutoRedraw(true);
    grid.Refresh();
}

QVariant RoomList::ChosenRoom(int index)
{
    const QAction *item = index > 0 ? gMainForm->MenuItem(QStringLiteral("gkc"), index) : nullptr;
    return item ? item->data() : QVariant(0);
}

QString RoomList::Title(const QVariant &room)
{
    if (IsAllRooms(room))
        return gTitleExamRoom1 + gTitleExamRoom2;
    return gTitleExamRoom1 + QStringLiteral("第 ") + db::VbText(room) + QStringLiteral(" 考场") + gTitleExamRoom2;
}

void RoomList::WriteLocationLine(Grid &grid, const QString &place)
{
    const int row = grid.Rows() - 1;
    const int lastCol = grid.Cols() - 1;
    const QString label = QStringLiteral("考场地点");
    if (lastCol >= kPlaceCol) {
        grid.Range(row, kLabelFirstCol, row, kLabelLastCol).Merge();
        grid.Cell(row, kLabelFirstCol).SetText(label);
        grid.Range(row, kPlaceCol, row, lastCol).Merge();
        grid.Cell(row, kPlaceCol).SetText(place);
    } else if (lastCol == kLabelLastCol) {
        // Too few columns shown for the merged cells: label and location side by side.
        grid.Cell(row, kLabelFirstCol).SetText(label);
        grid.Cell(row, kLabelLastCol).SetText(place);
    } else if (lastCol == kLabelFirstCol) {
        grid.Cell(row, kLabelFirstCol).SetText(label + QLatin1Char(' ') + place);
    }
}

QString RoomList::FirstAndLastLine(const QVariant &room, const ShownExamNumber &shown)
{
    QString line;
    SkipOnError([&] {
        const ListQuery query = ListQuery::FirstAndLast(gExamineeTable, room);
        const QVariantList numbers = datastore::ReportQueries::FirstRecord(query.sql, query.params);
        if (numbers.size() < 2)
            return;
        const QString roomText = db::VbText(room);
        const QString last = shown.ExamNumber(db::VbText(numbers.at(0)), roomText);
        const QString first = shown.ExamNumber(db::VbText(numbers.at(1)), roomText);
        if (!first.isEmpty() || !last.isEmpty())
            line = first + QStringLiteral("——") + last;
    });
    return line;
}
