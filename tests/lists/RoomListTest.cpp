#include "ListFixture.h"

#include "datastore/AppState.h"
#include "examrooms/ExamNoSettings.h"
#include "gridview/Grid.h"
#include "lists/ClassSchoolList.h"
#include "lists/RoomList.h"
#include "lists/RoomRangeList.h"
#include "workspace/frmMain.h"

#include <QLineEdit>

#include <functional>

namespace {

// The number the grid shows in front of each row below the header; 0 for none.
QList<int> RowNumbers(Grid &grid)
{
    QList<int> numbers;
    for (int row = 1; row < grid.Rows(); ++row)
        numbers << grid.data().rowIndex(row);
    return numbers;
}

class RoomListTest : public ListFixture {
protected:
    // Room 3 in room-and-seat numbers, written out of order; room 12; one examinee not yet
    // arranged.
    void AddSmallExam()
    {
        gExamNoPrefix.clear();
        gExamNoForm = QStringLiteral("k2");
        AddExaminee("一中", "3", "王五", 3, 303, 3);
        AddExaminee("O'Hara国际学校", "1", "张三", 3, 301, 1);
        AddExaminee("一中", "3", "李四", 3, 302, 2);
        AddExaminee("二中", "1", "赵六", 12, 1201, 1);
        AddExaminee("二中", "1", "孙七", 12, 1210, 10);
        AddExaminee("一中", "3", "未编", QVariant(), QVariant(), QVariant());
    }

    void ShowRoom(int room) { RoomList::gkc_Click(ItemIndex("gkc", double(room))); }
};

TEST_F(RoomListTest, OneRoomReadsLikeTheSheetOnItsDoor)
{
    AddSmallExam();
    OpenWindow();
    ShowRoom(3);

    Grid &grid = Document();
    EXPECT_EQ(Column("姓名"), (QStringList { "张三", "李四", "王五" }));
    EXPECT_EQ(Column("考号"), (QStringList { "0301", "0302", "0303" }));
    EXPECT_EQ(Column("考场"), (QStringList { "03", "03", "03" }));
    EXPECT_EQ(Column("座位号"), (QStringList { "01", "02", "03" }));
    EXPECT_EQ(Column("学校"), (QStringList { "O'Hara国际学校", "一中", "一中" }));
    EXPECT_EQ(TitleBox(), "期中考试第 3 考场安排表 （3）");

    // The last row: "考场地点" over columns 1-2, the location over the rest.
    const int last = grid.Rows() - 1;
    ASSERT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.Cell(last, 1).text(), "考场地点");
    EXPECT_EQ(grid.Cell(last, 3).text(), "楼3");
    EXPECT_EQ(grid.data().mergeAt(last, 2), CellRange::spanning(last, 1, last, 2));
    EXPECT_EQ(grid.data().mergeAt(last, 6), CellRange::spanning(last, 3, last, 6));
    // Seats are numbered 1 to 3 by the grid; the location line has no number.
    EXPECT_TRUE(grid.DisplayRowIndex());
    EXPECT_EQ(RowNumbers(grid), (QList<int> { 1, 2, 3, 0 }));
    for (int row = 0; row < grid.Rows(); ++row)
        EXPECT_EQ(grid.Cell(row, 0).text(), "") << row;

    EXPECT_EQ(ReportTitleTexts(), (QStringList { "期中考试第 3 考场安排表 （3）", "0301——0303" }));
    EXPECT_EQ(grid.RowHeight(last), 27);
    EXPECT_TRUE(grid.AutoRedraw());
}

// The numbers survive 编辑/删除行 and 插入行: the rows count on from 1 and the location line
// stays without a number.
TEST_F(RoomListTest, RowNumbersSurviveDeletesAndInserts)
{
    AddSmallExam();
    frmMain &main = OpenWindow();
    ShowRoom(3);
    Grid &grid = Document();
    grid.Range(2, 0, 2, grid.Cols() - 1).Selected();
    main.mnuDeleteByRow_Click();
    EXPECT_EQ(Column("姓名"), (QStringList { "张三", "王五" }));
    EXPECT_EQ(RowNumbers(grid), (QList<int> { 1, 2, 0 }));
    grid.Range(1, 0, 1, grid.Cols() - 1).Selected();
    main.mnuInsertRows_Click();
    EXPECT_EQ(RowNumbers(grid), (QList<int> { 1, 2, 3, 0 }));
    EXPECT_EQ(grid.Cell(grid.Rows() - 1, 1).text(), "考场地点");
}

// One rule for every list: the trailing empty row shows no number.
TEST_F(RoomListTest, NoListNumbersItsTrailingRow)
{
    AddSmallExam();
    frmMain &main = OpenWindow();
    const std::function<void()> lists[] = {
        [] { RoomList::gkc_Click(0); },
        [] { ClassSchoolList::gbj_Click(0); },
        [] { ClassSchoolList::gxx_Click(0); },
        [] { RoomRangeList::qzkh_Click(); },
    };
    for (const auto &list : lists) {
        list();
        Grid &grid = Document();
        const QList<int> numbers = RowNumbers(grid);
        EXPECT_EQ(numbers.last(), 0) << main.DocumentCount();
        EXPECT_EQ(numbers.at(numbers.size() - 2), grid.Rows() - 2) << main.DocumentCount();
        EXPECT_TRUE(grid.DisplayRowIndex());
    }
}

// Numbers of different lengths in one room: the title's first and last number are padded each
// by its own length, as the cells are.
TEST_F(RoomListTest, SerialNumbersOfDifferentLengths)
{
    gExamNoPrefix = "A";
    gExamNoForm = " 4";
    AddExaminee("一中", "1", "甲", 2, 98, 1);
    AddExaminee("一中", "1", "乙", 2, 99, 2);
    AddExaminee("一中", "1", "丙", 2, 100, 3);
    AddExaminee("一中", "1", "丁", 2, 12345, 4);
    OpenWindow();
    ShowRoom(2);
    EXPECT_EQ(Column("考号"), (QStringList { "A0098", "A0099", "A0100", "A12345" }));
    EXPECT_EQ(Column("考场"), (QStringList { "02", "02", "02", "02" }));
    EXPECT_EQ(ReportTitleTexts().value(1), "A0098——A12345");
}

TEST_F(RoomListTest, AllRoomsHaveOneTitleLineAndNoLocationLine)
{
    AddSmallExam();
    OpenWindow();
    RoomList::gkc_Click(0);

    Grid &grid = Document();
    ASSERT_EQ(grid.Rows(), 8);
    // Nulls sort first; the examinee without a number shows nothing invented.
    EXPECT_EQ(Column("姓名"), (QStringList { "未编", "张三", "李四", "王五", "赵六", "孙七" }));
    EXPECT_EQ(Column("考号"), (QStringList { "", "0301", "0302", "0303", "1201", "1210" }));
    EXPECT_EQ(Column("考场"), (QStringList { "", "03", "03", "03", "12", "12" }));
    EXPECT_EQ(Column("座位号"), (QStringList { "", "01", "02", "03", "01", "10" }));
    EXPECT_EQ(ReportTitleTexts(), QStringList { "期中考试安排表 （6）" });
    for (int col = 0; col < grid.Cols(); ++col)
        EXPECT_EQ(grid.Cell(grid.Rows() - 1, col).text(), "") << col;
}

TEST_F(RoomListTest, RoomWithoutExamineesShowsOnlyItsLocation)
{
    AddSmallExam();
    OpenWindow();
    ShowRoom(4);
    Grid &grid = Document();
    ASSERT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cell(1, 1).text(), "考场地点");
    EXPECT_EQ(grid.Cell(1, 3).text(), "空教室");
    EXPECT_EQ(TitleBox(), "期中考试第 4 考场安排表 [没有记录]");
    EXPECT_EQ(ReportTitleTexts(), QStringList { TitleBox() });
}

// Display settings that hide 考场 and 座位号: nothing is written where they would have been,
// and the room-and-seat zeros still follow each examinee's room.
TEST_F(RoomListTest, HiddenColumnsAreLeftAlone)
{
    AddSmallExam();
    gExamRoomColumns = "姓名,考号";
    OpenWindow();
    RoomList::gkc_Click(0);
    Grid &grid = Document();
    EXPECT_EQ(Headers(), (QStringList { "姓名", "考号" }));
    EXPECT_EQ(Column("考号"), (QStringList { "", "0301", "0302", "0303", "1201", "1210" }));
    for (int row = 0; row < grid.Rows(); ++row)
        EXPECT_EQ(grid.Cell(row, 0).text(), "") << row;
}

// Rooms added after the window opened (an import) count for the zeros at once.
TEST_F(RoomListTest, PadsFollowTheCurrentRoomCount)
{
    gExamNoForm = "k2";
    AddExaminee("一中", "1", "甲", 5, 501, 1);
    OpenWindow();
    AddRooms(13, 120);
    ShowRoom(5);
    EXPECT_EQ(Column("考场"), QStringList { "005" });
    EXPECT_EQ(Column("考号"), QStringList { "00501" });
}

// A failing query (a display column the table lacks) leaves an empty document, no crash.
TEST_F(RoomListTest, BadDisplayColumnsLeaveAnEmptyDocument)
{
    AddSmallExam();
    gExamRoomColumns = "姓名,不存在的列";
    OpenWindow();
    ShowRoom(3);
    EXPECT_EQ(DocumentCount(), 1);
    EXPECT_LE(Document().Rows(), 2);
}

TEST(RoomListLocationLine, FewColumnsKeepLabelAndLocation)
{
    const struct {
        int cols;
        QStringList texts;
    } cases[] = {
        { 2, { "考场地点 楼7" } },
        { 3, { "考场地点", "楼7" } },
        { 4, { "考场地点", "", "楼7" } },
    };
    for (const auto &c : cases) {
        Grid grid;
        grid.SetRows(2);
        grid.SetCols(c.cols);
        RoomList::WriteLocationLine(grid, "楼7");
        QStringList texts;
        for (int col = 1; col < c.cols; ++col)
            texts << grid.Cell(1, col).text();
        EXPECT_EQ(texts, c.texts) << c.cols;
        EXPECT_EQ(grid.Cell(1, 0).text(), "");
    }
}

} // namespace
