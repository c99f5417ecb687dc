#include "SettingsFixture.h"

#include "support/Control.h"

#include "datastore/AppState.h"
#include "datastore/ListTitles.h"
#include "db/Database.h"
#include "db/Recordset.h"
#include "gridview/Grid.h"
#include "lists/ClassSchoolList.h"
#include "lists/RoomList.h"
#include "settings/shezifrm.h"
#include "workspace/LoginGuard.h"
#include "workspace/frmDocument.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

using SettingsTitles = SettingsFixture;
using SettingsWindow = SettingsFixture;

const QStringList kFactoryTitles { "XX学校XX考试", "安排表", "XX年级XX考试安排表", "XX考试安排表", "XX学校XX年级段",
    "学生名单" };

QStringList Globals()
{
    return { gTitleExamRoom1, gTitleExamRoom2, gTitleSchool1, gTitleClass1, gTitleDivision1, gTitleDivision2 };
}

QList<QLineEdit *> Boxes(shezifrm &settings)
{
    QList<QLineEdit *> boxes;
    for (const char *name : { "kc1", "kc2", "xx1", "bj1", "fb1", "fb2" })
        boxes << Control<QLineEdit>(settings, name);
    return boxes;
}

QStringList Texts(const QObject &window, const char *type, std::initializer_list<const char *> names)
{
    QStringList texts;
    for (const char *name : names) {
        QObject *control = Control<QObject>(window, name);
        texts << control->property(type).toString();
    }
    return texts;
}

QStringList StoredTitles(const QString &dbPath)
{
    db::Database database;
    database.Open(dbPath);
    db::Recordset row = database.OpenRecordset(QStringLiteral("SELECT * FROM bttable"));
    QStringList texts;
    for (int i = 0; !row.EOF() && i < row.FieldCount(); ++i)
        texts << db::VbText(row.Fields(i).Value());
    return texts;
}

TEST_F(SettingsTitles, TheTabShowsTheCurrentTitlesWithTheirCaptions)
{
    gTitleExamRoom1 = "一中期中考试";
    OpenSettings();
    QStringList texts;
    for (QLineEdit *box : Boxes(*settingsWindow))
        texts << box->text();
    EXPECT_EQ(texts,
        QStringList({ "一中期中考试", "安排表", "XX年级XX考试安排表", "XX考试安排表", "XX学校XX年级段", "学生名单" }));
    EXPECT_EQ(Texts(*settingsWindow, "title", { "Frame1", "Frame2" }), QStringList({ "考场编排表标题", "分班表标题" }));
    EXPECT_EQ(Texts(*settingsWindow, "text", { "Label2", "Label3", "Label4", "Label5", "Label7", "Label8", "Label9" }),
        QStringList({ "按考场浏览：", "第X考场", "按学校浏览：", "XX学校", "按班级浏览：", "XX学校XX班级", "X班" }));
    EXPECT_EQ(Texts(*settingsWindow, "text", { "Command1", "Command2", "Command4", "Command5" }),
        QStringList({ "确 定", "取 消", "确定", "取消" }));
}

TEST_F(SettingsTitles, EachEmptyBoxIsRefusedWithItsMessage)
{
    const struct {
        int box;
        const char *message;
    } cases[] = {
        { 0, "请输入按考场浏览的标题！" },
        { 1, "请输入按考场浏览的标题！" },
        { 2, "请输入按学校浏览的标题！" },
        { 3, "请输入按班级浏览的标题！" },
        { 4, "请输入新生分班浏览的标题！" },
        { 5, "请输入新生分班浏览的标题！" },
    };
    OpenSettings();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.box);
        prompts.messages.clear();
        QList<QLineEdit *> boxes = Boxes(*settingsWindow);
        for (QLineEdit *box : boxes)
            box->setText("新标题");
        boxes[c.box]->clear();
        Control<QPushButton>(settingsWindow, "Command4")->click();
        EXPECT_EQ(prompts.messageTexts(), QStringList { QString::fromUtf8(c.message) });
        EXPECT_EQ(prompts.messages.first().title, QGuiApplication::applicationDisplayName());
        EXPECT_EQ(prompts.messages.first().offered, QMessageBox::Ok);
        EXPECT_EQ(Globals(), kFactoryTitles);
        EXPECT_EQ(StoredTitles(app.dbPath()), kFactoryTitles);
        ASSERT_NE(shezifrm::Instance(), nullptr);
    }
    // The first failing test speaks: an empty 考场 box wins over an empty 分班 box.
    prompts.messages.clear();
    Control<QLineEdit>(settingsWindow, "kc2")->clear();
    Control<QLineEdit>(settingsWindow, "fb1")->clear();
    Control<QPushButton>(settingsWindow, "Command4")->click();
    EXPECT_EQ(prompts.messageTexts(), QStringList { "请输入按考场浏览的标题！" });
}

TEST_F(SettingsTitles, StoredTitlesTitleTheNextLists)
{
    AddExaminee("一中", "3", "张三", 2, 201);
    OpenSettings();
    const QStringList titles { "一中期末考试", "座位表", "期末安排", "期末名单", "高一", "分班名单" };
    QList<QLineEdit *> boxes = Boxes(*settingsWindow);
    for (int i = 0; i < 6; ++i) {
        boxes[i]->selectAll();
        boxes[i]->insert(titles[i]);
    }
    Control<QTabWidget>(settingsWindow, "SSTab1")->setCurrentIndex(1);
    QTest::mouseClick(Control<QPushButton>(settingsWindow, "Command4"), Qt::LeftButton);
    DeliverDeletes();
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(shezifrm::Instance(), nullptr);
    EXPECT_EQ(Globals(), titles);
    EXPECT_EQ(StoredTitles(app.dbPath()), titles);

    RoomList::gkc_Click(0);
    EXPECT_EQ(window->ActiveForm()->Text1->text(), "一中期末考试座位表 （1）");
    ClassSchoolList::gxx_Click(0);
    EXPECT_EQ(window->ActiveForm()->Text1->text(), "期末安排 （1）");
    ClassSchoolList::gbj_Click(0);
    EXPECT_EQ(window->ActiveForm()->Text1->text(), "期末名单 （1）");
}

// The lists take new titles only once they are stored, and a failed store says so.
TEST_F(SettingsTitles, AFailedStoreIsSaidAndTheTitlesStay)
{
    const struct {
        const char *what;
        const char *sql;
        const char *message;
    } cases[] = {
        { "no row", "DELETE FROM bttable", "标题没有保存：数据文件的标题表中没有记录。" },
        { "no table", "DROP TABLE bttable", "标题没有保存：无法写入数据文件 " },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        prompts.messages.clear();
        OpenSettings();
        Execute(QString::fromUtf8(c.sql));
        Control<QLineEdit>(settingsWindow, "kc1")->setText("改过的标题");
        Control<QPushButton>(settingsWindow, "Command4")->click();
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages.first().text.startsWith(QString::fromUtf8(c.message)));
        EXPECT_EQ(Globals(), kFactoryTitles);
        ASSERT_NE(shezifrm::Instance(), nullptr);
        settingsWindow->close();
        DeliverDeletes();
    }
}

TEST(ListTitlesStore, ChangesTheFirstRowOnly)
{
    TestAppDir app;
    {
        db::Database database;
        database.Open(app.dbPath());
        database.Execute("INSERT INTO bttable VALUES ('a', 'b', 'c', 'd', 'e', 'f')");
    }
    ASSERT_TRUE((ListTitles { "1", "2", "3", "4", "5", "6" }).Store());
    db::Database database;
    database.Open(app.dbPath());
    db::Recordset rows = database.OpenRecordset("SELECT 考场1 || 分班2 FROM bttable ORDER BY rowid");
    QStringList texts;
    for (; !rows.EOF(); rows.MoveNext())
        texts << db::VbText(rows.Fields(0).Value());
    EXPECT_EQ(texts, QStringList({ "16", "af" }));
}

TEST_F(SettingsWindow, NeedsALoginAndOpensOnce)
{
    gLoggedIn = false;
    EXPECT_EQ(OpenSettings(), nullptr);
    EXPECT_EQ(prompts.messageTexts(), QStringList { kNotLoggedInMessage });
    EXPECT_TRUE(window->Command("shezhi")->isEnabled());

    app.logIn();
    shezifrm *first = OpenSettings();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    Control<QLineEdit>(first, "kc1")->setText("还没保存");
    EXPECT_EQ(OpenSettings(), first);
    EXPECT_EQ(Control<QLineEdit>(first, "kc1")->text(), "还没保存");
}

TEST_F(SettingsWindow, EveryCancelClosesWithoutStoring)
{
    for (const char *how : { "Command2", "Command5", "Escape" }) {
        SCOPED_TRACE(how);
        OpenSettings();
        Click(1, 1);
        Control<QLineEdit>(settingsWindow, "kc1")->setText("不要了");
        const QString name = QString::fromUtf8(how);
        if (name == "Escape")
            QTest::keyClick(settingsWindow, Qt::Key_Escape);
        else
            settingsWindow->findChild<QPushButton *>(name)->click();
        DeliverDeletes();
        EXPECT_EQ(shezifrm::Instance(), nullptr);
        EXPECT_EQ(StoredSetting(), "1,2,3,4,5,6,7,8");
        EXPECT_EQ(Globals(), kFactoryTitles);
        EXPECT_EQ(Control<QLineEdit>(OpenSettings(), "kc1")->text(), kFactoryTitles.first());
        settingsWindow->close();
        DeliverDeletes();
    }
}

} // namespace
