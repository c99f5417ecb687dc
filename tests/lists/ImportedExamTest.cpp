#include "ListFixture.h"

#include "datastore/AppState.h"
#include "examrooms/ExamNoSettings.h"
#include "gridview/Grid.h"
#include "lists/ClassSchoolList.h"
#include "lists/RoomList.h"
#include "workspace/frmMain.h"

#include <QAction>

namespace {

// The lists on workbooks as a school imports them through 导入数据/考场编排数据, then logs in.
class ImportedExamTest : public ListFixture {
protected:
    void Import(const QString &fixture)
    {
        prompts.files << TestAppDir::fixture(fixture);
        window->mnuImportExam_Click();
        LoadExamNoSettings();
    }
};

TEST_F(ImportedExamTest, SmallExam)
{
    OpenWindow();
    Import("exam-small.xls");
    RoomList::gkc_Click(ItemIndex("gkc", 2.0));
    EXPECT_EQ(Headers(), (QStringList { "学校", "班级", "姓名", "性别", "成绩", "考场", "考号", "座位号" }));
    EXPECT_EQ(Column("姓名"), (QStringList { "陈静", "杨磊", "赵敏", "黄强" }));
    EXPECT_EQ(Column("考号"), (QStringList { "201", "202", "203", "204" }));
    EXPECT_EQ(Column("考场"), (QStringList { "02", "02", "02", "02" }));
    EXPECT_EQ(Column("座位号"), (QStringList { "01", "02", "03", "04" }));
    EXPECT_EQ(Document().Cell(Document().Rows() - 1, 3).text(), "教学楼102");

    // A class stored as a number in the workbook.
    ClassSchoolList::gbj_Click(ItemIndex("gbj", QVariantList { "第一中学", "12" }));
    EXPECT_EQ(Column("姓名"), (QStringList { "李娜", "刘洋", "吴倩" }));
    EXPECT_EQ(Column("考场地点"), (QStringList { "教学楼101", "教学楼101", "实验楼201" }));
    EXPECT_EQ(TitleBox(), "第一中学12班考试安排表 （3）");
    // A class named with its 班 already.
    ClassSchoolList::gbj_Click(ItemIndex("gbj", QVariantList { "第一中学", "1班" }));
    EXPECT_EQ(TitleBox(), "第一中学1班考试安排表 （3）");
}

// A room sheet with 考场地点 first and its rooms out of order: the menu lists the rooms by
// number, and every room finds its own location.
TEST_F(ImportedExamTest, RoomSheetInAnotherOrder)
{
    OpenWindow();
    Import("exam-rooms-reordered.xls");
    QStringList rooms;
    for (int index = 0; index < window->MenuItemCount("gkc"); ++index)
        rooms << window->MenuItem("gkc", index)->text();
    EXPECT_EQ(rooms, (QStringList { "全部考场", "1", "2", "3" }));
    EXPECT_EQ(window->mRoomCount, 3);
    RoomList::gkc_Click(ItemIndex("gkc", 2.0));
    EXPECT_EQ(Document().Cell(Document().Rows() - 1, 3).text(), "教学楼102");
    ClassSchoolList::gbj_Click(ItemIndex("gbj", QVariantList { "第一中学", "12" }));
    EXPECT_EQ(Column("考场地点"), (QStringList { "教学楼101", "教学楼101", "实验楼201" }));
}

} // namespace
