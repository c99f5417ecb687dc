#include "workspace/GridFill.h"
#include "MainWindowFixture.h"
#include "datastore/AppState.h"
#include "gridview/Grid.h"
#include "support/TestDataFile.h"
#include "workspace/frmDocument.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

class GridFillTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        openWindow();
        // A Double 学号 first, then text and Double columns (REAL and DOUBLE declarations).
        TestDataFile::Execute("create table 成绩单 (学号 REAL, 姓名 TEXT, 语文 REAL, 备注 TEXT, 数学 DOUBLE)");
        QList<QVariantList> rows;
        for (int i = 1; i <= 3; ++i)
            rows.append({ 2024000 + i, QStringLiteral("学生%1").arg(i), 60.5 + i, QVariant(), 90 - i });
        TestDataFile::ExecuteRows("insert into 成绩单 values (?, ?, ?, ?, ?)", rows);
        TestDataFile::Execute("create table 分数 (成绩 REAL, 姓名 TEXT)");
        TestDataFile::CreateQuery("NewQry1", "select 姓名, 数学 from 成绩单 where 数学 < 89 order by 数学");
        TestDataFile::CloseConnection();
    }

    frmDocument &fill(const QString &title, const QString &source)
    {
        window->LoadNewDoc();
        gDocTitle = title;
        FillGridFromTable(GetDbPath(), source);
        return *window->ActiveForm();
    }
};

TEST_F(GridFillTest, TableGivesHeaderRecordsAnEmptyLastRowMasksAndTitles)
{
    frmDocument &document = fill("成绩表", "成绩单");
    Grid &grid = *document.Grid1;
    ASSERT_EQ(grid.Rows(), 5);
    ASSERT_EQ(grid.Cols(), 6);
    EXPECT_TRUE(grid.DisplayRowIndex());
    const QStringList rows[] = {
        { "", "学号", "姓名", "语文", "备注", "数学" },
        { "1", "2024001", "学生1", "61.5", "", "89" },
        { "4", "", "", "", "", "" },
    };
    for (int col = 1; col < 6; ++col) {
        EXPECT_EQ(grid.Cell(0, col).text(), rows[0][col]);
        EXPECT_EQ(grid.Cell(1, col).text(), rows[1][col]);
        EXPECT_EQ(grid.Cell(4, col).text(), rows[2][col]);
    }
    EXPECT_EQ(QStringList({ grid.Cell(1, 0).Tag(), grid.Cell(3, 0).Tag(), grid.Cell(4, 0).Tag() }),
        QStringList({ "U", "U", "" }));
    // 学号 keeps its digits as text; other Double fields are numbers, 50 wide.
    const int masks[] = { MaskText, MaskNone, MaskNumber, MaskNone, MaskNumber };
    const int widths[] = { GridData::DefaultColWidth, GridData::DefaultColWidth, 50, GridData::DefaultColWidth, 50 };
    for (int col = 1; col < 6; ++col) {
        EXPECT_EQ(grid.Column(col).Mask(), masks[col - 1]) << col;
        EXPECT_EQ(grid.Column(col).Width(), widths[col - 1]) << col;
    }
    EXPECT_EQ(document.windowTitle(), "成绩表");
    EXPECT_EQ(document.Text1->text(), "成绩表 （3）");
    // The fill leaves the file open for the next operation, and nothing of its own held in it.
    EXPECT_EQ(TestDataFile::ConnectionPath(), GetDbPath());
    EXPECT_FALSE(TestDataFile::ConnectionInTransaction());
}

TEST_F(GridFillTest, SavedQueryInItsOwnOrderAndEmptySourcesSayNoRecords)
{
    frmDocument &query = fill("查询", "NewQry1");
    ASSERT_EQ(query.Grid1->Rows(), 4);
    EXPECT_EQ(query.Grid1->Cell(1, 1).text(), "学生3");
    EXPECT_EQ(query.Grid1->Cell(2, 2).text(), "88");
    EXPECT_EQ(query.Text1->text(), "查询 （2）");

    frmDocument &empty = fill("分数", "分数");
    EXPECT_EQ(empty.Grid1->Rows(), 2);
    EXPECT_EQ(empty.Grid1->Cols(), 3);
    EXPECT_EQ(empty.Grid1->Column(1).Mask(), MaskNumber);
    EXPECT_EQ(empty.Grid1->Cell(1, 0).Tag(), "");
    EXPECT_EQ(empty.windowTitle(), "分数");
    EXPECT_EQ(empty.Text1->text(), "分数 [没有记录]");

    frmDocument &missing = fill("无", "没有这张表");
    EXPECT_EQ(missing.Grid1->Rows(), 1);
    EXPECT_TRUE(TestDataFile::ConnectionOpen());
    EXPECT_FALSE(TestDataFile::ConnectionInTransaction());
}

TEST_F(GridFillTest, WithoutADocumentOrWithAnotherChildActiveNothingHappens)
{
    gDocTitle = "成绩表";
    FillGridFromTable(GetDbPath(), "成绩单");
    LayoutListReport();
    LayoutStatisticsReport();
    EXPECT_FALSE(TestDataFile::ConnectionOpen());

    window->LoadNewDoc();
    frmDocument *document = window->ActiveForm();
    QMdiSubWindow *other = window->MdiArea()->addSubWindow(new QWidget);
    other->show();
    window->MdiArea()->setActiveSubWindow(other);
    EXPECT_EQ(window->ActiveForm(), nullptr);
    FillGridFromTable(GetDbPath(), "成绩单");
    window->mnuPaste_Click();
    window->mnuDeleteByRow_Click();
    window->mnuSave_Click();
    window->LayoutExamineeList();
    EXPECT_EQ(document->Grid1->Rows(), GridData().rows());
    EXPECT_EQ(document->Grid1->ReportTitles().Count(), 0);
    EXPECT_EQ(prompts.fileDialogs, 0);
}

TEST_F(GridFillTest, ADocumentHandedDownIsFilledUnderItsTitleAndHearsEachRecord)
{
    frmDocument document; // held by no main window
    QStringList heard;
    const int count = FillGridFromTable(document, GetDbPath(), "NewQry1", "筛选后", [&](int row, const FillRecord &record) {
        heard << QStringLiteral("%1:%2:%3").arg(row).arg(record.value("姓名").toString()).arg(record.value(1).toDouble());
    });
    EXPECT_EQ(count, 2);
    EXPECT_EQ(heard, QStringList({ "1:学生3:87", "2:学生2:88" }));
    EXPECT_EQ(document.windowTitle(), "筛选后");
    EXPECT_EQ(document.Text1->text(), "筛选后 （2）");
    EXPECT_EQ(window->ActiveForm(), nullptr);

    frmDocument missing;
    EXPECT_EQ(FillGridFromTable(missing, GetDbPath(), "没有这张表", "无"), -1);
}

// A helper field at the end of the source reaches the producer and no column.
TEST_F(GridFillTest, HelperFieldsReachTheHookOnly)
{
    frmDocument document;
    QStringList heard;
    const int count = FillGridFromTable(
        document, GetDbPath(), "NewQry1", "筛选后",
        [&](int row, const FillRecord &record) {
            heard << QStringLiteral("%1:%2").arg(row).arg(record.value("数学").toDouble());
        },
        1);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(heard, QStringList({ "1:87", "2:88" }));
    Grid &grid = *document.Grid1;
    ASSERT_EQ(grid.Cols(), 2);
    EXPECT_EQ(grid.Cell(0, 1).text(), "姓名");
    EXPECT_EQ(grid.Cell(1, 1).text(), "学生3");
    EXPECT_EQ(grid.Rows(), 4);
}
