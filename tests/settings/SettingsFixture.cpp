#include "SettingsFixture.h"
#include "support/Control.h"

#include "datastore/AppState.h"
#include "db/Database.h"
#include "gridview/Grid.h"
#include "settings/SettingsCommands.h"
#include "settings/shezifrm.h"

#include <QAction>
#include <QTest>

SettingsFixture::SettingsFixture()
{
    app.logIn();
}

SettingsFixture::~SettingsFixture()
{
    window.reset();
    DeliverDeletes();
}

void SettingsFixture::StoreSetting(const QVariant &setting)
{
    Execute(
        QStringLiteral("UPDATE %1 SET s1 = ? WHERE 项目 = '考场显示'").arg(db::QuoteName(gSettingsTable)), { setting });
}

QString SettingsFixture::StoredSetting() const
{
    db::Database database;
    database.Open(app.dbPath());
    db::Recordset row = database.OpenRecordset(
        QStringLiteral("SELECT s1 FROM %1 WHERE 项目 = '考场显示'").arg(db::QuoteName(gSettingsTable)));
    return row.EOF() ? QStringLiteral("<no row>") : db::VbText(row.Fields(0).Value());
}

void SettingsFixture::Execute(const QString &sql, const QVariantList &params)
{
    db::Database database;
    database.Open(app.dbPath());
    database.Execute(sql, params);
}

void SettingsFixture::AddExaminee(
    const QString &school, const QString &className, const QString &name, int room, int number)
{
    Execute(QStringLiteral("INSERT INTO %1 (学校, 班级, 姓名, 性别, 成绩, 考场, 考号, 座位号) "
                           "VALUES (?, ?, ?, '男', 90, ?, ?, 1)")
                .arg(db::QuoteName(gExamineeTable)),
        { school, className, name, room, number });
}

shezifrm *SettingsFixture::OpenSettings()
{
    if (!window) {
        openWindow();
        SettingsCommands::Connect(*window);
    }
    window->Command(QStringLiteral("shezhi"))->trigger();
    settingsWindow = shezifrm::Instance();
    return settingsWindow;
}

Grid &SettingsFixture::Grid1() const
{
    return *Control<Grid>(settingsWindow, "Grid1");
}

QStringList SettingsFixture::GridColumn(int col) const
{
    QStringList texts;
    for (int row = 1; row < Grid1().Rows(); ++row)
        texts << Grid1().Cell(row, col).text();
    return texts;
}

void SettingsFixture::Click(int row, int col)
{
    const GridData &data = Grid1().data();
    const QPoint centre((data.colLeft(col) + data.colLeft(col + 1)) / 2, (data.rowTop(row) + data.rowTop(row + 1)) / 2);
    QTest::mouseClick(Grid1().viewport(), Qt::LeftButton, {}, centre);
}

void SettingsFixture::Type(const QString &text)
{
    QTest::keyClicks(&Grid1(), text);
}

void SettingsFixture::Key(int key)
{
    QTest::keyClick(&Grid1(), Qt::Key(key));
}

void SettingsFixture::DeliverDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
