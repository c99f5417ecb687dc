#include "MainWindowFixture.h"
#include "grid/Grid.h"
#include "workspace/GridFill.h"
#include "workspace/frmDocument.h"

#include <QLineEdit>

namespace {

// A document as a list leaves it before its layout: the header in row 0, data from column 1.
frmDocument &MakeList(frmMain &main, const QStringList &header, int dataRows, const QString &title)
{
    main.LoadNewDoc();
    frmDocument &document = *main.ActiveForm();
    Grid &grid = *document.Grid1;
    grid.SetCols(int(header.size()) + 1);
    grid.SetRows(dataRows + 2);
    for (int col = 1; col <= header.size(); ++col) {
        grid.Cell(0, col).SetText(header[col - 1]);
        grid.Column(col).SetMask(MaskNumber);
        for (int row = 1; row <= dataRows; ++row)
            grid.Cell(row, col).SetText(QStringLiteral("%1").arg(row * 10 + col));
    }
    document.Text1->setText(title);
    return document;
}

void ExpectListPage(const PageSetup &page)
{
    EXPECT_EQ(page.Orientation, 1);
    EXPECT_EQ(page.LeftMargin, 2);
    EXPECT_EQ(page.RightMargin, 2);
    EXPECT_EQ(page.TopMargin, 2);
    EXPECT_EQ(page.BottomMargin, 2);
    EXPECT_EQ(page.HeaderMargin, 1);
    EXPECT_EQ(page.FooterMargin, 1);
    EXPECT_TRUE(page.BlackAndWhite);
    EXPECT_TRUE(page.PrintFixedRow);
    EXPECT_TRUE(page.PrintFixedColumn);
    EXPECT_TRUE(page.PrintGridlines);
    EXPECT_EQ(page.PrintTitleRows, 0);
    EXPECT_TRUE(page.CenterHorizontally);
    EXPECT_EQ(page.Footer, "共&n页  第&p页");
}

void ExpectTitle(const ReportTitle &title, const QString &text, const QString &font, double size, int alignTo)
{
    EXPECT_EQ(title.text, text);
    EXPECT_EQ(title.Font.Name, font);
    EXPECT_EQ(title.Font.Size, size);
    EXPECT_EQ(title.AlignTo, alignTo);
    EXPECT_TRUE(title.PrintOnAllPages);
}

const QStringList kListHeader { "学校", "班级", "姓名", "考号", "考场", "座位号", "考号 ", "考场地点" };

} // namespace

class PrintLayoutsTest : public MainWindowFixture {
protected:
    void SetUp() override { openWindow(); }
};

TEST_F(PrintLayoutsTest, ExamineeListTitlesPageAndColumns)
{
    frmDocument &document = MakeList(*window, kListHeader, 3, QStringLiteral("XX考试安排表 （3）"));
    window->LayoutExamineeList();
    Grid &grid = *document.Grid1;

    ASSERT_EQ(grid.ReportTitles().Count(), 2);
    ExpectTitle(grid.ReportTitles().Item(0), "XX考试安排表 （3）", "宋体", 14, 0);
    ExpectTitle(grid.ReportTitles().Item(1), "||", "Arial", 10, 1);
    ExpectListPage(grid.PageSetup());
    EXPECT_TRUE(grid.AutoRedraw());

    for (int col = 1; col <= 8; ++col) {
        const QString header = kListHeader[col - 1];
        EXPECT_EQ(grid.Column(col).Width(), col == 8 ? 100 : 70) << col;
        EXPECT_TRUE(grid.Cell(0, col).WrapText()) << col;
        EXPECT_EQ(grid.Column(col).Alignment(), 10) << col;
        const bool rewritten = header == "考号" || header == "考场" || header == "座位号";
        EXPECT_EQ(grid.Column(col).Mask(), rewritten ? MaskNone : MaskNumber) << header.toStdString();
    }
    EXPECT_EQ(grid.RowHeight(1), GridData::DefaultRowHeight);
}

TEST_F(PrintLayoutsTest, RoomListWithSecondLine)
{
    frmDocument &document = MakeList(*window, kListHeader, 4, QStringLiteral("第1考场 （4）"));
    window->LayoutRoomList(QStringLiteral("考号：A0101--A0104"), QStringLiteral("b"));
    Grid &grid = *document.Grid1;

    ASSERT_EQ(grid.ReportTitles().Count(), 2);
    ExpectTitle(grid.ReportTitles().Item(0), "第1考场 （4）", "宋体", 18, 0);
    ExpectTitle(grid.ReportTitles().Item(1), "考号：A0101--A0104", "Arial", 14, 1);
    ExpectListPage(grid.PageSetup());
    EXPECT_EQ(grid.DefaultFont().pointSizeF(), 12);
    for (int col = 1; col <= 8; ++col) {
        EXPECT_EQ(grid.Column(col).Width(), 83) << col;
        EXPECT_TRUE(grid.Cell(0, col).WrapText()) << col;
        EXPECT_EQ(grid.Column(col).Alignment(), 10) << col;
    }
    EXPECT_EQ(grid.Column(4).Mask(), MaskNone);
    EXPECT_EQ(grid.Column(7).Mask(), MaskNumber);
    for (int row = 0; row < grid.Rows(); ++row)
        EXPECT_EQ(grid.RowHeight(row), 27) << row;
}

TEST_F(PrintLayoutsTest, RoomListInAnyOtherModeHasOneTitleLine)
{
    for (const QString mode : { "a", "", "B" }) {
        frmDocument &document = MakeList(*window, kListHeader, 1, QStringLiteral("名单"));
        window->LayoutRoomList(QStringLiteral("考号：1--2"), mode);
        ASSERT_EQ(document.Grid1->ReportTitles().Count(), 1) << mode.toStdString();
        EXPECT_EQ(document.Grid1->ReportTitles().Item(0).text, "名单");
    }
}

TEST_F(PrintLayoutsTest, GridWithoutDataColumnsStillGetsTitlesAndPage)
{
    window->LoadNewDoc();
    frmDocument &document = *window->ActiveForm();
    document.Grid1->SetCols(1);
    document.Grid1->SetRows(1);
    const double defaultSize = document.Grid1->DefaultFont().pointSizeF();
    window->LayoutRoomList(QString(), QStringLiteral("a"));
    EXPECT_EQ(document.Grid1->ReportTitles().Count(), 1);
    EXPECT_EQ(document.Grid1->PageSetup().Footer, "共&n页  第&p页");
    EXPECT_EQ(document.Grid1->RowHeight(0), 27);
    EXPECT_EQ(document.Grid1->DefaultFont().pointSizeF(), defaultSize);
}

TEST_F(PrintLayoutsTest, OnlyDataColumnIsTheWideLastOne)
{
    frmDocument &document = MakeList(*window, { "考场地点" }, 1, QStringLiteral("名单"));
    window->LayoutExamineeList();
    EXPECT_EQ(document.Grid1->Column(1).Width(), 100);
    frmDocument &room = MakeList(*window, { "考场地点" }, 1, QStringLiteral("名单"));
    window->LayoutRoomList(QString(), QStringLiteral("b"));
    EXPECT_EQ(room.Grid1->Column(1).Width(), 83);
}

TEST_F(PrintLayoutsTest, LayoutsActOnTheActiveDocumentOnly)
{
    frmDocument &first = MakeList(*window, kListHeader, 1, QStringLiteral("一"));
    frmDocument &second = MakeList(*window, kListHeader, 1, QStringLiteral("二"));
    window->LayoutExamineeList();
    EXPECT_EQ(first.Grid1->ReportTitles().Count(), 0);
    EXPECT_EQ(second.Grid1->ReportTitles().Count(), 2);
}

TEST_F(PrintLayoutsTest, ListReportFitsColumnsAndUsesNarrowSideMargins)
{
    frmDocument &document = MakeList(*window, { "学校", "成绩" }, 2, QStringLiteral("成绩表"));
    document.Grid1->Cell(1, 1).SetText(QStringLiteral("北京师范大学附属实验中学国际部"));
    LayoutListReport();
    Grid &grid = *document.Grid1;
    ASSERT_EQ(grid.ReportTitles().Count(), 2);
    ExpectTitle(grid.ReportTitles().Item(0), "成绩表", "宋体", 14, 0);
    ExpectTitle(grid.ReportTitles().Item(1), "||", "Arial", 10, 1);
    EXPECT_EQ(grid.RowHeight(0), 32);
    EXPECT_EQ(grid.PageSetup().Orientation, 1);
    EXPECT_EQ(grid.PageSetup().LeftMargin, 1);
    EXPECT_EQ(grid.PageSetup().RightMargin, 1);
    EXPECT_EQ(grid.PageSetup().TopMargin, 2);
    EXPECT_EQ(grid.PageSetup().FooterMargin, 1);
    EXPECT_EQ(grid.PageSetup().Footer, "共&n页  第&p页");
    EXPECT_GT(grid.Column(1).Width(), grid.Column(2).Width());
    EXPECT_GE(grid.Column(2).Width(), 40);
    EXPECT_TRUE(grid.Cell(0, 2).WrapText());
    EXPECT_EQ(grid.Column(2).Alignment(), 10);
}

TEST_F(PrintLayoutsTest, StatisticsReportChoosesByHeaderAndTurnsWideTablesLandscape)
{
    frmDocument &narrow
        = MakeList(*window, { "学校", "班级", "学生数", "男生", "女生" }, 2, QStringLiteral("原始考生信息表"));
    LayoutStatisticsReport();
    Grid &grid = *narrow.Grid1;
    EXPECT_EQ(grid.ReportTitles().Count(), 2);
    EXPECT_EQ(grid.RowHeight(0), 32);
    EXPECT_EQ(grid.PageSetup().Orientation, 1);
    EXPECT_EQ(grid.PageSetup().Footer, "共&n页  第&p页");
    EXPECT_EQ(grid.Column(1).Mask(), MaskNone);
    EXPECT_EQ(grid.Column(2).Mask(), MaskNone);
    EXPECT_EQ(grid.Column(3).Mask(), MaskNumber);
    EXPECT_GT(grid.Column(1).Width(), grid.Column(3).Width());

    QStringList wide { "考场", "人数" };
    for (int school = 1; school <= 22; ++school)
        wide << QStringLiteral("第%1中学").arg(school);
    frmDocument &landscape = MakeList(*window, wide, 2, QStringLiteral("考场编排统计表"));
    LayoutStatisticsReport();
    EXPECT_EQ(landscape.Grid1->PageSetup().Orientation, 2);
}
