#include "lists/ClassSchoolList.h"

#include "datastore/AppState.h"
#include "datastore/RoomPlaces.h"
#include "db/Conversions.h"
#include "examrooms/ShownExamNumber.h"
#include "gridview/Grid.h"
#include "lists/ListDocument.h"
#include "lists/ListQuery.h"
#include "workspace/LoginGuard.h"
#include "workspace/PrintLayouts.h"
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
        Open(gTitleClass1, ListQuery::All(gExamRoomColumns, gExamineeTable));
        return;
    }
    const QVariant &school = schoolAndClass.at(0);
    const QVariant &className = schoolAndClass.at(1);
    Open(ClassTitle(db::VbText(school), db::VbText(className)),
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
        Open(gTitleSchool1, ListQuery::All(gExamRoomColumns, gExamineeTable));
        return;
    }
    Open(db::VbText(school) + gTitleSchool1, ListQuery::BySchool(gExamRoomColumns, gExamineeTable, school));
}

void ClassSchoolList::Open(const QString &title, const ListQuery &query)
{
    const ShownExamNumber shown = ListDocument::CurrentNumbers(*gMainForm);
    ListDocument::OpenInWindow(*gMainForm, [&](frmDocument &document) { Show(document, title, query, shown); });
}

void ClassSchoolList::Show(
    frmDocument &document, const QString &title, const ListQuery &query, const ShownExamNumber &shown)
{
    const QVector<int> rooms = ListDocument::Open(document, query, title, shown);
    Grid &grid = *document.Grid1;
    gRoomPlaces = datastore::RoomPlaces::Read(gExamRoomTable);
    grid.SetAutoRedraw(false);
    ListDocument::AddLocationColumn(grid, rooms, gRoomPlaces);
    // The layout gives the last column, the location, the wide width.
    PrintLayouts::ExamineeList(document);
    // Widths from the texts as they print: the prefixed, zero-filled numbers included.
    PrintLayouts::FitToPageWidth(grid);
    grid.Refresh();
    grid.SetAutoRedraw(true);
}
