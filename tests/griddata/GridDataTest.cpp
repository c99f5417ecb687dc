// The grid's data on its own: sizes, cells, merges, structure edits and borders.
#include "griddata/GridData.h"
#include "griddata/GridBlock.h"

#include <gtest/gtest.h>

namespace {

// A grid of `rows` x `cols` whose cell (r, c) holds "r,c".
GridData labelled(int rows, int cols)
{
    GridData data;
    data.setCols(cols);
    data.setRows(rows);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            data.setText(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
    return data;
}

CellStyle bold()
{
    CellStyle style;
    style.bold = true;
    return style;
}

} // namespace

TEST(GridData, ResizingKeepsTheCellsThatRemain)
{
    GridData data = labelled(4, 3);
    data.setTag(2, 1, "U");
    data.setStyle(3, 2, bold());
    data.setCols(6);
    data.setRows(9);
    EXPECT_EQ(data.text(3, 2), "3,2");
    EXPECT_EQ(data.text(2, 1), "2,1");
    EXPECT_EQ(data.tag(2, 1), "U");
    EXPECT_TRUE(data.style(3, 2).bold);
    EXPECT_EQ(data.text(8, 5), "");
    data.hPageBreaks().Add(2);
    data.hPageBreaks().Add(6);
    data.setRows(3);
    data.setCols(2);
    EXPECT_EQ(data.text(2, 1), "2,1");
    // A break on a row cut away goes with it.
    EXPECT_EQ(data.hPageBreaks().rows(), QList<int> { 2 });
    EXPECT_EQ(data.tag(2, 1), "U");
    // Cells cut away come back empty when the grid grows again.
    data.setRows(4);
    data.setCols(3);
    EXPECT_EQ(data.text(3, 2), "");
    EXPECT_FALSE(data.style(3, 2).bold);
}

TEST(GridData, FixedRowAndColumnAlwaysRemain)
{
    GridData data;
    data.setRows(0);
    data.setCols(-3);
    EXPECT_EQ(data.rows(), 1);
    EXPECT_EQ(data.cols(), 1);
    data.setText(0, 0, "corner");
    EXPECT_EQ(data.text(0, 0), "corner");
}

TEST(GridData, OutOfRangeCellsReadEmptyAndIgnoreWrites)
{
    GridData data = labelled(3, 3);
    data.setText(3, 0, "x");
    data.setText(-1, 1, "x");
    data.setTag(0, 3, "x");
    data.setStyle(5, 5, bold());
    EXPECT_EQ(data.text(3, 0), "");
    EXPECT_EQ(data.tag(0, 3), "");
    EXPECT_EQ(data.styleIndex(5, 5), 0);
    EXPECT_EQ(data.rows(), 3);
}

TEST(GridData, CellsSharingALookShareOneStyle)
{
    GridData data = labelled(200, 5);
    data.updateStyle({ 1, 1, 199, 4 }, [](CellStyle &s) { s.bold = true; });
    data.updateStyle({ 1, 1, 199, 4 }, [](CellStyle &s) { s.fontSize = 12; });
    EXPECT_EQ(data.styleIndex(1, 1), data.styleIndex(199, 4));
    // The plain look, bold, and bold at 12 points.
    EXPECT_EQ(data.styles().count(), 3);
    EXPECT_EQ(data.style(5, 3).fontSize, 12);
    EXPECT_TRUE(data.style(5, 3).bold);
    EXPECT_FALSE(data.style(0, 3).bold);
}

TEST(GridData, CellTypesFallBackToTheColumnsAndAttributesStartClean)
{
    GridData data = labelled(5, 5);
    data.setCellType(4, 1, CellTypeDropDown);
    data.setColCellType(2, CellTypeCheckBox);
    EXPECT_EQ(data.cellType(4, 1), CellTypeDropDown);
    EXPECT_EQ(data.cellType(3, 2), CellTypeCheckBox);
    EXPECT_EQ(data.cellType(4, 3), CellTypeText);
    // A cell whose attributes were all cleared passes its slot on; the next user starts clean.
    data.setTag(1, 0, "U");
    data.setImageKey(1, 0, "photo");
    data.setTag(1, 0, "");
    data.setImageKey(1, 0, "");
    data.setTag(2, 2, "V");
    EXPECT_EQ(data.tag(1, 0), "");
    EXPECT_EQ(data.tag(2, 2), "V");
    EXPECT_EQ(data.imageKey(2, 2), "");
    EXPECT_EQ(data.cellType(2, 2), CellTypeCheckBox);
}

TEST(GridData, RowAndColumnPositionsFollowSizesAndSkipHiddenOnes)
{
    GridData data;
    data.setRows(5);
    data.setCols(4);
    data.setRowHeight(0, 30);
    data.setRowHeight(2, 0);
    data.setRowHeight(3, 45);
    data.setColWidth(0, 40);
    data.setColWidth(1, 100);
    data.setColWidth(2, 0);
    EXPECT_EQ(data.rowTop(1), 30);
    EXPECT_EQ(data.rowTop(3), 50);
    EXPECT_EQ(data.rowTop(4), 95);
    EXPECT_EQ(data.totalHeight(), 115);
    EXPECT_EQ(data.rowAt(-1), -1);
    EXPECT_EQ(data.rowAt(29), 0);
    EXPECT_EQ(data.rowAt(49), 1);
    EXPECT_EQ(data.rowAt(50), 3); // row 2 is hidden
    EXPECT_EQ(data.rowAt(115), 5);
    EXPECT_EQ(data.colAt(139), 1);
    EXPECT_EQ(data.colAt(140), 3); // column 2 is hidden
    EXPECT_EQ(data.totalWidth(), 40 + 100 + 0 + GridData::DefaultColWidth);
}

TEST(GridData, MergeReplacesOverlappingMergesAndUnmergeRestoresTexts)
{
    GridData data = labelled(8, 8);
    data.merge({ 1, 1, 2, 3 });
    data.merge({ 5, 5, 6, 6 });
    EXPECT_EQ(data.mergeAt(2, 3), (CellRange { 1, 1, 2, 3 }));
    EXPECT_EQ(data.mergeAt(3, 3), CellRange::cell(3, 3));
    EXPECT_TRUE(data.isMerged(6, 6));

    data.merge({ 2, 2, 4, 4 });
    EXPECT_FALSE(data.isMerged(1, 1));
    EXPECT_EQ(data.mergeAt(3, 3), (CellRange { 2, 2, 4, 4 }));
    EXPECT_EQ(data.merges().size(), 2u);

    data.unmerge(CellRange::cell(4, 4));
    EXPECT_FALSE(data.isMerged(3, 3));
    EXPECT_EQ(data.text(3, 3), "3,3");
    EXPECT_TRUE(data.isMerged(5, 5));

    // A single cell is no merge.
    data.merge(CellRange::cell(5, 5));
    EXPECT_FALSE(data.isMerged(5, 5));
}

TEST(GridData, MergesSetAtOnceAreFoundCellByCellOrRefusedWhole)
{
    // Blocks side by side in the same rows, a tall one beside them and wide ones below: every
    // cell finds its own block, as a plain search through the list would.
    GridData data = labelled(40, 12);
    std::vector<CellRange> blocks;
    for (int col = 1; col + 1 < 10; col += 3)
        for (int row = 1; row < 20; row += 2)
            blocks.push_back({ row, col, row + 1, col + 1 });
    blocks.push_back({ 1, 10, 30, 10 });
    blocks.push_back({ 25, 1, 25, 9 });
    blocks.push_back({ 26, 0, 39, 8 });
    ASSERT_EQ(data.setMerges(blocks), -1);
    for (int r = 0; r < data.rows(); ++r) {
        for (int c = 0; c < data.cols(); ++c) {
            CellRange expected = CellRange::cell(r, c);
            for (const CellRange &b : blocks)
                if (b.contains(r, c))
                    expected = b;
            EXPECT_EQ(data.mergeAt(r, c), expected) << r << "," << c;
        }
    }

    // Any overlap, wherever its blocks stand in the list, refuses all and names the later block.
    const struct {
        const char *name;
        CellRange added;
    } overlapping[] = {
        { "the same cells", { 3, 1, 4, 2 } },
        { "one corner", { 20, 8, 21, 9 } },
        { "inside the tall block", { 12, 10, 13, 10 } },
        { "across a wide block", { 24, 5, 27, 5 } },
    };
    for (const auto &o : overlapping) {
        std::vector<CellRange> more = blocks;
        more.push_back(o.added);
        EXPECT_EQ(data.setMerges(more), int(more.size()) - 1) << o.name;
        EXPECT_EQ(data.merges(), blocks) << o.name;
        EXPECT_EQ(data.mergeAt(3, 1), (CellRange { 3, 1, 4, 2 })) << o.name;
    }
    // Blocks that only touch are no overlap; a block outside the grid or of one cell is refused.
    std::vector<CellRange> touching = { { 1, 1, 2, 2 }, { 1, 3, 2, 4 }, { 3, 1, 3, 4 } };
    EXPECT_EQ(data.setMerges(touching), -1);
    EXPECT_EQ(data.setMerges({ { 1, 1, 2, 2 }, { 38, 5, 40, 5 } }), 1);
    EXPECT_EQ(data.setMerges({ CellRange::cell(2, 2) }), 0);
    EXPECT_EQ(data.merges(), touching);
    EXPECT_EQ(data.setMerges({}), -1);
    EXPECT_FALSE(data.isMerged(1, 1));
}

TEST(GridData, ExpandingToMergesTakesInEveryBlockTouched)
{
    GridData data = labelled(10, 10);
    data.merge({ 1, 1, 2, 2 });
    data.merge({ 2, 3, 5, 3 });
    EXPECT_EQ(data.expandedToMerges(CellRange::cell(1, 2)), (CellRange { 1, 1, 2, 2 }));
    // The second merge only comes in because the first grew the block.
    EXPECT_EQ(data.expandedToMerges({ 1, 2, 1, 3 }), (CellRange { 1, 1, 5, 3 }));
}

TEST(GridData, ShrinkingTheGridCutsMergesToWhatRemains)
{
    GridData data = labelled(10, 10);
    data.merge({ 7, 1, 9, 2 });
    data.merge({ 8, 4, 9, 4 });
    data.setRows(9);
    EXPECT_EQ(data.mergeAt(8, 2), (CellRange { 7, 1, 8, 2 }));
    EXPECT_FALSE(data.isMerged(8, 4));
}

TEST(GridData, GrowingRowByRowFindsTheMergesPositionsAndNumbersOfEveryRow)
{
    GridData data;
    data.setCols(4);
    data.setRows(1);
    for (int r = 1; r < 40; ++r) {
        if (r % 2)
            data.setRows(r + 1);
        else
            data.insertRows(r, 1);
        if (r % 5 == 0)
            data.merge({ r - 1, 1, r, 2 });
        EXPECT_EQ(data.mergeAt(r, 2), (r % 5 ? CellRange::cell(r, 2) : CellRange { r - 1, 1, r, 2 })) << r;
        EXPECT_EQ(data.rowTop(r + 1), (r + 1) * GridData::DefaultRowHeight) << r;
        EXPECT_EQ(data.rowAt(data.totalHeight() - 1), r) << r;
        EXPECT_EQ(data.rowIndex(r), r) << r;
    }
}

struct RowEditCase {
    const char *name;
    bool insert;
    int at;
    int count;
    CellRange mergeBefore;
    CellRange mergeAfter; // empty: the merge is gone
};

class GridDataRowEdits : public ::testing::TestWithParam<RowEditCase> { };

TEST_P(GridDataRowEdits, MergesFollowInsertedAndDeletedRows)
{
    const RowEditCase &t = GetParam();
    GridData data = labelled(12, 4);
    data.merge(t.mergeBefore);
    if (t.insert)
        data.insertRows(t.at, t.count);
    else
        data.removeRows(t.at, t.count);
    if (t.mergeAfter.isEmpty()) {
        EXPECT_TRUE(data.merges().empty());
    } else {
        ASSERT_EQ(data.merges().size(), 1u);
        EXPECT_EQ(data.merges().front(), t.mergeAfter);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, GridDataRowEdits,
    ::testing::Values(RowEditCase { "InsertAboveMoves", true, 2, 3, { 4, 1, 5, 2 }, { 7, 1, 8, 2 } },
        RowEditCase { "InsertAtFirstRowMoves", true, 4, 1, { 4, 1, 5, 2 }, { 5, 1, 6, 2 } },
        RowEditCase { "InsertInsideGrows", true, 5, 2, { 4, 1, 5, 2 }, { 4, 1, 7, 2 } },
        RowEditCase { "InsertBelowKeeps", true, 6, 2, { 4, 1, 5, 2 }, { 4, 1, 5, 2 } },
        RowEditCase { "InsertAtTheEndKeeps", true, 12, 2, { 10, 1, 11, 2 }, { 10, 1, 11, 2 } },
        RowEditCase { "DeleteAboveMoves", false, 1, 2, { 4, 1, 5, 2 }, { 2, 1, 3, 2 } },
        RowEditCase { "DeleteInsideShrinks", false, 5, 1, { 4, 1, 6, 2 }, { 4, 1, 5, 2 } },
        RowEditCase { "DeleteOverlappingTopShrinks", false, 3, 2, { 4, 1, 6, 2 }, { 3, 1, 4, 2 } },
        RowEditCase { "DeleteToOneRowUnmerges", false, 4, 1, { 4, 1, 5, 1 }, {} },
        RowEditCase { "DeleteWholeRemoves", false, 3, 5, { 4, 1, 5, 2 }, {} }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(GridData, RowsNeverWrittenReadEmptyAndTakeEveryEditLikeOthers)
{
    // A large grid written only near its top: the rows below hold nothing until written.
    GridData data;
    data.setCols(4);
    data.setRows(100000);
    data.setText(3, 1, "a");
    data.setTag(5, 0, "U");
    data.setText(50000, 2, QString());
    EXPECT_EQ(data.text(99999, 3), "");
    EXPECT_EQ(data.tag(70000, 0), "");
    EXPECT_EQ(data.styleIndex(80000, 2), 0);
    data.insertRows(10, 2); // below what was written
    data.insertRows(2, 1); // above it
    EXPECT_EQ(data.text(4, 1), "a");
    EXPECT_EQ(data.tag(6, 0), "U");
    data.setText(99990, 3, "z");
    data.removeRows(6, 50000); // from written rows into rows never written
    EXPECT_EQ(data.text(4, 1), "a");
    EXPECT_EQ(data.tag(6, 0), "");
    EXPECT_EQ(data.text(49990, 3), "z");
    data.insertCols(1, 1);
    EXPECT_EQ(data.text(4, 2), "a");
    EXPECT_EQ(data.text(49990, 4), "z");
    data.removeCols(1, 1);
    EXPECT_EQ(data.text(49990, 3), "z");
    data.setStyle(50000, 1, bold());
    EXPECT_TRUE(data.style(50000, 1).bold);
    data.setRows(20);
    data.setRows(70000);
    EXPECT_EQ(data.text(49990, 3), "");
    EXPECT_FALSE(data.style(50000, 1).bold);
    EXPECT_EQ(data.text(4, 1), "a");
}

TEST(GridData, InsertingRowsMovesTextsLooksTagsHeightsAndPageBreaks)
{
    GridData data = labelled(6, 3);
    data.setStyle(3, 1, bold());
    data.setTag(3, 0, "U");
    data.setRowHeight(3, 33);
    data.hPageBreaks().Add(3);
    data.insertRows(2, 2);
    EXPECT_EQ(data.rows(), 8);
    EXPECT_EQ(data.text(2, 1), "");
    EXPECT_EQ(data.text(5, 1), "3,1");
    EXPECT_TRUE(data.style(5, 1).bold);
    EXPECT_FALSE(data.style(3, 1).bold);
    EXPECT_EQ(data.tag(5, 0), "U");
    EXPECT_EQ(data.rowHeight(5), 33);
    EXPECT_EQ(data.rowHeight(2), GridData::DefaultRowHeight);
    EXPECT_TRUE(data.hPageBreaks().contains(5));
    EXPECT_EQ(data.text(7, 2), "5,2");
}

TEST(GridData, DeletingRowsNeverTakesTheFixedRow)
{
    GridData data = labelled(6, 3);
    data.removeRows(0, 2);
    EXPECT_EQ(data.rows(), 5);
    EXPECT_EQ(data.text(0, 1), "0,1");
    EXPECT_EQ(data.text(1, 1), "2,1");
    data.removeRows(1, 100);
    EXPECT_EQ(data.rows(), 1);
    EXPECT_EQ(data.text(0, 2), "0,2");
}

TEST(GridData, InsertingAndDeletingColumnsMovesCellsColumnsAndMerges)
{
    GridData data = labelled(5, 6);
    data.setColWidth(3, 111);
    data.setMask(3, MaskNumber);
    data.setStyle(2, 3, bold());
    data.setTag(2, 3, "t");
    data.merge({ 1, 2, 1, 4 });
    data.insertCols(3, 2);
    EXPECT_EQ(data.cols(), 8);
    EXPECT_EQ(data.text(2, 5), "2,3");
    EXPECT_EQ(data.text(2, 3), "");
    EXPECT_EQ(data.tag(2, 5), "t");
    EXPECT_TRUE(data.style(2, 5).bold);
    EXPECT_EQ(data.colWidth(5), 111);
    EXPECT_EQ(data.mask(5), MaskNumber);
    EXPECT_EQ(data.mask(3), MaskNone);
    EXPECT_EQ(data.mergeAt(1, 2), (CellRange { 1, 2, 1, 6 }));

    data.removeCols(2, 3);
    EXPECT_EQ(data.cols(), 5);
    EXPECT_EQ(data.text(2, 2), "2,3");
    EXPECT_EQ(data.text(2, 0), "2,0");
    EXPECT_EQ(data.colWidth(2), 111);
    EXPECT_EQ(data.mergeAt(1, 2), (CellRange { 1, 2, 1, 3 }));
    // Only the fixed column lies in [0, 1): nothing goes.
    data.removeCols(0, 1);
    EXPECT_EQ(data.cols(), 5);
    EXPECT_EQ(data.text(2, 0), "2,0");
    EXPECT_EQ(data.text(2, 1), "2,1");
}

struct BorderCase {
    const char *name;
    int edge;
    // Cells (row, col, line) that must carry the line, and some that must not.
    std::vector<std::tuple<int, int, int>> lined;
    std::vector<std::tuple<int, int, int>> plain;
};

class GridDataBorders : public ::testing::TestWithParam<BorderCase> { };

// The block is rows 2-4, columns 2-3 of a 7 x 6 grid.
TEST_P(GridDataBorders, EdgesOfABlock)
{
    const BorderCase &t = GetParam();
    GridData data = labelled(7, 6);
    data.setBorder({ 2, 2, 4, 3 }, t.edge, LineThick);
    for (const auto &[r, c, line] : t.lined)
        EXPECT_EQ(data.style(r, c).lines[size_t(line)], LineThick) << r << "," << c << " line " << line;
    for (const auto &[r, c, line] : t.plain)
        EXPECT_EQ(data.style(r, c).lines[size_t(line)], LineNone) << r << "," << c << " line " << line;
}

INSTANTIATE_TEST_SUITE_P(Cases, GridDataBorders,
    ::testing::Values(BorderCase { "Left", EdgeLeft, { { 2, 2, LineLeft }, { 4, 2, LineLeft }, { 3, 1, LineRight } },
                          { { 3, 3, LineLeft }, { 3, 2, LineRight }, { 1, 2, LineLeft }, { 5, 2, LineLeft } } },
        BorderCase { "Right", EdgeRight, { { 2, 3, LineRight }, { 4, 3, LineRight }, { 3, 4, LineLeft } },
            { { 3, 2, LineRight }, { 3, 3, LineLeft } } },
        BorderCase { "Top", EdgeTop, { { 2, 2, LineTop }, { 2, 3, LineTop }, { 1, 3, LineBottom } },
            { { 3, 2, LineTop }, { 2, 4, LineTop }, { 2, 1, LineTop } } },
        BorderCase { "Bottom", EdgeBottom, { { 4, 2, LineBottom }, { 4, 3, LineBottom }, { 5, 2, LineTop } },
            { { 3, 2, LineBottom }, { 2, 2, LineTop } } },
        BorderCase { "InsideVertical", EdgeInsideVertical, { { 2, 2, LineRight }, { 4, 3, LineLeft } },
            { { 3, 2, LineLeft }, { 3, 3, LineRight }, { 3, 2, LineTop }, { 2, 2, LineBottom } } },
        BorderCase { "InsideHorizontal", EdgeInsideHorizontal,
            { { 2, 2, LineBottom }, { 3, 3, LineTop }, { 3, 3, LineBottom }, { 4, 2, LineTop } },
            { { 2, 2, LineTop }, { 4, 3, LineBottom }, { 3, 2, LineLeft } } },
        BorderCase { "DiagonalUp", EdgeDiagonalUp, { { 2, 2, LineDiagonalUp }, { 4, 3, LineDiagonalUp } },
            { { 2, 2, LineDiagonalDown }, { 5, 2, LineDiagonalUp } } },
        BorderCase { "DiagonalDown", EdgeDiagonalDown, { { 3, 3, LineDiagonalDown } }, { { 3, 3, LineDiagonalUp } } }),
    [](const auto &info) { return std::string(info.param.name); });

TEST(GridData, LaterBorderPresetsOverwriteOnlyTheirEdges)
{
    GridData data = labelled(6, 6);
    const CellRange block { 2, 2, 3, 3 };
    for (int edge : { EdgeLeft, EdgeRight, EdgeTop, EdgeBottom })
        data.setBorder(block, edge, LineThick);
    data.setBorder(block, EdgeLeft, LineThin);
    EXPECT_EQ(data.style(2, 2).lines[LineLeft], LineThin);
    EXPECT_EQ(data.style(2, 1).lines[LineRight], LineThin);
    EXPECT_EQ(data.style(2, 3).lines[LineRight], LineThick);
    EXPECT_EQ(data.style(2, 2).lines[LineTop], LineThick);
    // Style 0 removes a line from both sides.
    data.setBorder(block, EdgeTop, LineNone);
    EXPECT_EQ(data.style(2, 3).lines[LineTop], LineNone);
    EXPECT_EQ(data.style(1, 3).lines[LineBottom], LineNone);
    // Unknown edges and styles change nothing.
    const int styles = data.styles().count();
    data.setBorder(block, 8, LineThin);
    data.setBorder(block, EdgeLeft, 3);
    EXPECT_EQ(data.styles().count(), styles);
    EXPECT_EQ(data.style(2, 2).lines[LineLeft], LineThin);
}

TEST(GridData, AlignmentFallsBackFromCellToColumnToTheGeneralRule)
{
    GridData data;
    data.setText(1, 1, "12.5");
    data.setText(2, 1, "张三");
    data.setText(1, 2, "0012");
    data.setMask(2, MaskText);
    data.setText(1, 3, "abc");
    data.setMask(3, MaskNumber);
    EXPECT_EQ(data.effectiveAlignment(1, 1), GridAlignment::code(2, 1));
    EXPECT_EQ(data.effectiveAlignment(2, 1), GridAlignment::code(0, 1));
    EXPECT_EQ(data.effectiveAlignment(1, 2), GridAlignment::code(0, 1));
    EXPECT_EQ(data.effectiveAlignment(1, 3), GridAlignment::code(2, 1));
    EXPECT_EQ(data.effectiveAlignment(0, 2), GridAlignment::Centred);
    data.setColAlignment(1, 5);
    EXPECT_EQ(data.effectiveAlignment(1, 1), 5);
    data.updateStyle(CellRange::cell(1, 1), [](CellStyle &s) { s.alignment = 15; });
    EXPECT_EQ(data.effectiveAlignment(1, 1), 15);
    EXPECT_EQ(data.effectiveAlignment(2, 1), 5);
}

TEST(GridData, CellFontsFollowTheDefaultFontUnlessSetThemselves)
{
    GridData data;
    data.updateStyle(CellRange::cell(1, 1), [](CellStyle &s) {
        s.fontName = "黑体";
        s.italic = true;
    });
    data.updateStyle(CellRange::cell(2, 1), [](CellStyle &s) { s.fontSize = 20; });
    QFont base = data.defaultFont();
    base.setPointSizeF(12);
    data.setDefaultFont(base);
    EXPECT_EQ(data.effectiveFont(1, 1).family(), "黑体");
    EXPECT_EQ(data.effectiveFont(1, 1).pointSizeF(), 12);
    EXPECT_TRUE(data.effectiveFont(1, 1).italic());
    EXPECT_EQ(data.effectiveFont(2, 1).pointSizeF(), 20);
    EXPECT_EQ(data.effectiveFont(3, 3).pointSizeF(), 12);
}

TEST(GridData, BlocksCarryTextsLooksAttributesAndMergesToAnotherGrid)
{
    GridData source = labelled(6, 6);
    source.setStyle(2, 2, bold());
    source.setTag(2, 3, "t");
    source.setCellType(3, 3, CellTypeDropDown);
    source.setImageKey(3, 2, "photo");
    source.merge({ 2, 2, 3, 2 });
    source.merge({ 4, 4, 5, 5 }); // partly outside the copied block
    const GridBlock block = source.copyBlock({ 2, 2, 4, 4 });
    ASSERT_EQ(block.rows(), 3);
    ASSERT_EQ(block.cols(), 3);

    GridData target = labelled(10, 10);
    target.merge({ 6, 6, 7, 8 });
    target.pasteBlock(block, 5, 6);
    EXPECT_EQ(target.text(5, 6), "2,2");
    EXPECT_EQ(target.text(7, 8), "4,4");
    EXPECT_TRUE(target.style(5, 6).bold);
    EXPECT_EQ(target.tag(5, 7), "t");
    EXPECT_EQ(target.cellType(6, 7), CellTypeDropDown);
    EXPECT_EQ(target.imageKey(6, 6), "photo");
    EXPECT_EQ(target.mergeAt(6, 6), (CellRange { 5, 6, 6, 6 }));
    // The old merge under the block is gone; the cut merge is not made a merge of one cell.
    EXPECT_FALSE(target.isMerged(7, 8));
    EXPECT_EQ(target.merges().size(), 1u);
}

TEST(GridData, PastingPastTheEdgeIsCut)
{
    GridData source = labelled(6, 6);
    source.merge({ 1, 1, 1, 4 });
    GridData target = labelled(4, 4);
    target.pasteBlock(source.copyBlock({ 1, 1, 5, 5 }), 2, 2);
    EXPECT_EQ(target.rows(), 4);
    EXPECT_EQ(target.text(3, 3), "2,2");
    EXPECT_EQ(target.mergeAt(2, 2), (CellRange { 2, 2, 2, 3 }));
}
