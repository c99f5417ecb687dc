#include "ListFixture.h"
#include "support/PrintedTexts.h"

#include "datastore/AppState.h"
#include "examrooms/ExamNoSettings.h"
#include "gridview/Grid.h"
#include "lists/ClassSchoolList.h"
#include "workspace/frmMain.h"

#include <QAction>

namespace {

class ClassSchoolListTest : public ListFixture {
protected:
    void SetUp() override
    {
        gExamNoForm = "k2";
        AddExaminee("O'Hara国际学校", "1", "张三", 12, 1202, 2);
        AddExaminee("O'Hara国际学校", "1", "李四", 3, 305, 5);
        AddExaminee("O'Hara国际学校", "2", "王五", 3, 301, 1);
        AddExaminee("一中/分校", "3", "赵六", 5, 507, 7);
        AddExaminee("一中", "3", "孙七", 5, 502, 2);
        AddExaminee("一中", "3", "周八", 3, 310, 10);
        AddExaminee("一中", "3", "未编", QVariant(), QVariant(), QVariant());
    }

    void ShowClass(const QString &school, const QString &className)
    {
        ClassSchoolList::gbj_Click(ItemIndex("gbj", QVariantList { school, className }));
    }
    void ShowSchool(const QString &school) { ClassSchoolList::gxx_Click(ItemIndex("gxx", school)); }
};

TEST_F(ClassSchoolListTest, OneClassByRoomThenNumberWithItsLocations)
{
    OpenWindow();
    ShowClass("O'Hara国际学校", "1");
    EXPECT_EQ(Headers(), (QStringList { "学校", "班级", "姓名", "考号", "考场", "座位号", "考场地点" }));
    EXPECT_EQ(Column("姓名"), (QStringList { "李四", "张三" }));
    EXPECT_EQ(Column("考号"), (QStringList { "0305", "1202" }));
    EXPECT_EQ(Column("考场"), (QStringList { "03", "12" }));
    EXPECT_EQ(Column("座位号"), (QStringList { "05", "02" }));
    EXPECT_EQ(Column("考场地点"), (QStringList { "楼3", "楼12" }));
    EXPECT_EQ(TitleBox(), "O'Hara国际学校1班考试安排表 （2）");
    EXPECT_EQ(ReportTitleTexts(), (QStringList { TitleBox(), "||" }));

    // The location is the last column and gets the wide width, the school column what its
    // name needs to print whole; the last row stays empty.
    Grid &grid = Document();
    EXPECT_EQ(grid.Column(grid.Cols() - 1).Width(), 100);
    EXPECT_GT(grid.Column(1).Width(), 70);
    EXPECT_EQ(grid.Column(2).Width(), 70);
    EXPECT_EQ(CutTexts(grid.data()), "");
    for (int col = 1; col < grid.Cols(); ++col)
        EXPECT_EQ(grid.Cell(grid.Rows() - 1, col).text(), "") << col;
    EXPECT_TRUE(grid.AutoRedraw());
}

// Serial exam numbers that do not follow the rooms: the class list goes by room, then number;
// the school list by room, then seat.
TEST_F(ClassSchoolListTest, RoomFirstWhateverTheNumbers)
{
    AddExaminee("四中", "1", "甲", 5, 1, 2);
    AddExaminee("四中", "1", "乙", 3, 9, 2);
    AddExaminee("四中", "1", "丙", 3, 2, 1);
    AddExaminee("四中", "2", "丁", 3, 3, 3);
    OpenWindow();
    ShowClass("四中", "1");
    EXPECT_EQ(Column("姓名"), (QStringList { "丙", "乙", "甲" }));
    ShowSchool("四中");
    EXPECT_EQ(Column("姓名"), (QStringList { "丙", "乙", "丁", "甲" }));
}

// The pads follow the room table as it is when the list is made, not when the window opened.
TEST_F(ClassSchoolListTest, PadsFollowTheCurrentRoomCount)
{
    OpenWindow();
    AddRooms(13, 120);
    ShowClass("一中", "3");
    EXPECT_EQ(Column("考场"), (QStringList { "", "003", "005" }));
    ShowSchool("一中");
    EXPECT_EQ(Column("考场"), (QStringList { "", "003", "005" }));
}

// Schools in the order a Chinese reader looks for them: by pinyin, in the menu and the list.
using ClassSchoolListOrderTest = ListFixture;

TEST_F(ClassSchoolListOrderTest, SchoolsReadInPinyinOrder)
{
    for (const char *school : { "实验中学", "第一中学", "阿克苏中学", "北京中学" })
        AddExaminee(QString::fromUtf8(school), "1", "甲", 1, 101, 1);
    frmMain &main = OpenWindow();
    QStringList menu;
    for (int index = 1; index < main.MenuItemCount("gxx"); ++index)
        menu << main.MenuItem("gxx", index)->text();
    const QStringList pinyin { "阿克苏中学", "北京中学", "第一中学", "实验中学" };
    EXPECT_EQ(menu, pinyin);
    ClassSchoolList::gxx_Click(0);
    EXPECT_EQ(Column("学校"), pinyin);
}

// The menu items carry school and class as values: a "/" inside a name is no separator.
TEST_F(ClassSchoolListTest, NamesHoldingASlash)
{
    OpenWindow();
    ShowClass("一中/分校", "3");
    EXPECT_EQ(Column("姓名"), QStringList { "赵六" });
    EXPECT_EQ(TitleBox(), "一中/分校3班考试安排表 （1）");
    ShowSchool("一中/分校");
    EXPECT_EQ(Column("姓名"), QStringList { "赵六" });
    EXPECT_EQ(TitleBox(), "一中/分校考试安排 （1）");
}

TEST_F(ClassSchoolListTest, OneSchoolByRoomThenSeat)
{
    OpenWindow();
    ShowSchool("O'Hara国际学校");
    EXPECT_EQ(Column("姓名"), (QStringList { "王五", "李四", "张三" }));
    EXPECT_EQ(Column("座位号"), (QStringList { "01", "05", "02" }));
    EXPECT_EQ(Column("考场地点"), (QStringList { "楼3", "楼3", "楼12" }));
    EXPECT_EQ(TitleBox(), "O'Hara国际学校考试安排 （3）");
}

// "全部班级" and "全部学校" list the same rows, by school and then class in Chinese order, under
// their own titles. The class inserted last comes first in its school.
TEST_F(ClassSchoolListTest, EveryoneUnderEitherMenu)
{
    AddExaminee("一中", "1", "吴九", 7, 701, 1);
    OpenWindow();
    const QStringList names { "吴九", "孙七", "周八", "未编", "赵六", "张三", "李四", "王五" };
    const QStringList schools { "一中", "一中", "一中", "一中", "一中/分校", "O'Hara国际学校", "O'Hara国际学校",
        "O'Hara国际学校" };
    ClassSchoolList::gbj_Click(0);
    EXPECT_EQ(TitleBox(), "考试安排表 （8）");
    EXPECT_EQ(Column("姓名"), names);
    EXPECT_EQ(Column("学校"), schools);
    ClassSchoolList::gxx_Click(0);
    EXPECT_EQ(TitleBox(), "考试安排 （8）");
    EXPECT_EQ(Column("姓名"), names);
    EXPECT_EQ(Column("学校"), schools);

    // Nothing invented for the examinee not yet arranged.
    const int row = int(Column("姓名").indexOf("未编"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(Column("考号").at(row), "");
    EXPECT_EQ(Column("考场").at(row), "");
    EXPECT_EQ(Column("座位号").at(row), "");
    EXPECT_EQ(Column("考场地点").at(row), "");
}

// Display settings that hide 考场: the location column still finds each examinee's room, the
// room-and-seat numbers still get its zeros, and nothing lands in column 0.
TEST_F(ClassSchoolListTest, HiddenRoomColumn)
{
    gExamRoomColumns = "姓名,考号";
    OpenWindow();
    ShowSchool("O'Hara国际学校");
    EXPECT_EQ(Headers(), (QStringList { "姓名", "考号", "考场地点" }));
    EXPECT_EQ(Column("考号"), (QStringList { "0301", "0305", "1202" }));
    EXPECT_EQ(Column("考场地点"), (QStringList { "楼3", "楼3", "楼12" }));
    Grid &grid = Document();
    for (int row = 0; row < grid.Rows(); ++row)
        EXPECT_EQ(grid.Cell(row, 0).text(), "") << row;
}

// A room number no room can have finds no location, and no other room's either.
TEST_F(ClassSchoolListTest, RoomNumberBeyondAnyRoom)
{
    AddExaminee("三中", "1", "钱九", 1e12, 1e12 * 100 + 1, 1);
    OpenWindow();
    ShowSchool("三中");
    EXPECT_EQ(Column("考场"), QStringList { "1000000000000" });
    EXPECT_EQ(Column("考场地点"), QStringList { "" });
}

} // namespace
