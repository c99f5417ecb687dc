#include "MainWindowFixture.h"
#include "datastore/AppState.h"
#include "gridview/Grid.h"
#include "support/TestDataFile.h"
#include "workspace/LoginGuard.h"
#include "workspace/frmDocument.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

namespace {

QStringList Captions(const frmMain &main, const QString &array)
{
    QStringList captions;
    for (int i = 0; i < main.MenuItemCount(array); ++i)
        captions << main.MenuItem(array, i)->text();
    return captions;
}

QString StatusPanel1(frmMain &main)
{
    return main.statusBar()->findChild<QLabel *>("StatusBar1Panel1")->text();
}

} // namespace

class MainWindowTest : public MainWindowFixture { };

TEST_F(MainWindowTest, FreshStartHasOnlyTheFixedItemsNoDocumentAndTheArea)
{
    frmMain &main = openWindow();
    EXPECT_EQ(Captions(main, "gkc"), QStringList { "全部考场" });
    EXPECT_EQ(Captions(main, "gbj"), QStringList { "全部班级" });
    EXPECT_EQ(Captions(main, "gxx"), QStringList { "全部学校" });
    EXPECT_EQ(Captions(main, "tjschoo"), QStringList { "学校" });
    EXPECT_EQ(main.mRoomCount, 0);
    EXPECT_EQ(main.ActiveForm(), nullptr);
    EXPECT_FALSE(gLoggedIn);
    EXPECT_EQ(StatusPanel1(main), "当前数据区： 数据区1");
}

TEST_F(MainWindowTest, MenuItemsCarryTheirValuesAndNullRowsMakeNone)
{
    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    TestDataFile::Execute("insert into " + gExamRoomTable + " values (null, 30, '无号')");
    TestDataFile::Execute("insert into " + gExamineeTable + " (学校, 班级) values (null, '1班'), ('第一中学', null)");
    frmMain &main = openWindow();

    EXPECT_EQ(Captions(main, "gkc"), (QStringList { "全部考场", "1", "2", "3" }));
    EXPECT_EQ(main.MenuItem("gkc", 2)->data().toDouble(), 2.0);
    // Schools and classes in Chinese order: Chinese names first, by pinyin.
    EXPECT_EQ(Captions(main, "gxx"), (QStringList { "全部学校", "第一中学", "O'Hara国际学校" }));
    EXPECT_EQ(main.MenuItem("gxx", 2)->data().toString(), "O'Hara国际学校");
    EXPECT_EQ(Captions(main, "tjschoo"), (QStringList { "学校", "第一中学", "O'Hara国际学校" }));
    EXPECT_EQ(Captions(main, "gbj"),
        (QStringList { "全部班级", "第一中学/12", "第一中学/1班", "O'Hara国际学校/1班", "O'Hara国际学校/2班" }));
    EXPECT_EQ(main.MenuItem("gbj", 3)->data().toList(), (QVariantList { "O'Hara国际学校", "1班" }));
    EXPECT_FALSE(main.MenuItem("gbj", 0)->data().isValid());
    EXPECT_EQ(main.mRoomCount, 3);
}

TEST_F(MainWindowTest, ImportRebuildsMenusRecountsRoomsAndNamesTheArea)
{
    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    frmMain &main = openWindow();
    app.logIn();

    prompts.files << TestAppDir::fixture("exam-other.xls");
    prompts.buttons << QMessageBox::Yes;
    main.mnuImportExam_Click();
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages[1].title, "导入");
    EXPECT_EQ(prompts.messages[1].text, "数据导入成功。");
    EXPECT_EQ(Captions(main, "gkc"), (QStringList { "全部考场", "1" }));
    EXPECT_EQ(Captions(main, "gbj"), (QStringList { "全部班级", "实验小学/3班" }));
    EXPECT_EQ(Captions(main, "gxx"), (QStringList { "全部学校", "实验小学" }));
    EXPECT_EQ(Captions(main, "tjschoo"), (QStringList { "学校", "实验小学" }));
    EXPECT_EQ(main.mRoomCount, 1);
    EXPECT_EQ(StatusPanel1(main), "当前数据区： 数据区1exam-other");

    prompts.files << TestAppDir::fixture("exam-missing-sheet.xls") << QString();
    main.mnuImportExam_Click();
    main.mnuImportExam_Click();
    ASSERT_EQ(prompts.messages.size(), 3);
    EXPECT_EQ(prompts.messages[2].title, "导入");
    EXPECT_NE(prompts.messages[2].text, "数据导入成功。");
    EXPECT_EQ(main.MenuItemCount("gkc"), 2);
    EXPECT_EQ(main.mRoomCount, 1);
}

TEST_F(MainWindowTest, GuardedCommandsOnlySayWhoMustLogIn)
{
    frmMain &main = openWindow();
    main.mnuImportExam_Click();
    EXPECT_FALSE(RequireLogin(&main));
    ASSERT_EQ(prompts.messages.size(), 2);
    for (const ScriptedPrompts::Shown &shown : prompts.messages) {
        EXPECT_EQ(shown.text, "你还没有登录，请先登录。在菜单：文件/登录 下 登录。");
        EXPECT_EQ(shown.title, QGuiApplication::applicationDisplayName());
    }
    EXPECT_EQ(prompts.fileDialogs, 0);
    app.logIn();
    EXPECT_TRUE(RequireLogin(&main));
    EXPECT_EQ(prompts.messages.size(), 2);
}

TEST_F(MainWindowTest, MenuArraysReportTheChosenItemAlsoAfterARebuild)
{
    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    frmMain &main = openWindow();
    QSignalSpy spy(&main, &frmMain::MenuArrayClicked);
    main.MenuItem("gkc", 3)->trigger();
    main.MenuItem("gbj", 0)->trigger();
    main.RefreshAreaData();
    main.MenuItem("tjschoo", 2)->trigger();
    ASSERT_EQ(spy.size(), 3);
    const QList<QVariantList> expected { { "gkc", 3 }, { "gbj", 0 }, { "tjschoo", 2 } };
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(spy[i], expected[i]);
}

TEST_F(MainWindowTest, EachNewDocumentIsCountedAndBecomesActive)
{
    frmMain &main = openWindow();
    main.LoadNewDoc();
    frmDocument *first = main.ActiveForm();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->objectName(), "frmDocument");
    main.LoadNewDoc();
    EXPECT_NE(main.ActiveForm(), first);
    EXPECT_EQ(main.ActiveForm()->windowTitle(), "文档2");
    NewDocumentWindow();
    EXPECT_EQ(main.DocumentCount(), 2);
    EXPECT_EQ(main.MdiArea()->subWindowList().size(), 3);
}

TEST_F(MainWindowTest, DocumentCommandsWithoutADocumentDoNothing)
{
    frmMain &main = openWindow();
    for (void (frmMain::*command)() : { &frmMain::mnuCopy_Click, &frmMain::mnuPaste_Click, &frmMain::mnuMerge_Click,
             &frmMain::mnuUnMerge_Click, &frmMain::mnuInsertRows_Click, &frmMain::mnuInsertCols_Click,
             &frmMain::mnuDeleteByRow_Click, &frmMain::mnuDeleteByCol_Click, &frmMain::mnuSave_Click,
             &frmMain::mnuPrintPreview_Click, &frmMain::mnuDirectPrint_Click })
        (main.*command)();
    EXPECT_EQ(main.ActiveForm(), nullptr);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.fileDialogs, 0);
}

// A saved window bears the saved file's name, as an opened one does; its title box (the
// printed title) keeps what it said. A cancelled or failed save leaves the caption alone.
TEST_F(MainWindowTest, SaveSaysWhetherItWorkedAndOpenReadsItBack)
{
    frmMain &main = openWindow();
    frmDocument &document = *main.LoadNewDoc();
    document.setWindowTitle("各考场首尾考号");
    document.Text1->setText("各考场首尾考号 （105）");
    document.Grid1->Cell(1, 1).SetText("张伟");
    const QString path = QDir(app.path()).filePath("名单");
    prompts.files << QString() << path << QDir(app.path()).filePath("没有这个文件夹/名单2.cel");
    const char *captions[] = { "各考场首尾考号", "名单.cel", "名单.cel" };
    for (const char *caption : captions) {
        main.mnuSave_Click();
        EXPECT_EQ(document.windowTitle(), caption);
        EXPECT_EQ(main.MdiArea()->currentSubWindow()->windowTitle(), caption);
        EXPECT_EQ(document.Text1->text(), "各考场首尾考号 （105）");
    }
    ASSERT_EQ(prompts.messages.size(), 2);
    EXPECT_EQ(prompts.messages[0].text, "数据保存成功。");
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Warning);
    EXPECT_NE(prompts.messages[1].text, "数据保存成功。");
    EXPECT_FALSE(prompts.messages[1].text.isEmpty());

    main.MdiArea()->closeAllSubWindows();
    prompts.files << path + ".cel";
    main.mnuOpen_Click();
    ASSERT_NE(main.ActiveForm(), nullptr);
    EXPECT_EQ(main.ActiveForm()->Grid1->Cell(1, 1).text(), "张伟");
}

// 文件/打开 reads a file into the active list's window: the window then bears the file's name,
// not the list's title over another list's rows. A cancelled or failed open leaves it as it was.
TEST_F(MainWindowTest, OpenedFileNamesItsWindow)
{
    frmMain &main = openWindow();
    frmDocument &saved = *main.LoadNewDoc();
    saved.Grid1->Cell(1, 1).SetText("O'Hara国际学校");
    const QString path = QDir(app.path()).filePath("第7考场 名单.cel");
    ASSERT_TRUE(saved.Grid1->SaveFile(path));
    const QString notAGridFile = QDir(app.path()).filePath("随便.cel");
    QFile(notAGridFile).open(QIODevice::WriteOnly);

    frmDocument &list = *main.LoadNewDoc();
    list.setWindowTitle("各考场首尾考号");
    list.Text1->setText("各考场首尾考号 （105）");
    prompts.files << QString() << notAGridFile << path;
    const struct {
        const char *name;
        QString caption;
        QString title;
        int messages;
    } steps[] = {
        { "cancelled", "各考场首尾考号", "各考场首尾考号 （105）", 0 },
        { "not a grid file", "各考场首尾考号", "各考场首尾考号 （105）", 1 },
        { "read", "第7考场 名单.cel", "第7考场 名单", 1 },
    };
    for (const auto &step : steps) {
        main.mnuOpen_Click();
        ASSERT_EQ(main.ActiveForm(), &list) << step.name;
        EXPECT_EQ(list.windowTitle(), step.caption) << step.name;
        EXPECT_EQ(main.MdiArea()->currentSubWindow()->windowTitle(), step.caption) << step.name;
        EXPECT_EQ(list.Text1->text(), step.title) << step.name;
        EXPECT_EQ(prompts.messages.size(), step.messages) << step.name;
    }
    EXPECT_EQ(prompts.messages.last().title, "提示");
    EXPECT_EQ(list.Grid1->Cell(1, 1).text(), "O'Hara国际学校");
}

TEST_F(MainWindowTest, HelpSaysWhenItsFileIsMissing)
{
    frmMain &main = openWindow();
    main.mnufileHelp_Click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "帮助文件不存在。");
    EXPECT_EQ(prompts.messages[0].title, "提示");
}

// A big school's menus: 1,700 rooms and 60 schools of 20 classes. Each menu stays on the screen
// and scrolls, so that its last entry can be reached; spread into columns it ran far off the
// screen's right edge.
TEST_F(MainWindowTest, LongMenusScrollWithinTheScreen)
{
    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    QList<QVariantList> rooms;
    for (int room = 4; room <= 1700; ++room)
        rooms.append({ room, QStringLiteral("楼%1").arg(room) });
    TestDataFile::ExecuteRows("insert into " + gExamRoomTable + " values (?, 30, ?)", rooms);
    QList<QVariantList> classes;
    for (int school = 1; school <= 60; ++school)
        for (int grade = 1; grade <= 20; ++grade)
            classes.append({ QStringLiteral("第%1中学").arg(school), QStringLiteral("%1班").arg(grade) });
    TestDataFile::ExecuteRows("insert into " + gExamineeTable + " (学校, 班级) values (?, ?)", classes);
    frmMain &main = openWindow();
    main.show();
    const QRect screen = main.screen()->availableGeometry();
    for (const QString array : { "gkc", "gbj" }) {
        SCOPED_TRACE(array.toStdString());
        ASSERT_GT(main.MenuItemCount(array), 1200);
        QAction *last = main.MenuItem(array, main.MenuItemCount(array) - 1);
        QMenu *menu = qobject_cast<QMenu *>(last->parent());
        ASSERT_NE(menu, nullptr);
        menu->popup(screen.topLeft());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        // One column, no taller than the screen.
        EXPECT_LT(menu->geometry().right(), screen.right()) << menu->geometry().width();
        EXPECT_LE(menu->height(), screen.height());
        // Down to the last entry, as the keyboard or the scroll arrows take it.
        menu->setActiveAction(last);
        EXPECT_TRUE(menu->rect().contains(menu->actionGeometry(last))) << menu->actionGeometry(last).x();
        menu->close();
    }
}
