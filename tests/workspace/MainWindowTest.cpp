#include "MainWindowFixture.h"
#include "datastore/AppState.h"
#include "db/Database.h"
#include "grid/Grid.h"
#include "workspace/LoginGuard.h"
#include "workspace/frmDocument.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QSignalSpy>
#include <QStatusBar>

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
    return main.statusBar()->findChild<QLabel *>(QStringLiteral("StatusBar1Panel1"))->text();
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
    EXPECT_EQ(main.MenuItem("gkc", 1), nullptr);
    EXPECT_EQ(main.MenuItem("nothing", 0), nullptr);
    EXPECT_EQ(main.mRoomCount, 0);
    EXPECT_EQ(main.ActiveForm(), nullptr);
    EXPECT_FALSE(gLoggedIn);
    EXPECT_EQ(gMainForm, &main);
    EXPECT_EQ(StatusPanel1(main), "当前数据区： 数据区1");
}

TEST_F(MainWindowTest, MenusCarryTheValuesOfEachItem)
{
    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    frmMain &main = openWindow();

    EXPECT_EQ(Captions(main, "gkc"), (QStringList { "全部考场", "1", "2", "3" }));
    EXPECT_EQ(main.MenuItem("gkc", 2)->data().toDouble(), 2.0);
    EXPECT_EQ(Captions(main, "gxx"), (QStringList { "全部学校", "O'Hara国际学校", "第一中学" }));
    EXPECT_EQ(main.MenuItem("gxx", 1)->data().toString(), "O'Hara国际学校");
    EXPECT_EQ(Captions(main, "tjschoo"), (QStringList { "学校", "O'Hara国际学校", "第一中学" }));
    EXPECT_EQ(main.MenuItem("tjschoo", 2)->data().toString(), "第一中学");
    EXPECT_EQ(Captions(main, "gbj"),
        (QStringList { "全部班级", "O'Hara国际学校/1班", "O'Hara国际学校/2班", "第一中学/12", "第一中学/1班" }));
    const QVariantList schoolClass = main.MenuItem("gbj", 1)->data().toList();
    ASSERT_EQ(schoolClass.size(), 2);
    EXPECT_EQ(schoolClass[0].toString(), "O'Hara国际学校");
    EXPECT_EQ(schoolClass[1].toString(), "1班");
    EXPECT_FALSE(main.MenuItem("gbj", 0)->data().isValid());
    EXPECT_EQ(main.mRoomCount, 3);
}

TEST_F(MainWindowTest, RowsWithNullValuesMakeNoItem)
{
    gDb.Open(GetDbPath());
    gDb.Execute(
        QStringLiteral("insert into ") + gExamRoomTable + QStringLiteral(" values (null, 30, '无号'), (4, 30, '四')"));
    gDb.Execute(QStringLiteral("insert into ") + gExamineeTable
        + QStringLiteral(
            " (学校, 班级, 姓名) values (null, '1班', '甲'), ('一中', null, '乙'), ('一中', '2班', '丙')"));
    gDb.Close();
    frmMain &main = openWindow();
    EXPECT_EQ(Captions(main, "gkc"), (QStringList { "全部考场", "4" }));
    EXPECT_EQ(Captions(main, "gbj"), (QStringList { "全部班级", "一中/2班" }));
    EXPECT_EQ(Captions(main, "gxx"), (QStringList { "全部学校", "一中" }));
    EXPECT_EQ(main.mRoomCount, 1);
}

TEST_F(MainWindowTest, ImportRebuildsMenusRecountsRoomsAndNamesTheArea)
{
    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    frmMain &main = openWindow();
    ASSERT_EQ(main.MenuItemCount("gkc"), 4);
    app.logIn();

    prompts.files << TestAppDir::fixture("exam-other.xls");
    main.mnuImportExam_Click();

    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].title, "导入");
    EXPECT_EQ(prompts.messages[0].text, "数据导入成功。");
    EXPECT_EQ(Captions(main, "gkc"), (QStringList { "全部考场", "1" }));
    EXPECT_EQ(Captions(main, "gbj"), (QStringList { "全部班级", "实验小学/3班" }));
    EXPECT_EQ(Captions(main, "gxx"), (QStringList { "全部学校", "实验小学" }));
    EXPECT_EQ(Captions(main, "tjschoo"), (QStringList { "学校", "实验小学" }));
    EXPECT_EQ(main.mRoomCount, 1);
    EXPECT_EQ(StatusPanel1(main), "当前数据区： 数据区1exam-other");

    prompts.files << TestAppDir::fixture("exam-small.xls");
    main.mnuImportExam_Click();
    EXPECT_EQ(main.MenuItemCount("gxx"), 3);
    EXPECT_EQ(main.MenuItem("gxx", 1)->data().toString(), "O'Hara国际学校");
    EXPECT_EQ(main.mRoomCount, 3);
}

TEST_F(MainWindowTest, FailedImportShowsTheStoreMessageAndKeepsTheMenus)
{
    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    frmMain &main = openWindow();
    app.logIn();
    prompts.files << TestAppDir::fixture("exam-missing-sheet.xls");
    main.mnuImportExam_Click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].title, "导入");
    EXPECT_NE(prompts.messages[0].text, "数据导入成功。");
    EXPECT_FALSE(prompts.messages[0].text.isEmpty());
    EXPECT_EQ(main.MenuItemCount("gkc"), 4);
    EXPECT_EQ(main.mRoomCount, 3);
}

TEST_F(MainWindowTest, CancelledImportChangesNothing)
{
    frmMain &main = openWindow();
    app.logIn();
    main.mnuImportExam_Click();
    EXPECT_EQ(prompts.fileDialogs, 1);
    EXPECT_TRUE(prompts.messages.isEmpty());
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

    prompts.messages.clear();
    app.logIn();
    EXPECT_TRUE(RequireLogin(&main));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(MainWindowTest, MenuArraysReportTheChosenItem)
{
    ASSERT_TRUE(app.importExam("exam-small.xls").ok);
    frmMain &main = openWindow();
    QSignalSpy spy(&main, &frmMain::MenuArrayClicked);
    main.MenuItem("gkc", 3)->trigger();
    main.MenuItem("gbj", 0)->trigger();
    main.MenuItem("tjschoo", 1)->trigger();
    ASSERT_EQ(spy.size(), 3);
    EXPECT_EQ(spy[0][0].toString(), "gkc");
    EXPECT_EQ(spy[0][1].toInt(), 3);
    EXPECT_EQ(spy[1][0].toString(), "gbj");
    EXPECT_EQ(spy[1][1].toInt(), 0);
    EXPECT_EQ(spy[2][0].toString(), "tjschoo");
    EXPECT_EQ(spy[2][1].toInt(), 1);

    main.FillSchoolMenu();
    main.MenuItem("gxx", 2)->trigger();
    ASSERT_EQ(spy.size(), 4);
    EXPECT_EQ(spy[3][1].toInt(), 2);
}

TEST_F(MainWindowTest, CommandsAreFoundByNameAndUnbuiltOnesAreDisabled)
{
    frmMain &main = openWindow();
    for (const char *name : { "mnuLogin", "mnuOpen", "mnuSave", "mnuPrintPreview", "mnuExit", "mnuImportExam",
             "mnuPaste", "mnuMerge", "mnuUnMerge", "mnuInsertRows", "mnuInsertCols", "mnuDeleteByRow", "mnuDeleteByCol",
             "qzkh", "mnufileHelp" }) {
        ASSERT_NE(main.Command(name), nullptr) << name;
        EXPECT_TRUE(main.Command(name)->isEnabled()) << name;
    }
    for (const char *name : { "shaixwan", "jinjtj", "hbjc", "anbj", "anxx", "cjbxx", "zhizhuo", "shezhi" }) {
        ASSERT_NE(main.Command(name), nullptr) << name;
        EXPECT_FALSE(main.Command(name)->isEnabled()) << name;
    }
    EXPECT_EQ(main.Command("mnuPaste")->text(), "粘贴");
    EXPECT_EQ(main.Command("qzkh")->text(), "各考场首尾考号");
}

TEST_F(MainWindowTest, EachNewDocumentIsCountedAndBecomesActive)
{
    frmMain &main = openWindow();
    main.LoadNewDoc();
    frmDocument *first = main.ActiveForm();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->objectName(), "frmDocument");
    main.LoadNewDoc();
    frmDocument *second = main.ActiveForm();
    EXPECT_NE(second, first);
    EXPECT_EQ(main.DocumentCount(), 2);
    EXPECT_EQ(second->windowTitle(), "文档2");

    NewDocumentWindow();
    frmDocument *third = main.ActiveForm();
    EXPECT_NE(third, second);
    EXPECT_EQ(main.DocumentCount(), 2);
    EXPECT_EQ(main.MdiArea()->subWindowList().size(), 3);
}

TEST_F(MainWindowTest, EditingCommandsWithoutADocumentDoNothing)
{
    frmMain &main = openWindow();
    main.mnuCopy_Click();
    main.mnuPaste_Click();
    main.mnuMerge_Click();
    main.mnuUnMerge_Click();
    main.mnuInsertRows_Click();
    main.mnuInsertCols_Click();
    main.mnuDeleteByRow_Click();
    main.mnuDeleteByCol_Click();
    main.mnuSave_Click();
    main.mnuPrintPreview_Click();
    main.mnuDirectPrint_Click();
    EXPECT_EQ(main.ActiveForm(), nullptr);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.fileDialogs, 0);
}

TEST_F(MainWindowTest, EditingCommandsActOnTheSelectionOfTheActiveDocument)
{
    frmMain &main = openWindow();
    main.LoadNewDoc();
    Grid &grid = *main.ActiveForm()->Grid1;
    grid.SetRows(4);
    grid.SetCols(4);
    grid.Cell(1, 1).SetText("甲");
    grid.Cell(1, 2).SetText("乙");

    grid.Range(1, 1, 1, 2).Selected();
    main.mnuMerge_Click();
    EXPECT_TRUE(grid.Range(1, 1, 1, 2).MergeCells());
    main.mnuUnMerge_Click();
    EXPECT_FALSE(grid.Range(1, 1, 1, 2).MergeCells());

    main.mnuCopy_Click();
    grid.Range(3, 1, 3, 1).Selected();
    main.mnuPaste_Click();
    EXPECT_EQ(grid.Cell(3, 1).text(), "甲");
    EXPECT_EQ(grid.Cell(3, 2).text(), "乙");

    grid.Range(1, 1, 1, 1).Selected();
    main.mnuInsertRows_Click();
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Cell(2, 1).text(), "甲");
    main.mnuDeleteByRow_Click();
    EXPECT_EQ(grid.Rows(), 4);
    main.mnuInsertCols_Click();
    EXPECT_EQ(grid.Cols(), 5);
    main.mnuDeleteByCol_Click();
    EXPECT_EQ(grid.Cols(), 4);
    EXPECT_EQ(grid.Cell(1, 1).text(), "甲");
}

TEST_F(MainWindowTest, SaveWritesAGridFileAndSaysSo)
{
    frmMain &main = openWindow();
    main.LoadNewDoc();
    main.ActiveForm()->Grid1->Cell(1, 1).SetText("张伟");
    const QString path = QDir(app.path()).filePath("名单");
    prompts.files << path;
    main.mnuSave_Click();
    ASSERT_TRUE(QFile::exists(path + ".cel"));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "数据保存成功。");
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Warning);

    prompts.files << path + ".cel";
    main.mnuOpen_Click();
    EXPECT_EQ(main.ActiveForm()->Grid1->Cell(1, 1).text(), "张伟");
}

TEST_F(MainWindowTest, SaveThatFailsSaysSoInsteadOfSuccess)
{
    frmMain &main = openWindow();
    main.LoadNewDoc();
    prompts.files << QDir(app.path()).filePath("没有这个文件夹/名单.cel");
    main.mnuSave_Click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_NE(prompts.messages[0].text, "数据保存成功。");
    EXPECT_FALSE(prompts.messages[0].text.isEmpty());
}

TEST_F(MainWindowTest, CancelledSaveSaysNothing)
{
    frmMain &main = openWindow();
    main.LoadNewDoc();
    main.mnuSave_Click();
    EXPECT_EQ(prompts.fileDialogs, 1);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(MainWindowTest, OpenWithoutADocumentOpensOneFirst)
{
    frmMain &main = openWindow();
    main.mnuOpen_Click();
    EXPECT_NE(main.ActiveForm(), nullptr);
    EXPECT_EQ(main.DocumentCount(), 1);
}

TEST_F(MainWindowTest, HelpSaysWhenItsFileIsMissing)
{
    frmMain &main = openWindow();
    main.mnufileHelp_Click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "帮助文件不存在。");
    EXPECT_EQ(prompts.messages[0].title, "提示");
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Warning);
}
