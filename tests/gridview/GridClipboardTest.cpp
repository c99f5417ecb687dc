// Copying and pasting blocks: the grid's own buffer (texts, looks, merges, across grids) and
// tab-separated text with the system clipboard.
#include "GridTestSupport.h"

#include "gridview/TabText.h"

#include <QClipboard>

#include <gtest/gtest.h>

namespace {

// A small ticket-like block: a merged, bold, framed title over two labelled rows.
void fillTemplate(Grid &grid)
{
    grid.SetRows(6);
    grid.SetCols(5);
    grid.Cell(1, 1).SetText("准考证");
    grid.Range(1, 1, 1, 4).Merge();
    grid.Range(1, 1, 1, 4).SetFontBold(true);
    grid.Range(1, 1, 1, 4).SetBackColor(0x00FFCC99);
    for (int edge : { EdgeLeft, EdgeRight, EdgeTop, EdgeBottom })
        grid.Range(1, 1, 3, 4).SetBorders(edge, LineThick);
    grid.Range(1, 1, 3, 4).SetBorders(EdgeInsideHorizontal, LineThin);
    grid.Cell(2, 1).SetText("姓名");
    grid.Cell(3, 1).SetText("考号");
    grid.Cell(2, 2).SetTag("bound");
    grid.Cell(2, 2).SetCellType(CellTypeDropDown);
    grid.Cell(0, 1).SetText("header");
    grid.Cell(2, 0).SetText("rowcaption");
}

} // namespace

TEST(GridCopyPaste, ABlockKeepsTextsLooksAndMergesInAnotherGrid)
{
    Grid source;
    fillTemplate(source);
    source.Range(1, 0, 3, 4).Selected();
    source.Selection().CopyData();

    Grid target;
    target.SetCols(5);
    // Pasting once per ticket, as the ticket builders do, at the same columns.
    for (int ticket = 0; ticket < 3; ++ticket) {
        target.SetRows(4 * (ticket + 1));
        target.Range(ticket * 3 + 1, 1, ticket * 3 + 1, 1).Selected();
        target.Selection().PasteData();
    }
    for (int ticket = 0; ticket < 3; ++ticket) {
        const int r = ticket * 3;
        SCOPED_TRACE(ticket);
        EXPECT_EQ(target.Cell(r + 1, 1).text(), "准考证");
        EXPECT_EQ(target.data().mergeAt(r + 1, 3), (CellRange { r + 1, 1, r + 1, 4 }));
        EXPECT_TRUE(target.Cell(r + 1, 1).Font().bold());
        EXPECT_EQ(target.data().style(r + 1, 1).backColor, 0x00FFCC99u);
        EXPECT_EQ(target.data().style(r + 3, 4).lines[LineBottom], LineThick);
        EXPECT_EQ(target.data().style(r + 2, 1).lines[LineTop], LineThin);
        EXPECT_EQ(target.Cell(r + 2, 1).text(), "姓名");
        EXPECT_EQ(target.Cell(r + 2, 2).Tag(), "bound");
        EXPECT_EQ(target.Cell(r + 2, 2).CellType(), CellTypeDropDown);
        // The fixed column is not part of a copy: row captions stay home.
        EXPECT_EQ(target.Cell(r + 2, 0).text(), "");
    }
    EXPECT_EQ(target.data().merges().size(), 3u);
}

// A program copies a block of whole rows by selecting their row-header cells (column 0), the
// way a click on the fixed column selects rows; header cells of the fixed row stand for columns.
TEST(GridCopyPaste, HeaderCellsSelectedByAProgramStandForWholeRowsOrColumns)
{
    Grid source;
    source.SetRows(8);
    source.SetCols(5);
    for (int r = 1; r < 8; ++r)
        for (int c = 1; c < 5; ++c)
            source.Cell(r, c).SetText(QStringLiteral("%1-%2").arg(r).arg(c));
    source.Range(4, 2, 4, 3).Merge();

    source.Range(3, 0, 5, 0).Selected();
    EXPECT_EQ(source.selectedRange(), (CellRange { 3, 1, 5, 4 }));
    source.Selection().CopyData();
    Grid target;
    target.SetRows(4);
    target.SetCols(5);
    target.Range(1, 1, 1, 1).Selected();
    target.Selection().PasteData();
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c < 5; ++c)
            EXPECT_EQ(target.Cell(r, c).text(), source.Cell(r + 2, c).text()) << r << "," << c;
    EXPECT_EQ(target.data().mergeAt(2, 2), (CellRange { 2, 2, 2, 3 }));

    source.Range(0, 2, 0, 3).Selected();
    EXPECT_EQ(source.selectedRange(), (CellRange { 1, 2, 7, 3 }));
}

TEST(GridCopyPaste, PastingOverAMergeReplacesIt)
{
    Grid grid;
    grid.SetRows(8);
    grid.Cell(1, 1).SetText("a");
    grid.Range(1, 1, 2, 1).Selected();
    grid.Selection().CopyData();
    grid.Range(4, 1, 5, 3).Merge();
    // Selecting a cell of a merged block selects the block: the paste starts at its corner.
    grid.Range(5, 2, 5, 2).Selected();
    grid.Selection().PasteData();
    EXPECT_FALSE(grid.data().isMerged(4, 1));
    EXPECT_FALSE(grid.data().isMerged(5, 3));
    EXPECT_EQ(grid.Cell(4, 1).text(), "a");
}

TEST(GridCopyPaste, CtrlCAndCtrlVCarryFormatsBetweenGridsAndTextToTheClipboard)
{
    GridFixture from;
    fillTemplate(from.grid);
    // The selection takes in the whole merged title, four columns wide.
    from.grid.Range(1, 1, 3, 2).Selected();
    from.key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "准考证\t\t\t\r\n姓名\t\t\t\r\n考号\t\t\t\r\n");

    GridFixture to;
    to.click(2, 2);
    to.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(to.grid.Cell(2, 2).text(), "准考证");
    EXPECT_EQ(to.grid.Cell(4, 2).text(), "考号");
    EXPECT_TRUE(to.grid.Cell(2, 2).Font().bold());
    EXPECT_EQ(to.grid.data().mergeAt(2, 3), (CellRange { 2, 2, 2, 5 }));
}

TEST(GridCopyPaste, TextFromAnotherSpreadsheetPastesCellByCellAndGrowsTheGrid)
{
    GridFixture f(4, 3);
    f.grid.SetCols(4);
    f.grid.Column(3).SetMask(MaskNumber);
    EventLog log(f.grid);
    QApplication::clipboard()->setText("学校\t班级\t成绩\r\n一中\t\"1\t班\"\t95.5\r\n二中\t2班\tabsent\r\n");
    f.click(2, 1);
    log.events.clear();
    f.key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.grid.Rows(), 5);
    EXPECT_EQ(f.grid.Cols(), 4);
    EXPECT_EQ(f.grid.Cell(2, 1).text(), "学校");
    EXPECT_EQ(f.grid.Cell(3, 2).text(), "1\t班");
    EXPECT_EQ(f.grid.Cell(3, 3).text(), "95.5");
    // A number column refuses what a user could not type into it.
    EXPECT_EQ(f.grid.Cell(4, 3).text(), "");
    EXPECT_EQ(f.grid.Cell(2, 3).text(), "");
    EXPECT_EQ(f.grid.selectedRange(), (CellRange { 2, 1, 4, 3 }));
    EXPECT_EQ(log.events.size(), 7);
    EXPECT_TRUE(log.events.first().startsWith("CellChange 2,1"));
}

struct TabCase {
    const char *name;
    QList<QStringList> rows;
    QString text;
};

class TabTextCases : public ::testing::TestWithParam<TabCase> { };

TEST_P(TabTextCases, WritesAndReadsBack)
{
    const TabCase &t = GetParam();
    EXPECT_EQ(TabText::write(t.rows), t.text);
    EXPECT_EQ(TabText::parse(t.text), t.rows);
}

INSTANTIATE_TEST_SUITE_P(Cases, TabTextCases,
    ::testing::Values(TabCase { "Plain", { { "a", "b" }, { "c", "d" } }, "a\tb\r\nc\td\r\n" },
        TabCase { "EmptyCells", { { "", "x", "" } }, "\tx\t\r\n" },
        TabCase { "TabInside", { { "a\tb" } }, "\"a\tb\"\r\n" },
        TabCase { "LineInside", { { "1\n2", "z" } }, "\"1\n2\"\tz\r\n" },
        TabCase { "LeadingQuote", { { "\"q\" x" } }, "\"\"\"q\"\" x\"\r\n" },
        TabCase { "QuoteInsideStaysBare", { { "5\"" } }, "5\"\r\n" },
        TabCase { "Chinese", { { "张三", "一中" } }, "张三\t一中\r\n" }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TabText, ReadsWhatOtherProgramsWrite)
{
    // No line end after the last row, bare line feeds, an old Mac line end.
    EXPECT_EQ(TabText::parse("a\tb"), (QList<QStringList> { { "a", "b" } }));
    EXPECT_EQ(TabText::parse("a\nb\n"), (QList<QStringList> { { "a" }, { "b" } }));
    EXPECT_EQ(TabText::parse("a\rb"), (QList<QStringList> { { "a" }, { "b" } }));
    EXPECT_EQ(TabText::parse(""), QList<QStringList>());
}
