#include "ListFixture.h"

#include "datastore/AppState.h"
#include "grid/Grid.h"
#include "lists/ListFill.h"
#include "lists/ListQuery.h"
#include "workspace/GridFill.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QLineEdit>

namespace {

using ListFillTest = ListFixture;

// The list fill keeps every promise of FillGridFromTable, so the layouts and the rewrite see
// the same grid whichever fill made it; the rooms come back instead of a column.
TEST_F(ListFillTest, FillsLikeTheTableFill)
{
    AddExaminee("一中", "1", "甲", 3, 301, 1);
    AddExaminee("一中", "1", "乙", QVariant(), QVariant(), QVariant());
    frmMain &main = OpenWindow();
    const QString columns = "学校,班级,姓名,性别,成绩,考场,考号,座位号";

    gDocTitle = "名单";
    main.LoadNewDoc();
    FillGridFromTable(GetDbPath(), gExamineeTable);
    Grid &byTable = *main.ActiveForm()->Grid1;
    const QString tableTitle = main.ActiveForm()->Text1->text();

    main.LoadNewDoc();
    const QStringList rooms = ListFill::FillGridFromQuery(GetDbPath(), ListQuery::All(columns, gExamineeTable));
    Grid &byQuery = *main.ActiveForm()->Grid1;

    EXPECT_EQ(rooms, (QStringList { "3", "" }));
    EXPECT_EQ(main.ActiveForm()->Text1->text(), tableTitle);
    EXPECT_EQ(main.ActiveForm()->windowTitle(), "名单");
    ASSERT_EQ(byQuery.Rows(), byTable.Rows());
    ASSERT_EQ(byQuery.Cols(), byTable.Cols());
    EXPECT_TRUE(byQuery.DisplayRowIndex());
    for (int col = 0; col < byTable.Cols(); ++col) {
        EXPECT_EQ(byQuery.Cell(0, col).text(), byTable.Cell(0, col).text()) << col;
        EXPECT_EQ(byQuery.Column(col).Mask(), byTable.Column(col).Mask()) << col;
        EXPECT_EQ(byQuery.Column(col).Width(), byTable.Column(col).Width()) << col;
    }
    for (int row = 0; row < byTable.Rows(); ++row)
        EXPECT_EQ(byQuery.Cell(row, 0).Tag(), byTable.Cell(row, 0).Tag()) << row;
}

} // namespace
