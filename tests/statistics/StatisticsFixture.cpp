#include "StatisticsFixture.h"

#include "datastore/AppState.h"
#include "db/Database.h"
#include "gridview/Grid.h"
#include "workspace/PrintLayouts.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QSettings>

StatisticsFixture::StatisticsFixture()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    app.logIn();
    for (int room = 1; room <= 5; ++room)
        Execute(QStringLiteral("insert into ") + db::QuoteName(gExamRoomTable) + QStringLiteral(" values (?, 30, ?)"),
            { room, QStringLiteral("楼%1").arg(room) });
}

StatisticsFixture::~StatisticsFixture()
{
    window.reset();
}

void StatisticsFixture::AddExaminee(const QVariant &school, const QVariant &className, const QVariant &name,
    const QVariant &gender, const QVariant &room, const QVariant &number)
{
    Execute(QStringLiteral("insert into ") + db::QuoteName(gExamineeTable)
            + QStringLiteral(" (学校, 班级, 姓名, 性别, 成绩, 考场, 考号, 座位号) values (?, ?, ?, ?, 80, ?, ?, 1)"),
        { school, className, name, gender, room, number });
}

void StatisticsFixture::Execute(const QString &sql, const QVariantList &params)
{
    db::Database database;
    database.Open(app.dbPath());
    database.Execute(sql, params);
}

frmMain &StatisticsFixture::Window()
{
    if (!window)
        window = std::make_unique<frmMain>();
    return *window;
}

int StatisticsFixture::OpenDocuments()
{
    return int(Window().MdiArea()->subWindowList().size());
}

QStringList StatisticsFixture::Headers(Grid &grid)
{
    return Row(grid, 0);
}

QStringList StatisticsFixture::Row(Grid &grid, int row)
{
    QStringList texts;
    for (int col = 1; col < grid.Cols(); ++col)
        texts << grid.Cell(row, col).text();
    return texts;
}

QStringList StatisticsFixture::ReportTitleTexts(Grid &grid)
{
    QStringList texts;
    for (const ReportTitle &title : grid.ReportTitles().all())
        texts << title.text;
    return texts;
}

QString StatisticsFixture::TitleBox(frmDocument &document)
{
    return document.Text1->text();
}

bool StatisticsFixture::FitsOneSheet(Grid &grid)
{
    int width = 0;
    for (int col = 1; col < grid.Cols(); ++col)
        width += grid.Column(col).Width();
    return width <= PrintLayouts::PrintableWidth(grid.PageSetup());
}
