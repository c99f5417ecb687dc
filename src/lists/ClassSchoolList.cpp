#include "lists/ClassSchoolList.h"

#include "datastore/AppState.h"
#include "db/Database.h"
#include "examrooms/ExamNoSettings.h"
#include "examrooms/ShownExamNumber.h"
#include "grid/Grid.h"
#include "lists/ListColumns.h"
#include "lists/ListDocument.h"
#include "lists/ListQuery.h"
#include "workspace/GridFill.h"
#include "workspace/LoginGuard.h"
#include "workspace/PrintLayouts.h"
#include "workspace/RoomNumber.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QAction>

namespace {

// The values the chosen menu item carries; none for item 0 or an item that is gone.
QVariant ItemData(const QString &array, int index)
{
    const QAction *item = index > 0 ? gMainForm->MenuItem(array, index) : nullptr;
    return item ? item->data() : QVariant();
}

} // namespace

void ClassSchoolList::gbj_Click(int Index)
{
    if (!gMainForm || !RequireLogin(gMainForm))
        return;
    const QVariantList schoolAndClass = ItemData(QStringLiteral("gbj"), Index).toList();
    if (schoolAndClass.size() != 2) {
        Show(gTitleClass1, ListQuery::All(gExamRoomColumns, gExamineeTable));
        return;
    }
    const QVariant &school = schoolAndClass.at(0);
    const QVariant &className = schoolAndClass.at(1);
    Show(ClassTitle(db::VbText(school), db::VbText(className)),
        ListQuery::ByClass(gExamRoomColumns, gExamineeTable, school, className));
}

// "一中" and "3" give 一中3班; a class already named "1班" gets no second 班.
QString ClassSchoolList::ClassTitle(const QString &school, const QString &className)
{
    const QString suffix = className.endsWith(QStringLiteral("班")) ? QString() : QStringLiteral("班");
    return school + className + suffix + gTitleClass1;
}

void ClassSchoolList::gxx_Click(int Index)
{
    if (!gMainForm || !RequireLogin(gMainForm))
        return;
    const QVariant school = ItemData(QStringLiteral("gxx"), Index);
    if (school.isNull()) {
        Show(gTitleSchool1, ListQuery::All(gExamRoomColumns, gExamineeTable));
        return;
    }
    Show(db::VbText(school) + gTitleSchool1, ListQuery::BySchool(gExamRoomColumns, gExamineeTable, school));
}

void ClassSchoolList::Show(const QString &title, const ListQuery &query)
{
    // The pads follow the room table as it is now, not as it was when the window opened.
    gMainForm->CountRooms();
    const ShownExamNumber shown(gExamNoPrefix, gExamNoForm, gMainForm->mRoomCount);

    gDocTitle = title;
    const QStringList rooms = ListDocument::Open(query);
    frmDocument *document = gMainForm->ActiveForm();
    if (!document)
        return;
    Grid &grid = *document->Grid1;

    gMainForm->LoadRoomPlaces();
    AddLocationColumn(grid, rooms);
    const ListColumns columns = ListColumns::Scan(grid);
    // The layout gives the last column, the location, the wide width.
    gMainForm->LayoutExamineeList();
    grid.SetAutoRedraw(false);
    columns.Rewrite(grid, rooms, shown);
    // Widths from the texts as they print: the prefixed, zero-filled numbers included.
    PrintLayouts::FitToPageWidth(grid);
    grid.Refresh();
    grid.SetAutoRedraw(true);
}

void ClassSchoolList::AddLocationColumn(Grid &grid, const QStringList &rooms)
{
    const int col = grid.Cols();
    grid.SetCols(col + 1);
    grid.Cell(0, col).SetText(QStringLiteral("考场地点"));
    for (int row = 1; row < grid.Rows() - 1 && row <= rooms.size(); ++row) {
        const std::optional<int> room = RoomNumber(db::Val(rooms.at(row - 1)));
        if (room && *room > 0)
            grid.Cell(row, col).SetText(gRoomPlaces.value(*room));
    }
}
