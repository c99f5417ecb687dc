#include "ListFixture.h"

#include "datastore/AppState.h"
#include "examrooms/ShownExamNumber.h"
#include "gridview/Grid.h"
#include "lists/ClassSchoolList.h"
#include "lists/ListCommands.h"
#include "lists/ListQuery.h"
#include "lists/RoomList.h"
#include "lists/RoomRangeList.h"
#include "support/TestDataFile.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QLineEdit>

#include <functional>

namespace {

QStringList RowTexts(Grid &grid, int row)
{
    QStringList texts;
    for (int col = 1; col < grid.Cols(); ++col)
        texts << grid.Cell(row, col).text();
    return texts;
}

class ListWithoutWindowTest : public ListFixture {
protected:
    void SetUp() override
    {
        gExamRoomColumns = "姓名,考号,考场,座位号";
        AddExaminee("一中", "1", "乙", 3, 302, 2);
        AddExaminee("一中", "2", "甲", 3, 301, 1);
        AddExaminee("二中", "1", "丙", 12, 1201, 1);
    }

    const ShownExamNumber shown { "A", "k2", 12 };
};

// The lists are handed their document: no main window exists, and none is asked for.
TEST_F(ListWithoutWindowTest, RoomListFillsTheDocumentItIsHanded)
{
    ASSERT_EQ(gMainForm, nullptr);
    frmDocument document;
    RoomList::Show(document, 3.0, shown);
    Grid &grid = *document.Grid1;
    ASSERT_EQ(grid.Rows(), 4);
    EXPECT_EQ(RowTexts(grid, 0), (QStringList { "姓名", "考号", "考场", "座位号" }));
    EXPECT_EQ(RowTexts(grid, 1), (QStringList { "甲", "A0301", "03", "01" }));
    EXPECT_EQ(RowTexts(grid, 2), (QStringList { "乙", "A0302", "03", "02" }));
    EXPECT_EQ(RowTexts(grid, 3), (QStringList { "考场地点", "", "楼3", "" }));
    EXPECT_EQ(document.windowTitle(), "期中考试第 3 考场安排表");
    EXPECT_EQ(document.Text1->text(), "期中考试第 3 考场安排表 （2）");
    EXPECT_EQ(grid.ReportTitles().Count(), 2);
}

TEST_F(ListWithoutWindowTest, ClassAndRangeListsFillTheDocumentTheyAreHanded)
{
    frmDocument byClass;
    ClassSchoolList::Show(
        byClass, "一中考试安排", ListQuery::BySchool(gExamRoomColumns, gExamineeTable, "一中"), shown);
    EXPECT_EQ(RowTexts(*byClass.Grid1, 0), (QStringList { "姓名", "考号", "考场", "座位号", "考场地点" }));
    EXPECT_EQ(RowTexts(*byClass.Grid1, 1), (QStringList { "甲", "A0301", "03", "01", "楼3" }));
    EXPECT_EQ(byClass.Text1->text(), "一中考试安排 （2）");

    frmDocument ranges;
    RoomRangeList::Show(ranges, shown);
    EXPECT_EQ(RowTexts(*ranges.Grid1, 1), (QStringList { "3", "A0301", "A0302", "2", "楼3" }));
    EXPECT_EQ(RowTexts(*ranges.Grid1, 2), (QStringList { "12", "A1201", "A1201", "1", "楼12" }));
}

// The helper column that carries each row's room reaches no cell, also when 考场 is hidden.
TEST_F(ListWithoutWindowTest, TheRoomOfEachRowReachesNoCell)
{
    gExamRoomColumns = "姓名,考号";
    frmDocument document;
    ClassSchoolList::Show(document, "全部", ListQuery::All(gExamRoomColumns, gExamineeTable), shown);
    Grid &grid = *document.Grid1;
    EXPECT_EQ(RowTexts(grid, 0), (QStringList { "姓名", "考号", "考场地点" }));
    for (int row = 0; row < grid.Rows(); ++row)
        for (int col = 0; col < grid.Cols(); ++col)
            EXPECT_NE(grid.Cell(row, col).text(), ListQuery::kRoomKey) << row << "," << col;
    EXPECT_EQ(RowTexts(grid, 1), (QStringList { "丙", "A1201", "楼12" }));
}

// One list opens the data file once at most: not at all while the program's connection is
// open, once when it was closed (as at the start of a test).
TEST_F(ListWithoutWindowTest, EachListOpensTheDataFileOnceAtMost)
{
    frmMain &main = OpenWindow();
    ListCommands::Connect(main);
    const std::function<void()> lists[] = {
        [&] { RoomList::gkc_Click(ItemIndex("gkc", 3.0)); },
        [&] { RoomList::gkc_Click(0); },
        [&] {
            ClassSchoolList::gbj_Click(ItemIndex("gbj", QVariantList { "一中", "1" }));
        },
        [&] { ClassSchoolList::gxx_Click(0); },
        [&] { RoomRangeList::qzkh_Click(); },
    };
    int index = 0;
    for (const auto &list : lists) {
        int before = TestDataFile::FilesOpened();
        list();
        EXPECT_EQ(TestDataFile::FilesOpened() - before, 0) << index;

        TestDataFile::CloseConnection();
        before = TestDataFile::FilesOpened();
        list();
        EXPECT_EQ(TestDataFile::FilesOpened() - before, 1) << index;
        EXPECT_FALSE(TestDataFile::ConnectionInTransaction()) << index;
        ++index;
    }
    EXPECT_EQ(main.DocumentCount(), 2 * index);
}

} // namespace
