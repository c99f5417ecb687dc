#include "ListFixture.h"

#include "datastore/AppState.h"
#include "support/TestDataFile.h"
#include "gridview/Grid.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>

ListFixture::ListFixture()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    app.logIn();
    AddRooms(1, 12);
    gExamRoomColumns = QStringLiteral("学校,班级,姓名,考号,考场,座位号");
    gTitleExamRoom1 = QStringLiteral("期中考试");
    gTitleExamRoom2 = QStringLiteral("安排表");
    gTitleClass1 = QStringLiteral("考试安排表");
    gTitleSchool1 = QStringLiteral("考试安排");
}

ListFixture::~ListFixture()
{
    window.reset();
}

void ListFixture::AddRooms(int first, int last)
{
    QList<QVariantList> rows;
    for (int room = first; room <= last; ++room)
        rows.append({ room, room == 4 ? QStringLiteral("空教室") : QStringLiteral("楼%1").arg(room) });
    TestDataFile::ExecuteRows(
        QStringLiteral("insert into ") + TestDataFile::Quoted(gExamRoomTable) + QStringLiteral(" values (?, 30, ?)"),
        rows);
}

void ListFixture::AddExaminee(const QString &school, const QString &className, const QString &name,
    const QVariant &room, const QVariant &number, const QVariant &seat)
{
    Execute(QStringLiteral("insert into ") + TestDataFile::Quoted(gExamineeTable)
            + QStringLiteral(" (学校, 班级, 姓名, 成绩, 考场, 考号, 座位号) values (?, ?, ?, 80, ?, ?, ?)"),
        { school, className, name, room, number, seat });
}

void ListFixture::Execute(const QString &sql, const QVariantList &params)
{
    TestDataFile::Execute(sql, params);
}

frmMain &ListFixture::OpenWindow()
{
    window = std::make_unique<frmMain>();
    return *window;
}

int ListFixture::ItemIndex(const QString &array, const QVariant &data) const
{
    for (int index = 1; index < window->MenuItemCount(array); ++index)
        if (window->MenuItem(array, index)->data() == data)
            return index;
    return -1;
}

Grid &ListFixture::Document() const
{
    frmDocument *document = window->ActiveForm();
    if (!document)
        throw std::runtime_error("no document open");
    return *document->Grid1;
}

QString ListFixture::TitleBox() const
{
    return window->ActiveForm()->Text1->text();
}

int ListFixture::DocumentCount() const
{
    return window->DocumentCount();
}

QStringList ListFixture::Column(const QString &header) const
{
    Grid &grid = Document();
    QStringList texts;
    for (int col = 1; col < grid.Cols(); ++col) {
        if (grid.Cell(0, col).text() != header)
            continue;
        for (int row = 1; row < grid.Rows() - 1; ++row)
            texts << grid.Cell(row, col).text();
    }
    return texts;
}

QStringList ListFixture::Headers() const
{
    Grid &grid = Document();
    QStringList texts;
    for (int col = 1; col < grid.Cols(); ++col)
        texts << grid.Cell(0, col).text();
    return texts;
}

QStringList ListFixture::ReportTitleTexts() const
{
    QStringList texts;
    for (const ReportTitle &title : Document().ReportTitles().all())
        texts << title.text;
    return texts;
}
