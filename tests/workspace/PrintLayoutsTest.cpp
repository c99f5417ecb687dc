#include "MainWindowFixture.h"
#include "gridview/Grid.h"
#include "gridprint/Paginator.h"
#include "support/PrintedTexts.h"
#include "workspace/GridFill.h"
#include "workspace/PrintLayouts.h"
#include "workspace/frmDocument.h"

#include <QLineEdit>

namespace {

const QStringList kListHeader { "学校", "班级", "姓名", "考号", "考场", "座位号", "考号 ", "考场地点" };

// The paper every examinee and room list is printed on.
PageSetup ListPage()
{
    PageSetup page;
    page.Orientation = 1;
    page.LeftMargin = page.RightMargin = page.TopMargin = page.BottomMargin = 2;
    page.HeaderMargin = page.FooterMargin = 1;
    page.BlackAndWhite = page.PrintFixedRow = page.PrintFixedColumn = page.PrintGridlines = true;
    page.PrintTitleRows = 0;
    page.CenterHorizontally = true;
    page.Footer = "共&n页  第&p页";
    return page;
}

ReportTitle Title(const QString &text, const QString &font, double size, int alignTo)
{
    ReportTitle title;
    title.text = text;
    title.Font.Name = font;
    title.Font.Size = size;
    title.AlignTo = alignTo;
    title.PrintOnAllPages = true;
    return title;
}

} // namespace

class PrintLayoutsTest : public MainWindowFixture {
protected:
    void SetUp() override { openWindow(); }

    // A document as a list leaves it before its layout: number-masked columns under a header.
    Grid &makeList(const QStringList &header, const QString &title, int dataRows = 3)
    {
        window->LoadNewDoc();
        frmDocument &document = *window->ActiveForm();
        Grid &grid = *document.Grid1;
        grid.SetCols(int(header.size()) + 1);
        grid.SetRows(dataRows + 2);
        for (int col = 1; col <= header.size(); ++col) {
            grid.Cell(0, col).SetText(header[col - 1]);
            grid.Column(col).SetMask(MaskNumber);
        }
        document.Text1->setText(title);
        return grid;
    }
};

TEST_F(PrintLayoutsTest, ExamineeListTitlesPageAndColumns)
{
    Grid &grid = makeList(kListHeader, "XX考试安排表 （3）");
    window->LayoutExamineeList();
    ASSERT_EQ(grid.ReportTitles().Count(), 2);
    EXPECT_EQ(grid.ReportTitles().Item(0), Title("XX考试安排表 （3）", "宋体", 14, 0));
    EXPECT_EQ(grid.ReportTitles().Item(1), Title("||", "Arial", 10, 1));
    EXPECT_EQ(grid.PageSetup(), ListPage());
    EXPECT_TRUE(grid.AutoRedraw());
    for (int col = 1; col <= 8; ++col) {
        const QString header = kListHeader[col - 1];
        EXPECT_EQ(grid.Column(col).Width(), col == 8 ? 100 : 70) << col;
        EXPECT_TRUE(grid.Cell(0, col).WrapText()) << col;
        EXPECT_EQ(grid.Column(col).Alignment(), 10) << col;
        // Only the exact headers of the columns a list rewrites lose the number mask.
        const bool rewritten = header == "考号" || header == "考场" || header == "座位号";
        EXPECT_EQ(grid.Column(col).Mask(), rewritten ? MaskNone : MaskNumber) << header.toStdString();
    }
    EXPECT_EQ(grid.RowHeight(0), GridData::DefaultRowHeight);
}

TEST_F(PrintLayoutsTest, RoomListLargerTitlesWiderColumnsTallerRows)
{
    Grid &grid = makeList(kListHeader, "第1考场 （4）", 4);
    window->LayoutRoomList("考号：A0101--A0104", "b");
    ASSERT_EQ(grid.ReportTitles().Count(), 2);
    EXPECT_EQ(grid.ReportTitles().Item(0), Title("第1考场 （4）", "宋体", 18, 0));
    EXPECT_EQ(grid.ReportTitles().Item(1), Title("考号：A0101--A0104", "Arial", 14, 1));
    EXPECT_EQ(grid.PageSetup(), ListPage());
    EXPECT_EQ(grid.DefaultFont().pointSizeF(), 12);
    for (int col = 1; col <= 8; ++col) {
        EXPECT_EQ(grid.Column(col).Width(), 83) << col;
        EXPECT_EQ(grid.Column(col).Alignment(), 10) << col;
    }
    EXPECT_EQ(grid.Column(4).Mask(), MaskNone);
    EXPECT_EQ(grid.Column(7).Mask(), MaskNumber);
    for (int row = 0; row < grid.Rows(); ++row)
        EXPECT_EQ(grid.RowHeight(row), 27) << row;

    for (const char *mode : { "a", "", "B" }) {
        Grid &single = makeList(kListHeader, "名单");
        window->LayoutRoomList("考号：1--2", mode);
        EXPECT_EQ(single.ReportTitles().Count(), 1) << mode;
    }
}

TEST_F(PrintLayoutsTest, EdgeGridsWithoutOrWithOneDataColumn)
{
    Grid &bare = makeList({}, "空", 0);
    bare.SetRows(1);
    const double defaultSize = bare.DefaultFont().pointSizeF();
    window->LayoutRoomList(QString(), "a");
    EXPECT_EQ(bare.ReportTitles().Count(), 1);
    EXPECT_EQ(bare.PageSetup(), ListPage());
    EXPECT_EQ(bare.RowHeight(0), 27);
    EXPECT_EQ(bare.DefaultFont().pointSizeF(), defaultSize);

    Grid &examinee = makeList({ "考场地点" }, "名单");
    window->LayoutExamineeList();
    EXPECT_EQ(examinee.Column(1).Width(), 100);
    Grid &room = makeList({ "考场地点" }, "名单");
    window->LayoutRoomList(QString(), "b");
    EXPECT_EQ(room.Column(1).Width(), 83);
}

TEST_F(PrintLayoutsTest, ListReportFitsColumnsToTheirTexts)
{
    Grid &grid = makeList({ "学校", "成绩" }, "成绩表");
    grid.Cell(1, 1).SetText("北京师范大学附属实验中学国际部");
    grid.Cell(1, 2).SetText("95");
    LayoutListReport();
    ASSERT_EQ(grid.ReportTitles().Count(), 2);
    EXPECT_EQ(grid.ReportTitles().Item(0), Title("成绩表", "宋体", 14, 0));
    EXPECT_EQ(grid.RowHeight(0), 32);
    PageSetup page = ListPage();
    page.LeftMargin = page.RightMargin = 1;
    page.PrintFixedColumn = false;
    EXPECT_EQ(grid.PageSetup(), page);
    EXPECT_GT(grid.Column(1).Width(), 150);
    EXPECT_LT(grid.Column(2).Width(), 70);
    EXPECT_TRUE(grid.Cell(0, 2).WrapText());
    EXPECT_EQ(CutTexts(grid.data()), "");

    // A text wider than any column was allowed: the column takes it, within the page.
    Grid &wide = makeList({ "学校", "成绩" }, "成绩表");
    wide.Cell(1, 1).SetText("St. Mary's International School of Shanghai, Pudong Campus");
    LayoutListReport();
    EXPECT_EQ(CutTexts(wide.data()), "");
}

TEST_F(PrintLayoutsTest, StatisticsReportChoosesByHeaderAndTurnsWideTablesLandscape)
{
    Grid &grid = makeList({ "学校", "班级", "学生数", "男生", "女生" }, "原始考生信息表");
    LayoutStatisticsReport();
    EXPECT_EQ(grid.ReportTitles().Count(), 2);
    EXPECT_EQ(grid.RowHeight(0), 32);
    EXPECT_EQ(grid.PageSetup().Orientation, 1);
    EXPECT_EQ(grid.PageSetup().Footer, "共&n页  第&p页");
    const int masks[] = { MaskNone, MaskNone, MaskNumber, MaskNumber, MaskNumber };
    for (int col = 1; col <= 5; ++col)
        EXPECT_EQ(grid.Column(col).Mask(), masks[col - 1]) << col;
    EXPECT_GT(grid.Column(1).Width(), grid.Column(3).Width());

    QStringList wide { "考场", "人数" };
    for (int school = 1; school <= 22; ++school)
        wide << QStringLiteral("第%1中学").arg(school);
    Grid &landscape = makeList(wide, "考场编排统计表");
    LayoutStatisticsReport();
    EXPECT_EQ(landscape.PageSetup().Orientation, 2);
}

// One rule sizes every list: each column gets what its widest text needs in the font it prints
// in, within the page. The layout's widths stay where the texts fit; a list the page cannot
// hold gets smaller type in its widest columns, then wrapped texts, never cut ones.
TEST_F(PrintLayoutsTest, FitToPageWidthPrintsEveryTextWholeWithinThePage)
{
    const QString longName = "城关镇中心学校城关镇中心学校";
    // What the fit may do, from the least to the most.
    enum Outcome { LayoutWidths, SchoolTakesFromOthers, SmallerType, Wrapped, OnlyTheLongWraps };
    const struct {
        const char *name;
        int cols;
        QString school;
        QString other;
        Outcome outcome;
    } cases[] = {
        { "short texts on a page that holds the layout", 6, "一中", "王五", LayoutWidths },
        { "short texts, more columns than the page holds", 8, "一中", "王五", SchoolTakesFromOthers },
        { "a long school name takes from the others", 8, "实验中学(南校区)", "1", SchoolTakesFromOthers },
        { "texts too wide for the page get smaller type", 8, "城关镇中心学", "城关镇中心学", SmallerType },
        { "texts too wide for any type wrap", 8, longName, longName, Wrapped },
        { "one long remark wraps alone, the others stay whole", 8, QString(200, QChar(u'长')), "王五",
            OnlyTheLongWraps },
    };
    for (const auto &c : cases) {
        Grid &grid = makeList(kListHeader.mid(0, c.cols), "第1考场 （4）", 4);
        for (int row = 1; row <= 4; ++row)
            for (int col = 1; col <= c.cols; ++col)
                grid.Cell(row, col).SetText(col == 1 ? c.school : c.other);
        window->LayoutRoomList(QString(), "a");
        PrintLayouts::FitToPageWidth(grid);
        const GridData &data = grid.data();

        EXPECT_EQ(CutTexts(data), "") << c.name;
        for (const Page &page : Paginator::paginate(data))
            EXPECT_EQ(page.body.right(), c.cols) << c.name << " page " << page.number;
        bool smaller = false;
        bool wrapped = false;
        for (int col = 1; col <= c.cols; ++col) {
            smaller = smaller || data.effectiveFont(1, col).pointSizeF() < 12;
            wrapped = wrapped || data.style(1, col).wrap;
            EXPECT_GE(data.effectiveFont(1, col).pointSizeF(), 7) << c.name;
        }
        EXPECT_EQ(smaller, c.outcome >= SmallerType) << c.name;
        EXPECT_EQ(wrapped, c.outcome >= Wrapped) << c.name;
        EXPECT_EQ(grid.RowHeight(1) > 27, c.outcome >= Wrapped) << c.name;
        for (int col = 2; col <= c.cols && c.outcome == OnlyTheLongWraps; ++col)
            EXPECT_FALSE(data.style(1, col).wrap) << c.name << " column " << col;
        for (int col = 1; col <= c.cols && c.outcome == LayoutWidths; ++col)
            EXPECT_EQ(grid.Column(col).Width(), 83) << c.name << " column " << col;
        if (c.outcome == SchoolTakesFromOthers) {
            EXPECT_GE(grid.Column(1).Width(), grid.Column(2).Width()) << c.name;
            EXPECT_LT(grid.Column(2).Width(), 83) << c.name;
        }
    }
}
