#include "gridprint/Paginator.h"
#include "griddata/GridData.h"

#include <gtest/gtest.h>

#include <functional>

// A4 is 793.7 x 1122.5 layout units; with the 2 cm margins used here the grid may fill
// 642.5 x 971.3 of it.
namespace {

Paginator::Input sheet(int rows, int rowHeight, int cols, int colWidth)
{
    Paginator::Input input;
    input.rowHeights = QList<int>(rows, rowHeight);
    input.colWidths = QList<int>(cols, colWidth);
    return input;
}

// Body rows of every page as (first, last).
QList<std::pair<int, int>> bodyRows(const QList<Page> &pages)
{
    QList<std::pair<int, int>> rows;
    for (const Page &page : pages)
        rows.append({ page.body.top(), page.body.bottom() });
    return rows;
}

QList<int> printedRows(const Page &page)
{
    QList<int> rows;
    for (const Page::Line &line : page.rows)
        rows.append(line.index);
    return rows;
}

QList<int> printedCols(const Page &page)
{
    QList<int> cols;
    for (const Page::Line &line : page.cols)
        cols.append(line.index);
    return cols;
}

using Rows = QList<std::pair<int, int>>;

} // namespace

TEST(Paginator, FillsPagesByRowHeight)
{
    // 971.3 / 25 = 38.8 rows a page; 100 body rows make 38 + 38 + 24.
    Paginator::Input input = sheet(101, 25, 3, 100);
    EXPECT_EQ(bodyRows(Paginator::paginate(input)), (Rows { { 1, 38 }, { 39, 76 }, { 77, 100 } }));

    // Taller rows hold fewer: rows 1..10 are 100 high, the rest 25.
    for (int row = 1; row <= 10; ++row)
        input.rowHeights[row] = 100;
    // 9 tall rows (900) + 2 short (50) = 950; the tenth tall row would not fit.
    EXPECT_EQ(bodyRows(Paginator::paginate(input)).first(), std::make_pair(1, 9));
}

TEST(Paginator, FixedRowAndTitleRowsRepeatOnEveryPage)
{
    Paginator::Input input = sheet(101, 25, 3, 100);
    input.rowHeights[0] = 32;
    input.setup.PrintFixedRow = true;
    input.setup.PrintTitleRows = 2;
    // (971.3 - 32 - 50) / 25 = 35.6 body rows a page, starting below the title rows.
    const QList<Page> pages = Paginator::paginate(input);
    EXPECT_EQ(bodyRows(pages), (Rows { { 3, 37 }, { 38, 72 }, { 73, 100 } }));
    for (const Page &page : pages) {
        EXPECT_EQ(page.repeatedRows, 3);
        EXPECT_EQ(printedRows(page).mid(0, 4), (QList<int> { 0, 1, 2, page.body.top() }));
        EXPECT_DOUBLE_EQ(page.rows[3].offset, 82);
    }
}

TEST(Paginator, PageBreaksStartNewPages)
{
    struct Case {
        const char *name;
        QList<int> breaks;
        Rows expected;
    };
    const QList<Case> cases = {
        { "two breaks", { 10, 25 }, { { 1, 9 }, { 10, 24 }, { 25, 60 } } },
        { "break where the page ends anyway", { 39 }, { { 1, 38 }, { 39, 60 } } },
        { "break then overflow", { 5 }, { { 1, 4 }, { 5, 42 }, { 43, 60 } } },
        { "break on row 0 or beyond the grid is ignored", { 0, 61, 500 }, { { 1, 38 }, { 39, 60 } } },
        { "adjacent breaks give one-row pages", { 3, 4 }, { { 1, 2 }, { 3, 3 }, { 4, 41 }, { 42, 60 } } },
    };
    for (const Case &c : cases) {
        Paginator::Input input = sheet(61, 25, 3, 100);
        for (int row : c.breaks)
            input.pageBreaks.Add(row);
        EXPECT_EQ(bodyRows(Paginator::paginate(input)), c.expected) << c.name;
    }
}

TEST(Paginator, BlankPagesAtTheEndAreLeftOut)
{
    // Two tickets of 11 rows, a break after the second one, and the grid's empty last row.
    Paginator::Input input = sheet(24, 30, 16, 40);
    input.pageBreaks.Add(23);
    input.lastContentRow = 22;
    EXPECT_EQ(bodyRows(Paginator::paginate(input)), (Rows { { 1, 22 } }));

    // The same row with something on it still prints.
    input.lastContentRow = 23;
    EXPECT_EQ(bodyRows(Paginator::paginate(input)), (Rows { { 1, 22 }, { 23, 23 } }));

    // A list of exactly one page of names whose empty last row would spill onto a second.
    Paginator::Input list = sheet(40, 25, 3, 100);
    list.lastContentRow = 38;
    EXPECT_EQ(bodyRows(Paginator::paginate(list)), (Rows { { 1, 38 } }));
    list.lastContentRow = 39;
    EXPECT_EQ(bodyRows(Paginator::paginate(list)), (Rows { { 1, 38 }, { 39, 39 } }));
}

TEST(Paginator, WideGridsGoAcrossThenDown)
{
    // 642.5 wide, column 0 (40) repeats: 6 columns of 100 fit beside it.
    Paginator::Input input = sheet(61, 25, 12, 100);
    input.colWidths[0] = 40;
    input.setup.PrintFixedColumn = true;
    const QList<Page> pages = Paginator::paginate(input);
    ASSERT_EQ(pages.size(), 4);
    EXPECT_EQ(printedCols(pages[0]), (QList<int> { 0, 1, 2, 3, 4, 5, 6 }));
    EXPECT_EQ(printedCols(pages[1]), (QList<int> { 0, 7, 8, 9, 10, 11 }));
    EXPECT_EQ(bodyRows(pages), (Rows { { 1, 38 }, { 1, 38 }, { 39, 60 }, { 39, 60 } }));
    EXPECT_EQ(pages[1].rowBand, 0);
    EXPECT_EQ(pages[1].colBand, 1);
    EXPECT_EQ(pages[2].rowBand, 1);
    EXPECT_EQ(pages[3].number, 4);
}

TEST(Paginator, MergedBlocksStayWholeOnOnePage)
{
    Paginator::Input input = sheet(61, 25, 3, 100);
    // Page 1 would end after row 38: a block over rows 37..40 moves to page 2 whole.
    input.merges = { QRect(QPoint(1, 37), QPoint(2, 40)) };
    EXPECT_EQ(bodyRows(Paginator::paginate(input)), (Rows { { 1, 36 }, { 37, 60 } }));

    // A block taller than a page cannot move: it starts on page 1 and is cut there.
    input.merges = { QRect(QPoint(1, 2), QPoint(1, 50)) };
    EXPECT_EQ(bodyRows(Paginator::paginate(input)), (Rows { { 1, 38 }, { 39, 60 } }));

    // A block already at the top of its page is cut rather than leaving an empty page.
    input.merges = { QRect(QPoint(1, 1), QPoint(1, 45)) };
    EXPECT_EQ(bodyRows(Paginator::paginate(input)), (Rows { { 1, 38 }, { 39, 60 } }));

    // Two blocks one after the other: the page steps back only to the one that is cut.
    input.merges = { QRect(QPoint(1, 30), QPoint(1, 34)), QRect(QPoint(1, 35), QPoint(1, 39)) };
    EXPECT_EQ(bodyRows(Paginator::paginate(input)), (Rows { { 1, 34 }, { 35, 60 } }));

    // Blocks side by side whose rows overlap move together: 36..39 in column 1 reaches into
    // 34..37 in column 2, so the page ends above row 34.
    input.merges = { QRect(QPoint(2, 34), QPoint(2, 37)), QRect(QPoint(1, 36), QPoint(1, 39)) };
    EXPECT_EQ(bodyRows(Paginator::paginate(input)), (Rows { { 1, 33 }, { 34, 60 } }));
}

TEST(Paginator, SheetsTakeAsManyColumnsAsFitWhateverTheMerges)
{
    // A room list: the fixed column (40) and 8 columns of 83 make 704, wider than 642.5. Its
    // last row is the room's location, merged over columns 3..8.
    Paginator::Input input = sheet(31, 25, 9, 83);
    input.colWidths[0] = 40;
    input.setup.PrintFixedColumn = true;
    input.merges = { QRect(QPoint(3, 30), QPoint(8, 30)) };
    const QList<Page> pages = Paginator::paginate(input);
    ASSERT_EQ(pages.size(), 2);
    // 40 + 7 x 83 = 621 fits; the eighth column goes to the second sheet, nothing twice.
    EXPECT_EQ(printedCols(pages[0]), (QList<int> { 0, 1, 2, 3, 4, 5, 6, 7 }));
    EXPECT_EQ(printedCols(pages[1]), (QList<int> { 0, 8 }));

    // Without the fixed column the same split, and blocks still hold rows together.
    input.setup.PrintFixedColumn = false;
    input.merges.append(QRect(QPoint(5, 37), QPoint(6, 40)));
    input.rowHeights = QList<int>(61, 25);
    const QList<Page> tall = Paginator::paginate(input);
    ASSERT_EQ(tall.size(), 4);
    EXPECT_EQ(printedCols(tall[0]), (QList<int> { 1, 2, 3, 4, 5, 6, 7 }));
    EXPECT_EQ(printedCols(tall[1]), (QList<int> { 8 }));
    EXPECT_EQ(bodyRows(tall), (Rows { { 1, 36 }, { 1, 36 }, { 37, 60 }, { 37, 60 } }));
}

TEST(Paginator, HiddenRowsAndColumnsPrintNothing)
{
    Paginator::Input input = sheet(61, 25, 5, 100);
    input.colWidths[2] = 0;
    for (int row = 10; row < 30; ++row)
        input.rowHeights[row] = 0;
    const QList<Page> pages = Paginator::paginate(input);
    // 20 hidden rows take no room: 38 visible rows fit, reaching row 58.
    EXPECT_EQ(bodyRows(pages), (Rows { { 1, 58 }, { 59, 60 } }));
    EXPECT_FALSE(printedRows(pages[0]).contains(10));
    // Row 0 and column 0 print only when asked for.
    EXPECT_EQ(printedRows(pages[0]).first(), 1);
    EXPECT_EQ(printedCols(pages[0]), (QList<int> { 1, 3, 4 }));
    EXPECT_DOUBLE_EQ(pages[0].grid.width(), 300);
}

TEST(Paginator, ReportTitlesOnFirstPageOrEveryPage)
{
    Paginator::Input input = sheet(101, 25, 3, 100);
    input.titles = { { 50, false, 0 }, { 25, false, 1 } };
    // Page 1 gives 75 to the titles: (971.3 - 75) / 25 = 35.8 rows; later pages hold 38.
    QList<Page> pages = Paginator::paginate(input);
    EXPECT_EQ(bodyRows(pages), (Rows { { 1, 35 }, { 36, 73 }, { 74, 100 } }));
    EXPECT_EQ(pages[0].titles.size(), 2);
    EXPECT_TRUE(pages[1].titles.isEmpty());
    EXPECT_DOUBLE_EQ(pages[0].grid.top(), Paginator::fromCm(2) + 75);
    EXPECT_DOUBLE_EQ(pages[1].grid.top(), Paginator::fromCm(2));

    input.titles[0].onAllPages = true;
    input.titles[1].onAllPages = true;
    pages = Paginator::paginate(input);
    EXPECT_EQ(bodyRows(pages), (Rows { { 1, 35 }, { 36, 70 }, { 71, 100 } }));
    for (const Page &page : pages) {
        ASSERT_EQ(page.titles.size(), 2);
        EXPECT_DOUBLE_EQ(page.titles[0].rect.top(), Paginator::fromCm(2));
        EXPECT_DOUBLE_EQ(page.titles[1].rect.top(), Paginator::fromCm(2) + 50);
    }
}

TEST(Paginator, TitlesAndGridPlacedAcrossThePage)
{
    Paginator::Input input = sheet(5, 25, 4, 100);
    input.titles = { { 40, true, 0 }, { 20, true, 1 } };
    const double left = Paginator::fromCm(2);
    const double room = Paginator::paperSize(input.setup).width() - 2 * left;

    Page page = Paginator::paginate(input).first();
    EXPECT_DOUBLE_EQ(page.grid.left(), left);
    EXPECT_DOUBLE_EQ(page.grid.width(), 300);
    EXPECT_EQ(page.titles[0].rect, QRectF(left, left, room, 40));
    EXPECT_EQ(page.titles[1].rect, QRectF(left, left + 40, 300, 20));

    input.setup.CenterHorizontally = true;
    page = Paginator::paginate(input).first();
    EXPECT_DOUBLE_EQ(page.grid.left(), left + (room - 300) / 2);
    EXPECT_DOUBLE_EQ(page.titles[1].rect.left(), page.grid.left());
}

TEST(Paginator, OrientationMarginsHeaderAndFooter)
{
    Paginator::Input input = sheet(101, 25, 3, 100);
    input.setup.Orientation = 2;
    input.setup.TopMargin = 1;
    input.setup.BottomMargin = 0.3;
    input.setup.HeaderMargin = 0.5;
    input.setup.FooterMargin = 0.2;
    input.headerHeight = 16;
    input.footerHeight = 16;
    const QList<Page> pages = Paginator::paginate(input);
    const QSizeF paper(1122.52, 793.7);
    EXPECT_NEAR(pages[0].paper.width(), paper.width(), 0.01);
    EXPECT_NEAR(pages[0].paper.height(), paper.height(), 0.01);
    // (793.7 - 37.8 - 11.3) / 25 = 29.8 rows a page.
    EXPECT_EQ(bodyRows(pages).first(), std::make_pair(1, 29));
    EXPECT_NEAR(pages[0].header.top(), 18.9, 0.01);
    EXPECT_NEAR(pages[0].footer.bottom(), paper.height() - 7.56, 0.01);
    EXPECT_DOUBLE_EQ(pages[0].footer.height(), 16);
}

TEST(Paginator, DegenerateGridsStillGiveAPage)
{
    struct Case {
        const char *name;
        Paginator::Input input;
        int pages;
    };
    Paginator::Input headerOnly = sheet(1, 25, 4, 100);
    Paginator::Input empty = sheet(0, 25, 0, 100);
    Paginator::Input tallRows = sheet(4, 5000, 2, 100);
    Paginator::Input noRoom = sheet(4, 25, 2, 100);
    noRoom.setup.TopMargin = 20;
    noRoom.setup.BottomMargin = 20;
    Paginator::Input allTitleRows = sheet(4, 25, 2, 100);
    allTitleRows.setup.PrintTitleRows = 10;
    const QList<Case> cases = {
        { "header row only", headerOnly, 1 },
        { "no rows or columns", empty, 1 },
        { "rows taller than the paper get a page each", tallRows, 3 },
        { "margins leaving no room still place a row a page", noRoom, 3 },
        { "title rows beyond the grid", allTitleRows, 1 },
    };
    for (const Case &c : cases)
        EXPECT_EQ(Paginator::paginate(c.input).size(), c.pages) << c.name;
}

TEST(Paginator, ReadsSizesSettingsAndContentFromTheGrid)
{
    GridData data;
    data.setRows(40);
    for (int row = 0; row < data.rows(); ++row)
        data.setRowHeight(row, 25);
    for (int row = 1; row < 39; ++row)
        data.setText(row, 1, QStringLiteral("张三"));
    data.setBorder({ 1, 1, 38, 3 }, EdgeBottom, LineThin); // also the top line of row 39
    data.setText(39, 0, QStringLiteral("39"));
    data.merge({ 5, 1, 6, 2 });
    data.hPageBreaks().Add(20);

    Paginator::Input input = Paginator::inputOf(data);
    // Row 39 holds only its row number and the line it shares with row 38.
    EXPECT_EQ(input.lastContentRow, 38);
    // The empty row fits on the last page and prints there: only whole blank pages go.
    EXPECT_EQ(bodyRows(Paginator::paginate(data)), (Rows { { 1, 19 }, { 20, 39 } }));

    const auto lastRowWith = [&](const std::function<void(GridData &)> &change) {
        GridData changed = data;
        change(changed);
        return Paginator::inputOf(changed).lastContentRow;
    };
    EXPECT_EQ(lastRowWith([](GridData &d) { d.setText(39, 2, QStringLiteral("x")); }), 39);
    EXPECT_EQ(lastRowWith([](GridData &d) { d.setBorder({ 39, 1, 39, 1 }, EdgeBottom, LineThin); }), 39);
    EXPECT_EQ(lastRowWith([](GridData &d) {
        d.updateStyle({ 39, 2, 39, 2 }, [](CellStyle &s) { s.backColor = 0xFF; });
    }),
        39);
    EXPECT_EQ(lastRowWith([](GridData &d) { d.merge({ 39, 1, 39, 3 }); }), 39);

    ReportTitle title;
    title.text = QStringLiteral("考场名单");
    title.Font.Size = 14;
    data.reportTitles().Add(title);
    data.pageSetup().Footer = QStringLiteral("共&n页  第&p页");
    input = Paginator::inputOf(data);
    ASSERT_EQ(input.titles.size(), 1);
    // 14 points are 18.7 layout units; the line takes at least that.
    EXPECT_GE(input.titles[0].height, 18.7);
    EXPECT_LT(input.titles[0].height, 40);
    EXPECT_GT(input.footerHeight, 10);

    // A title too long for the paper wraps between the margins, but stays one line over the grid.
    ReportTitle longTitle = title;
    longTitle.text = QString(60, QChar(0x8003));
    data.reportTitles().Add(longTitle);
    longTitle.AlignTo = 1;
    data.reportTitles().Add(longTitle);
    input = Paginator::inputOf(data);
    EXPECT_GT(input.titles[1].height, 1.5 * input.titles[0].height);
    EXPECT_DOUBLE_EQ(input.titles[2].height, input.titles[0].height);
}
