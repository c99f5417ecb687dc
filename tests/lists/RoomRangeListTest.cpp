#include "ListFixture.h"

#include "datastore/AppState.h"
#include "examrooms/ExamNoSettings.h"
#include "gridview/Grid.h"
#include "lists/RoomRangeList.h"
#include "workspace/frmMain.h"

namespace {

class RoomRangeListTest : public ListFixture {
protected:
    // Rooms 1-3, 5 and 12 hold examinees; room 4 stands empty.
    void AddRoomAndSeatExam()
    {
        gExamNoForm = "k2";
        for (int room : { 1, 2, 3, 5, 12 })
            for (int seat = 1; seat <= 3; ++seat)
                AddExaminee("一中", "1", "甲", room, room * 100 + seat, seat);
    }
};

TEST_F(RoomRangeListTest, EveryRoomWithItsNumbersCountAndLocation)
{
    AddRoomAndSeatExam();
    OpenWindow();
    RoomRangeList::qzkh_Click();
    EXPECT_EQ(Headers(), (QStringList { "考场", "首考号", "尾考号", "人数", "考场地点" }));
    EXPECT_EQ(Column("考场"), (QStringList { "1", "2", "3", "5", "12" }));
    EXPECT_EQ(Column("首考号"), (QStringList { "0101", "0201", "0301", "0501", "1201" }));
    EXPECT_EQ(Column("尾考号"), (QStringList { "0103", "0203", "0303", "0503", "1203" }));
    EXPECT_EQ(Column("人数"), (QStringList { "3", "3", "3", "3", "3" }));
    // Room 4 has no row; the rooms after it still find their locations.
    EXPECT_EQ(Column("考场地点"), (QStringList { "楼1", "楼2", "楼3", "楼5", "楼12" }));
    EXPECT_EQ(TitleBox(), "各考场首尾考号 （5）");
    EXPECT_EQ(ReportTitleTexts(), (QStringList { TitleBox(), "||" }));
    Grid &grid = Document();
    for (int col = 1; col < grid.Cols(); ++col)
        EXPECT_EQ(grid.Cell(grid.Rows() - 1, col).text(), "") << col;
    // The prefixed numbers are text: no number mask may reformat them.
    EXPECT_EQ(grid.Column(2).Mask(), MaskNone);
    EXPECT_EQ(grid.Column(3).Mask(), MaskNone);
}

// 人数 counts exam numbers: an examinee with a room but no number is not counted.
// The locations are read by column name: a room sheet with its columns in another order works.
TEST_F(RoomRangeListTest, RoomTableInAnotherOrder)
{
    AddRoomAndSeatExam();
    Execute("drop table " + gExamRoomTable);
    Execute("create table " + gExamRoomTable + " (考场地点 TEXT, 考场号 REAL, 考生数 REAL)");
    Execute("insert into " + gExamRoomTable + " values ('礼堂', 12, 30), ('操场', 2, 30)");
    OpenWindow();
    RoomRangeList::qzkh_Click();
    EXPECT_EQ(Column("考场地点"), (QStringList { "", "操场", "", "", "礼堂" }));
}

TEST_F(RoomRangeListTest, HeadCountCountsNumbers)
{
    gExamNoForm = "k2";
    AddExaminee("一中", "1", "甲", 3, 301, 1);
    AddExaminee("一中", "1", "乙", 3, QVariant(), QVariant());
    OpenWindow();
    RoomRangeList::qzkh_Click();
    EXPECT_EQ(Column("人数"), QStringList { "1" });
}

// The pads follow the room table as it is when the list is made, not when the window opened.
TEST_F(RoomRangeListTest, PadsFollowTheCurrentRoomCount)
{
    AddRoomAndSeatExam();
    OpenWindow();
    AddRooms(13, 120);
    RoomRangeList::qzkh_Click();
    EXPECT_EQ(Column("首考号").first(), "00101");
}

TEST_F(RoomRangeListTest, NoExaminees)
{
    OpenWindow();
    RoomRangeList::qzkh_Click();
    Grid &grid = Document();
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(Headers().last(), "考场地点");
    for (int col = 1; col < grid.Cols(); ++col)
        EXPECT_EQ(grid.Cell(1, col).text(), "") << col;
    EXPECT_EQ(TitleBox(), "各考场首尾考号 [没有记录]");
}

} // namespace
