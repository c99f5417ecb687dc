#include "TicketFixture.h"

#include "datastore/AppState.h"
#include "db/Database.h"
#include "gridview/Grid.h"
#include "tickets/TicketCommands.h"
#include "tickets/zizhuo.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QComboBox>
#include <QMdiArea>
#include <QPushButton>

TicketFixture::TicketFixture()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    app.logIn();
    AddRooms(1, 12);
}

TicketFixture::~TicketFixture()
{
    delete TicketCommands::Window();
    window.reset();
}

void TicketFixture::AddRooms(int first, int last)
{
    db::Database database;
    database.Open(app.dbPath());
    db::Database::Transaction transaction(database);
    for (int room = first; room <= last; ++room)
        database.Execute(QStringLiteral("insert into ") + db::QuoteName(gExamRoomTable) + QStringLiteral(" values (?, 30, ?)"),
            { room, QStringLiteral("楼%1").arg(room) });
    transaction.Commit();
}

void TicketFixture::AddExaminee(const QString &school, const QString &className, const QString &name,
    const QVariant &sex, const QVariant &room, const QVariant &number, const QVariant &seat)
{
    Execute(QStringLiteral("insert into ") + db::QuoteName(gExamineeTable)
            + QStringLiteral(" (学校, 班级, 姓名, 性别, 成绩, 考场, 考号, 座位号) values (?, ?, ?, ?, 80, ?, ?, ?)"),
        { school, className, name, sex, room, number, seat });
}

void TicketFixture::Execute(const QString &sql, const QVariantList &params)
{
    db::Database database;
    database.Open(app.dbPath());
    database.Execute(sql, params);
}

void TicketFixture::AddSmallExam()
{
    const QString one = QStringLiteral("第一中学");
    const QString names[] = { QStringLiteral("张一"), QStringLiteral("王二"), QStringLiteral("李三"),
        QStringLiteral("赵四"), QStringLiteral("钱五") };
    for (int i = 0; i < 5; ++i)
        AddExaminee(one, QStringLiteral("一班"), names[i], i % 2 ? QStringLiteral("女") : QStringLiteral("男"), 1,
            101 + i, i + 1);
    for (int i = 0; i < 3; ++i)
        AddExaminee(one, QStringLiteral("二班"), QStringLiteral("二班%1").arg(i + 1), QStringLiteral("男"), 2, 201 + i,
            i + 1);
    AddExaminee(one, QStringLiteral("三班"), QStringLiteral("三班1"), QStringLiteral("女"), 3, 301, 1);
    AddExaminee(QStringLiteral("第二中学"), QStringLiteral("一班"), QStringLiteral("孙六"), QStringLiteral("男"), 3, 302, 2);
    AddExaminee(QStringLiteral("第二中学"), QStringLiteral("一班"), QStringLiteral("周七"), QStringLiteral("女"), 3, 303, 3);
}

zizhuo &TicketFixture::OpenWindow()
{
    window = std::make_unique<frmMain>();
    TicketCommands::Connect(*window);
    TicketCommands::zhizhuo_Click();
    tickets = TicketCommands::Window();
    if (!tickets)
        throw std::runtime_error("the ticket window did not open");
    tickets->setPreview([this](frmDocument &document) {
        printed = document.Grid1->data();
        ++previews;
        documentsOpenDuringPreview = int(window->MdiArea()->subWindowList().size());
    });
    return *tickets;
}

QComboBox *TicketFixture::Combo(const QString &name) const
{
    return Control<QComboBox>(name);
}

void TicketFixture::Choose(const QString &combo, const QString &text)
{
    QComboBox *list = Combo(combo);
    const int index = list->findText(text);
    if (index < 0)
        throw std::runtime_error("no item " + text.toStdString() + " in " + combo.toStdString());
    list->setCurrentIndex(index);
    emit list->activated(index);
}

bool TicketFixture::RunJob()
{
    const int before = previews;
    Control<QPushButton>(QStringLiteral("Command1"))->click();
    return previews > before;
}
