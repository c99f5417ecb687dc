#include "ListFixture.h"

#include "datastore/AppState.h"
#include "examrooms/ExamNoSettings.h"
#include "lists/ClassSchoolList.h"
#include "lists/ListCommands.h"
#include "lists/RoomList.h"
#include "lists/RoomRangeList.h"
#include "support/TestDataFile.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

using ListCommandsTest = ListFixture;

// Each menu item opens its own list; earlier lists stay open.
TEST_F(ListCommandsTest, MenuItemsOpenTheirLists)
{
    gExamNoForm = "k2";
    AddExaminee("O'Hara国际学校", "1", "张三", 3, 301, 1);
    frmMain &main = OpenWindow();
    ListCommands::Connect(main);

    main.MenuItem("gkc", ItemIndex("gkc", 3.0))->trigger();
    EXPECT_EQ(TitleBox(), "期中考试第 3 考场安排表 （1）");
    main.MenuItem("gbj", ItemIndex("gbj", QVariantList { "O'Hara国际学校", "1" }))->trigger();
    EXPECT_EQ(TitleBox(), "O'Hara国际学校1班考试安排表 （1）");
    main.MenuItem("gxx", ItemIndex("gxx", "O'Hara国际学校"))->trigger();
    EXPECT_EQ(TitleBox(), "O'Hara国际学校考试安排 （1）");
    main.MenuItem("gkc", 0)->trigger();
    EXPECT_EQ(TitleBox(), "期中考试安排表 （1）");
    main.Command("qzkh")->trigger();
    EXPECT_EQ(TitleBox(), "各考场首尾考号 （1）");

    EXPECT_EQ(main.MdiArea()->subWindowList().size(), 5);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ListCommandsTest, NobodyLoggedInGetsTheMessageOnly)
{
    frmMain &main = OpenWindow();
    gLoggedIn = false;
    RoomList::gkc_Click(0);
    ClassSchoolList::gbj_Click(0);
    ClassSchoolList::gxx_Click(0);
    RoomRangeList::qzkh_Click();
    EXPECT_EQ(prompts.messageTexts(), QStringList(4, "你还没有登录，请先登录。在菜单：文件/登录 下 登录。"));
    EXPECT_EQ(main.MdiArea()->subWindowList().size(), 0);
}

// An area whose examinee table is gone (a data file of an older version, or one changed by
// hand) has nothing to list: each list says the examinees must be imported first.
TEST_F(ListCommandsTest, AnAreaWithoutExamineesSaysToImportThemFirst)
{
    frmMain &main = OpenWindow();
    Execute("DROP TABLE " + TestDataFile::Quoted(gExamineeTable));
    RoomList::gkc_Click(0);
    ClassSchoolList::gbj_Click(0);
    ClassSchoolList::gxx_Click(0);
    RoomRangeList::qzkh_Click();
    EXPECT_EQ(prompts.messageTexts(),
        QStringList(4, "当前数据区还没有考生表，名单没有生成。请先导入考生：导入数据/考场编排数据。"));
    EXPECT_EQ(main.MdiArea()->subWindowList().size(), 0);
}

} // namespace
