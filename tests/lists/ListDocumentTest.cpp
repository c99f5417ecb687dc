#include "ListFixture.h"

#include "datastore/AppState.h"
#include "support/TestDataFile.h"
#include "gridview/Grid.h"
#include "lists/ClassSchoolList.h"
#include "workspace/GridFill.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QLineEdit>

namespace {

using ListDocumentTest = ListFixture;

QStringList Names(const QString &source)
{
    return TestDataFile::Texts("select 姓名 from " + source);
}

// A list shows what the table fill shows of the same columns: header, rows, tags, masks (but
// where the layout takes the number mask off the rewritten numbers) and title, plus the
// location; the room column the query adds for the rows' own use is never shown.
TEST_F(ListDocumentTest, ShowsWhatTheTableFillShows)
{
    AddExaminee("一中", "1", "甲", 3, 301, 1);
    AddExaminee("一中", "1", "乙", QVariant(), QVariant(), QVariant());
    gExamRoomColumns = "学校,班级,姓名,性别,成绩,考场,考号,座位号";
    frmMain &main = OpenWindow();

    gDocTitle = gTitleSchool1;
    main.LoadNewDoc();
    FillGridFromTable(GetDbPath(), gExamineeTable);
    Grid &byTable = *main.ActiveForm()->Grid1;
    const QString tableTitle = main.ActiveForm()->Text1->text();

    ClassSchoolList::gxx_Click(0);
    Grid &byList = Document();

    EXPECT_EQ(TitleBox(), tableTitle);
    EXPECT_EQ(main.ActiveForm()->windowTitle(), gTitleSchool1);
    ASSERT_EQ(byList.Rows(), byTable.Rows());
    ASSERT_EQ(byList.Cols(), byTable.Cols() + 1);
    EXPECT_EQ(byList.Cell(0, byTable.Cols()).text(), "考场地点");
    EXPECT_EQ(Column("考场地点"), (QStringList { "楼3", "" }));
    EXPECT_TRUE(byList.DisplayRowIndex());
    const QStringList rewritten { "考号", "考场", "座位号" };
    for (int col = 0; col < byTable.Cols(); ++col) {
        EXPECT_EQ(byList.Cell(0, col).text(), byTable.Cell(0, col).text()) << col;
        if (!rewritten.contains(byTable.Cell(0, col).text())) {
            EXPECT_EQ(byList.Column(col).Mask(), byTable.Column(col).Mask()) << col;
        }
    }
    for (int row = 0; row < byTable.Rows(); ++row)
        EXPECT_EQ(byList.Cell(row, 0).Tag(), byTable.Cell(row, 0).Tag()) << row;
}

// The list stays behind as the saved query "NewQry5", the chosen school in it as one value.
TEST_F(ListDocumentTest, LeavesTheListAsSavedQuery)
{
    AddExaminee("O'Hara国际学校", "1", "张三", 3, 301, 1);
    AddExaminee("一中", "1", "李四", 3, 302, 2);
    OpenWindow();
    ClassSchoolList::gxx_Click(ItemIndex("gxx", "O'Hara国际学校"));
    EXPECT_EQ(Names("NewQry5"), QStringList { "张三" });
    ClassSchoolList::gxx_Click(ItemIndex("gxx", "一中"));
    EXPECT_EQ(Names("NewQry5"), QStringList { "李四" });
}

// Display settings naming a column the table lacks: the list comes up empty, not with the
// examinees of the list shown before under the new title.
TEST_F(ListDocumentTest, FailedQueryShowsNoEarlierList)
{
    AddExaminee("一中", "1", "李四", 3, 302, 2);
    OpenWindow();
    ClassSchoolList::gxx_Click(0);
    ASSERT_EQ(Column("姓名"), QStringList { "李四" });

    gExamRoomColumns = "姓名,没有的列";
    ClassSchoolList::gxx_Click(0);
    EXPECT_EQ(DocumentCount(), 2);
    EXPECT_EQ(Column("姓名"), QStringList());
    EXPECT_LE(Document().Rows(), 2);
}

} // namespace
