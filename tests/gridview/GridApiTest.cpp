// The members callers use, the way the lists, the ticket job and the toolbar use them.
#include "support/TextRecorder.h"
#include "gridprint/CellPainter.h"
#include "gridview/Grid.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

std::array<quint8, 6> linesOf(Grid &grid, int row, int col)
{
    return grid.data().style(row, col).lines;
}

// Column 0 of every body row as the grid shows it, joined: "1 2  3" has an unnumbered row 3.
QString rowNumbers(Grid &grid)
{
    QStringList shown;
    for (int row = 1; row < grid.Rows(); ++row)
        shown << CellPainter::displayText(grid.data(), row, 0);
    return shown.join(' ');
}

} // namespace

TEST(GridApi, ToolbarBorderPresetsOnASelection)
{
    Grid grid;
    grid.SetRows(8);
    grid.SetCols(6);
    grid.Range(2, 2, 4, 4).Selected();
    // Thick outer frame, then the left-line preset: a thin left, the rest stays thick.
    for (int edge : { EdgeLeft, EdgeRight, EdgeTop, EdgeBottom })
        grid.Selection().SetBorders(edge, LineThick);
    grid.Selection().SetBorders(EdgeLeft, LineThin);
    EXPECT_EQ(linesOf(grid, 3, 2)[LineLeft], LineThin);
    EXPECT_EQ(linesOf(grid, 3, 4)[LineRight], LineThick);
    EXPECT_EQ(linesOf(grid, 2, 3)[LineTop], LineThick);
    EXPECT_EQ(linesOf(grid, 4, 3)[LineBottom], LineThick);
    // "No lines" removes all eight edges, diagonals included.
    grid.Selection().SetBorders(EdgeDiagonalUp, LineThin);
    grid.Selection().SetBorders(EdgeInsideHorizontal, LineThin);
    for (int edge : { 0, 1, 2, 3, 5, 4, 6, 7 })
        grid.Selection().SetBorders(edge, LineNone);
    for (int r = 1; r <= 5; ++r)
        for (int c = 1; c <= 5; ++c)
            EXPECT_EQ(linesOf(grid, r, c), (std::array<quint8, 6> {})) << r << "," << c;
}

TEST(GridApi, APhotoBoxIsMergedAndStrippedOfItsLines)
{
    // As the ticket job prepares the template's photo boxes.
    Grid grid;
    grid.SetRows(12);
    grid.SetCols(16);
    grid.Range(1, 1, 11, 15).Selected();
    for (int edge : { 0, 1, 2, 3, 4, 5 })
        grid.Selection().SetBorders(edge, LineThin);
    grid.Range(3, 6, 8, 6).Selected();
    grid.Selection().SetMergeCells(true);
    EXPECT_TRUE(grid.Selection().MergeCells());
    grid.Range(3, 6, 3, 6).Selected();
    EXPECT_EQ(grid.selectedRange(), (CellRange { 3, 6, 8, 6 }));
    for (int edge : { 0, 1, 2, 3, 5, 4 })
        grid.Selection().SetBorders(edge, LineNone);
    for (int r = 3; r <= 8; ++r) {
        EXPECT_EQ(linesOf(grid, r, 6)[LineLeft], LineNone);
        EXPECT_EQ(linesOf(grid, r, 6)[LineRight], LineNone);
        EXPECT_EQ(linesOf(grid, r, 5)[LineRight], LineNone);
    }
    EXPECT_EQ(linesOf(grid, 2, 6)[LineBottom], LineNone);
    EXPECT_EQ(linesOf(grid, 9, 6)[LineTop], LineNone);
    // Lines elsewhere stay.
    EXPECT_EQ(linesOf(grid, 3, 5)[LineLeft], LineThin);
    EXPECT_EQ(linesOf(grid, 2, 6)[LineTop], LineThin);
}

TEST(GridApi, FormatsApplyToTheSelectionGrownToItsMerges)
{
    Grid grid;
    grid.Range(2, 2, 3, 3).Merge();
    // One cell of the block selects the whole block.
    grid.Range(3, 3, 3, 3).Selected();
    grid.Selection().SetFontBold(true);
    grid.Selection().SetBackColor(0x00FF0000);
    for (int r = 2; r <= 3; ++r)
        for (int c = 2; c <= 3; ++c) {
            EXPECT_TRUE(grid.Cell(r, c).Font().bold());
            EXPECT_EQ(grid.data().style(r, c).backColor, 0x00FF0000u);
        }
    EXPECT_FALSE(grid.Cell(2, 1).Font().bold());
    // The toolbar's bold toggle reads the current cell and sets the whole selection.
    grid.Range(1, 1, 3, 3).Selected();
    grid.Selection().SetFontBold(!grid.ActiveCell().Font().bold());
    EXPECT_TRUE(grid.Cell(1, 1).Font().bold());
    EXPECT_TRUE(grid.Cell(3, 3).Font().bold());
}

TEST(GridApi, SelectionRowAndColumnCommands)
{
    Grid grid;
    grid.SetRows(10);
    grid.SetCols(6);
    for (int r = 0; r < 10; ++r)
        grid.Cell(r, 1).SetText(QString::number(r));
    grid.Range(3, 1, 4, 2).Selected();
    grid.Selection().InsertRows();
    EXPECT_EQ(grid.Rows(), 12);
    EXPECT_EQ(grid.Cell(3, 1).text(), "");
    EXPECT_EQ(grid.Cell(5, 1).text(), "3");
    grid.Range(3, 1, 4, 1).Selected();
    grid.Selection().DeleteByRow();
    EXPECT_EQ(grid.Rows(), 10);
    EXPECT_EQ(grid.Cell(3, 1).text(), "3");

    grid.Range(1, 0, 1, 1).Selected();
    grid.Selection().InsertCols();
    EXPECT_EQ(grid.Cols(), 8);
    EXPECT_EQ(grid.Cell(3, 3).text(), "3");
    grid.Range(0, 0, 9, 2).Selected();
    grid.Selection().DeleteByCol();
    EXPECT_EQ(grid.Cols(), 6);
    EXPECT_EQ(grid.Cell(3, 1).text(), "3");
    // The current cell stays inside a grid that shrank under it.
    grid.Range(9, 5, 9, 5).Selected();
    grid.Range(5, 1, 9, 1).Selected();
    grid.Selection().DeleteByRow();
    EXPECT_LT(grid.activeRow(), grid.Rows());
}

TEST(GridApi, UnmergingTheSelectionRemovesEveryMergeItTouches)
{
    Grid grid;
    grid.SetRows(10);
    grid.Range(1, 1, 2, 2).Merge();
    grid.Range(4, 1, 4, 3).Merge();
    grid.Range(8, 1, 8, 2).Merge();
    grid.Range(2, 2, 4, 2).Selected();
    EXPECT_FALSE(grid.Selection().MergeCells());
    grid.Selection().SetMergeCells(false);
    EXPECT_FALSE(grid.data().isMerged(1, 1));
    EXPECT_FALSE(grid.data().isMerged(4, 3));
    EXPECT_TRUE(grid.data().isMerged(8, 1));
}

TEST(GridApi, AFillWithPaintingOffKeepsWhatWasWrittenThroughLaterRowInserts)
{
    Grid grid;
    grid.SetAutoRedraw(false);
    grid.SetCols(7);
    grid.SetRows(1);
    grid.Column(4).SetMask(MaskNumber);
    grid.SetRows(3);
    grid.Cell(1, 4).SetText("A0012");
    grid.Cell(1, 0).SetTag("U");
    grid.Cell(1, 3).SetWrapText(true);
    grid.SetRowHeight(2, 0);
    grid.HPageBreaks().Add(2);
    // A totals row goes in under the header.
    grid.InsertRow(1, 1);
    grid.SetAutoRedraw(true);
    EXPECT_EQ(grid.Cell(2, 4).text(), "A0012");
    EXPECT_EQ(grid.Cell(2, 0).Tag(), "U");
    EXPECT_TRUE(grid.Cell(2, 3).WrapText());
    EXPECT_EQ(grid.RowHeight(3), 0);
    EXPECT_TRUE(grid.HPageBreaks().contains(3));
    EXPECT_EQ(grid.Cell(1, 4).text(), "");
}

TEST(GridApi, RowNumbersRunOnThroughInsertsAndDeletesPassingUnnumberedRows)
{
    Grid grid;
    grid.SetCols(3);
    grid.SetRows(6);
    grid.SetDisplayRowIndex(true);
    for (int r = 1; r < 6; ++r)
        grid.Cell(r, 1).SetText(QString::number(r));
    // The trailing empty row of a list shows no number.
    grid.SetRowIndexHidden(5, true);
    const struct {
        const char *step;
        std::function<void()> edit;
        const char *numbers;
        int hiddenRow;
    } steps[] = {
        { "filled", [] {}, "1 2 3 4 ", 5 },
        { "two rows inserted in the middle",
            [&] {
                grid.Range(3, 1, 4, 1).Selected();
                grid.Selection().InsertRows();
            },
            "1 2 3 4 5 6 ", 7 },
        { "one deleted",
            [&] {
                grid.Range(2, 1, 2, 2).Selected();
                grid.Selection().DeleteByRow();
            },
            "1 2 3 4 5 ", 6 },
        { "a row inserted under the unnumbered one", [&] { grid.InsertRow(7, 1); }, "1 2 3 4 5  6", 6 },
        { "the unnumbered row deleted",
            [&] {
                grid.Range(6, 1, 6, 1).Selected();
                grid.Selection().DeleteByRow();
            },
            "1 2 3 4 5 6", -1 },
    };
    for (const auto &step : steps) {
        step.edit();
        EXPECT_EQ(rowNumbers(grid), step.numbers) << step.step;
        for (int row = 0; row < grid.Rows(); ++row)
            EXPECT_EQ(grid.RowIndexHidden(row), row == step.hiddenRow) << step.step << ", row " << row;
    }
    // The texts went with their rows; only the numbers were counted afresh.
    EXPECT_EQ(grid.Cell(1, 1).text(), "1");
    EXPECT_EQ(grid.Cell(2, 1).text(), "");
    EXPECT_EQ(grid.Cell(4, 1).text(), "3");

    // A location line over the list: the numbers start under it.
    grid.SetRowIndexHidden(1, true);
    EXPECT_EQ(rowNumbers(grid), " 1 2 3 4 5");
    grid.SetDisplayRowIndex(false);
    EXPECT_EQ(rowNumbers(grid), "     ");
}

TEST(GridApi, AnUnnumberedRowShowsNoNumberOnScreen)
{
    Grid grid;
    grid.SetCols(3);
    grid.SetRows(4);
    grid.SetDisplayRowIndex(true);
    grid.SetRowIndexHidden(3, true);
    grid.resize(400, 300);
    TextRecorder recorder(QSize(400, 300));
    grid.viewport()->render(&recorder);
    QStringList drawn;
    for (const TextRecorder::Text &text : recorder.texts())
        drawn << text.text;
    EXPECT_TRUE(drawn.contains("1"));
    EXPECT_TRUE(drawn.contains("2"));
    EXPECT_FALSE(drawn.contains("3")) << drawn.join('|').toStdString();
}
