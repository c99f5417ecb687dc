#include "workspace/GridFill.h"
#include "MainWindowFixture.h"
#include "datastore/AppState.h"
#include "grid/Grid.h"
#include "workspace/frmDocument.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// A table of our own with a Double 学号, a text column and two Double score columns.
void MakeScoreTable(int rows)
{
    gDb.Open(GetDbPath());
    gDb.Execute(QStringLiteral("create table 成绩单 (学号 REAL, 姓名 TEXT, 语文 REAL, 备注 TEXT, 数学 DOUBLE)"));
    for (int i = 1; i <= rows; ++i)
        gDb.Execute(QStringLiteral("insert into 成绩单 values (?, ?, ?, ?, ?)"),
            { 2024000 + i, QStringLiteral("学生%1").arg(i), 60.5 + i, QVariant(), 90 - i });
    gDb.Close();
}

} // namespace

class GridFillTest : public MainWindowFixture {
protected:
    void SetUp() override { openWindow(); }

    frmDocument &fill(const QString &title, const QString &source)
    {
        window->LoadNewDoc();
        gDocTitle = title;
        FillGridFromTable(GetDbPath(), source);
        return *window->ActiveForm();
    }
};

TEST_F(GridFillTest, TableGivesHeaderOneRowPerRecordAndAnEmptyLastRow)
{
    MakeScoreTable(3);
    frmDocument &document = fill(QStringLiteral("成绩表"), QStringLiteral("成绩单"));
    Grid &grid = *document.Grid1;

    ASSERT_EQ(grid.Rows(), 5);
    ASSERT_EQ(grid.Cols(), 6);
    EXPECT_TRUE(grid.DisplayRowIndex());
    const QStringList header { "学号", "姓名", "语文", "备注", "数学" };
    for (int col = 1; col <= 5; ++col)
        EXPECT_EQ(grid.Cell(0, col).text(), header[col - 1]);
    EXPECT_EQ(grid.Cell(1, 1).text(), "2024001");
    EXPECT_EQ(grid.Cell(2, 2).text(), "学生2");
    EXPECT_EQ(grid.Cell(3, 3).text(), "63.5");
    EXPECT_EQ(grid.Cell(3, 4).text(), "");
    EXPECT_EQ(grid.Cell(3, 5).text(), "87");
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(grid.Cell(row, 0).Tag(), "U") << row;
    EXPECT_EQ(grid.Cell(4, 0).Tag(), "");
    for (int col = 1; col <= 5; ++col)
        EXPECT_EQ(grid.Cell(4, col).text(), "") << col;

    EXPECT_EQ(document.windowTitle(), "成绩表");
    EXPECT_EQ(document.Text1->text(), "成绩表 （3）");
}

TEST_F(GridFillTest, MasksAndWidthsFollowTheFieldTypes)
{
    MakeScoreTable(2);
    Grid &grid = *fill(QStringLiteral("成绩表"), QStringLiteral("成绩单")).Grid1;
    const int defaultWidth = GridData::DefaultColWidth;
    const struct {
        int col;
        int mask;
        int width;
    } expected[] = {
        { 1, MaskText, defaultWidth }, // 学号: the first column, and a Double that keeps its digits
        { 2, MaskNone, defaultWidth }, // 姓名
        { 3, MaskNumber, 50 }, // 语文
        { 4, MaskNone, defaultWidth }, // 备注
        { 5, MaskNumber, 50 }, // 数学, declared DOUBLE
    };
    for (const auto &e : expected) {
        EXPECT_EQ(grid.Column(e.col).Mask(), e.mask) << e.col;
        EXPECT_EQ(grid.Column(e.col).Width(), e.width) << e.col;
    }
}

TEST_F(GridFillTest, DoubleFirstColumnOtherThan学号TakesTheNumberMask)
{
    gDb.Open(GetDbPath());
    gDb.Execute(QStringLiteral("create table 分数 (成绩 REAL, 姓名 TEXT)"));
    gDb.Execute(QStringLiteral("insert into 分数 values (88, '张伟')"));
    gDb.Close();
    Grid &grid = *fill(QStringLiteral("分数"), QStringLiteral("分数")).Grid1;
    EXPECT_EQ(grid.Column(1).Mask(), MaskNumber);
    EXPECT_EQ(grid.Column(1).Width(), 50);
}

TEST_F(GridFillTest, SavedQueryIsFilledInItsOwnOrder)
{
    MakeScoreTable(4);
    gDb.Open(GetDbPath());
    gDb.CreateQueryDef(
        QStringLiteral("NewQry1"), QStringLiteral("select 姓名, 数学 from 成绩单 where 数学 < 88 order by 数学"));
    gDb.Close();
    frmDocument &document = fill(QStringLiteral("查询"), QStringLiteral("NewQry1"));
    Grid &grid = *document.Grid1;
    ASSERT_EQ(grid.Rows(), 4);
    ASSERT_EQ(grid.Cols(), 3);
    EXPECT_EQ(grid.Cell(1, 1).text(), "学生4");
    EXPECT_EQ(grid.Cell(2, 1).text(), "学生3");
    EXPECT_EQ(grid.Cell(2, 2).text(), "87");
    EXPECT_EQ(document.Text1->text(), "查询 （2）");
    EXPECT_FALSE(gDb.IsOpen());
}

TEST_F(GridFillTest, EmptySourceStillLeavesTheEmptyRowAndSaysNoRecords)
{
    frmDocument &document = fill(QStringLiteral("考生名单"), gExamineeTable);
    Grid &grid = *document.Grid1;
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 9);
    EXPECT_EQ(grid.Cell(0, 1).text(), "学校");
    EXPECT_EQ(grid.Cell(1, 0).Tag(), "");
    EXPECT_EQ(document.windowTitle(), "考生名单");
    EXPECT_EQ(document.Text1->text(), "考生名单 [没有记录]");
}

TEST_F(GridFillTest, MissingSourceLeavesAnEmptyDocumentAndClosesTheDatabase)
{
    frmDocument &document = fill(QStringLiteral("无"), QStringLiteral("没有这张表"));
    EXPECT_EQ(document.Grid1->Rows(), 1);
    EXPECT_FALSE(gDb.IsOpen());
}

TEST_F(GridFillTest, SourceNameWithAQuoteIsReadAsOneName)
{
    gDb.Open(GetDbPath());
    gDb.Execute(QStringLiteral("create table \"O'Hara\"\"表\" (姓名 TEXT)"));
    gDb.Execute(QStringLiteral("insert into \"O'Hara\"\"表\" values ('陈静')"));
    gDb.Close();
    frmDocument &document = fill(QStringLiteral("名单"), QStringLiteral("O'Hara\"表"));
    EXPECT_EQ(document.Grid1->Cell(1, 1).text(), "陈静");
}

TEST_F(GridFillTest, WithoutADocumentNothingHappens)
{
    MakeScoreTable(1);
    gDocTitle = QStringLiteral("成绩表");
    FillGridFromTable(GetDbPath(), QStringLiteral("成绩单"));
    LayoutListReport();
    LayoutStatisticsReport();
    EXPECT_EQ(window->ActiveForm(), nullptr);
    EXPECT_FALSE(gDb.IsOpen());
}

TEST_F(GridFillTest, ActiveChildThatIsNoDocumentIsNotTakenForOne)
{
    MakeScoreTable(1);
    window->LoadNewDoc();
    frmDocument *document = window->ActiveForm();
    ASSERT_NE(document, nullptr);
    QMdiSubWindow *other = window->MdiArea()->addSubWindow(new QWidget);
    other->show();
    window->MdiArea()->setActiveSubWindow(other);
    EXPECT_EQ(window->ActiveForm(), nullptr);

    gDocTitle = QStringLiteral("成绩表");
    FillGridFromTable(GetDbPath(), QStringLiteral("成绩单"));
    window->mnuPaste_Click();
    window->mnuMerge_Click();
    window->mnuDeleteByRow_Click();
    window->mnuSave_Click();
    EXPECT_EQ(document->Grid1->Rows(), GridData().rows());
    EXPECT_EQ(prompts.fileDialogs, 0);
    EXPECT_TRUE(prompts.messages.isEmpty());
}
