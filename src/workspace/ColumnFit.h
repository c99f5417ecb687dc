#pragma once

#include "workspace/CellTextMeasure.h"

#include <functional>
#include <vector>

class Grid;
struct CellStyle;

// Column widths from the texts a grid prints, so that no text is cut: what each column needs,
// measured once, and the fitting of the shown columns into the width of a page.
class ColumnFit {
public:
    // How the texts of cells that wrap are measured: on one line, as the lists want their
    // headers, or by their widest word, as the statistics want the school names over their
    // narrow count columns (Chinese breaks after any character, a Latin word nowhere).
    enum class Wrapped { OnOneLine, ByWidestWord };
    // What a table does that is wider than the page even in the smallest type: its texts wrap
    // within the page (lists, whose names and places can wrap), or its columns keep what their
    // texts need and the table prints on sheets side by side (counts, which cannot wrap).
    enum class TooWide { Wrap, SpanSheets };

    explicit ColumnFit(Grid &grid, Wrapped wrapped = Wrapped::OnOneLine);

    // The width column `col` needs to print each of its texts whole; a merged block (a room's
    // location line) shares its text's width out over the columns it spans.
    int needed(int col) const;

    // Widths for columns 1 on that add up to no more than `available` pixels:
    //  1. every column gets what its widest text needs; the wider width its layout gave it
    //     stays while the page holds them all;
    //  2. when it does not, columns with room to spare give it up, each in proportion to its
    //     spare, down to what their texts need;
    //  3. when the texts alone are wider than the page, the widest columns get smaller type, a
    //     step at a time, down to a size still easy to read;
    //  4. past that, the columns keep what their texts need up to one width, the one at which
    //     they fill the page, and the texts of the wider ones wrap, their rows growing to hold
    //     them; or, with TooWide::SpanSheets,
    //     every column keeps the wider of its layout's width and what its texts need.
    // With Wrapped::ByWidestWord the rows then grow to hold the wrapping texts whole.
    void fitInto(double available, TooWide tooWide = TooWide::Wrap);

private:
    struct Widest {
        int width = 0;
        int row = 0;
    };

    Widest widestIn(int col);
    void measureMergedBlocks();
    int totalNeeded() const;
    // Step 3; true when some column got smaller type.
    bool shrinkWidestColumns(double available);
    // Changes the look of the column's cells but those of merged blocks, which keep their own.
    void restyleColumn(int col, const std::function<void(CellStyle &)> &change);
    void share(double available);
    void wrap(double available);
    void keepNeeds();
    // Rows grow until the wrapping texts of `cols` show whole at their columns' widths.
    void growRows(const std::vector<int> &cols);

    Grid &m_grid;
    Wrapped m_wrapped;
    CellTextMeasure m_measure;
    // By column: the widest text of its own cells, and the share of merged texts it carries.
    std::vector<Widest> m_widest;
    std::vector<int> m_mergedShare;
    // The shown columns from 1 on: the ones that are fitted.
    std::vector<int> m_cols;
};
