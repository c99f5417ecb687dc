#pragma once

#include "CellRange.h"
#include "CellStyle.h"
#include "CellStyleTable.h"
#include "GridImages.h"
#include "HPageBreaks.h"
#include "PageSetup.h"
#include "ReportTitles.h"

#include <QFont>
#include <QString>

#include <functional>
#include <vector>

class GridBlock;

// Cell types: how a user edits a cell.
enum CellType { CellTypeText = 0, CellTypeDropDown = 1, CellTypeCheckBox = 2 };

// Column masks: they decide what a user may type into a cell and how its text is shown, never
// the text a program stores.
//  0 none: anything, shown as stored.
//  3 text: anything, always shown as text (left-aligned, even when it looks like a number).
//  5 numbers: digits with an optional sign and decimal point; shown right-aligned.
enum ColumnMask { MaskNone = 0, MaskText = 3, MaskNumber = 5 };

// Everything a grid holds, with no painting: sizes, texts, tags, the shared looks, merges,
// pictures and the print settings. Row 0 and column 0 are the fixed header row and column.
// Sizes are pixels at 96 dpi; 0 hides a row or column.
class GridData {
public:
    static constexpr int DefaultRowHeight = 20;
    static constexpr int DefaultColWidth = 72;
    static constexpr int DefaultFixedColWidth = 40;

    GridData();

    // Sizes. Changing them keeps the cells that remain; rows and columns 0 always stay.
    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    void setRows(int rows);
    void setCols(int cols);
    bool isValid(int row, int col) const { return row >= 0 && row < m_rows && col >= 0 && col < m_cols; }
    CellRange all() const { return { 0, 0, m_rows - 1, m_cols - 1 }; }

    // Cells. Out-of-range cells read as empty and ignore writes.
    QString text(int row, int col) const;
    void setText(int row, int col, const QString &text);
    QString tag(int row, int col) const;
    void setTag(int row, int col, const QString &tag);
    QString imageKey(int row, int col) const;
    void setImageKey(int row, int col, const QString &key);
    // The cell's own type, or its column's when it has none.
    int cellType(int row, int col) const;
    int ownCellType(int row, int col) const;
    void setCellType(int row, int col, int type);

    // Looks.
    const CellStyleTable &styles() const { return m_styles; }
    int styleIndex(int row, int col) const;
    const CellStyle &style(int row, int col) const { return m_styles.at(styleIndex(row, col)); }
    void setStyle(int row, int col, const CellStyle &style);
    // Changes the look of every cell of `range`; cells that shared a look share the new one.
    void updateStyle(const CellRange &range, const std::function<void(CellStyle &)> &change);
    // Sets one border edge of a block (outline or inside edges, see BorderEdge). A side shared
    // with a neighbouring cell is set on both cells, so the line looks the same from either.
    void setBorder(const CellRange &range, int edge, int lineStyle);
    // The alignment code the cell is drawn with: its own, its column's, or the general rule.
    int effectiveAlignment(int row, int col) const;
    // The font the cell is drawn with, in points.
    QFont effectiveFont(int row, int col) const;
    const QFont &defaultFont() const { return m_defaultFont; }
    void setDefaultFont(const QFont &font) { m_defaultFont = font; }

    // Columns and rows.
    int colWidth(int col) const;
    void setColWidth(int col, int width);
    int mask(int col) const;
    void setMask(int col, int mask);
    int colAlignment(int col) const;
    void setColAlignment(int col, int alignment);
    QString formatString(int col) const;
    void setFormatString(int col, const QString &format);
    int colCellType(int col) const;
    void setColCellType(int col, int type);
    int rowHeight(int row) const;
    void setRowHeight(int row, int height);

    // Positions in pixels from the grid's top-left corner (row 0 and column 0 included).
    int rowTop(int row) const;
    int colLeft(int col) const;
    int totalHeight() const { return rowTop(m_rows); }
    int totalWidth() const { return colLeft(m_cols); }
    // The row or column under a position; -1 above or left of the grid, rows() or cols() below
    // or right of it. Hidden rows and columns are never found.
    int rowAt(int y) const;
    int colAt(int x) const;

    bool displayRowIndex() const { return m_displayRowIndex; }
    void setDisplayRowIndex(bool on) { m_displayRowIndex = on; }
    // Row numbers, shown in column 0 when displayRowIndex() is on: the numbered rows count
    // 1, 2, 3 ... from the top, so the numbers stay whole after any insert or delete. A row
    // whose number is hidden (a list's location line, its trailing empty row) shows none and
    // is not counted. The flag belongs to the row and moves with it.
    bool rowIndexHidden(int row) const;
    void setRowIndexHidden(int row, bool hidden);
    // Makes room at once for the cells of the first `rows` rows, for a fill that knows how many
    // it will write: growing row by row would hold the old cells and the new at every step.
    void reserveRows(int rows);
    // Builds now what reads build on first use, so that reads from several threads at once
    // change nothing; any change to the grid afterwards needs another call before such reads.
    void buildIndexes() const;
    // The number column 0 shows for `row` (whether or not displayRowIndex() is on); 0: none.
    int rowIndex(int row) const;

    // Merges: blocks drawn as one cell, shown with the text and look of their top-left cell.
    // The other cells keep their texts, which come back when the block is unmerged.
    const std::vector<CellRange> &merges() const { return m_merges; }
    // Merges `range` into one block, replacing merges it overlaps. A single cell only unmerges.
    void merge(const CellRange &range);
    // Replaces every merge by `blocks` at once (a loaded file's), in time linear in their rows:
    // -1, or the index of a block that lies outside the grid, is a single cell or overlaps
    // another, and then nothing has changed.
    int setMerges(std::vector<CellRange> blocks);
    // Removes every merge that overlaps `range`.
    void unmerge(const CellRange &range);
    // The merged block holding the cell, or the cell alone.
    CellRange mergeAt(int row, int col) const;
    bool isMerged(int row, int col) const { return !mergeAt(row, col).isSingleCell(); }
    // `range` grown until no merge sticks out of it.
    CellRange expandedToMerges(const CellRange &range) const;

    // Inserting and deleting rows and columns moves texts, looks, tags, sizes, merges and page
    // breaks with them. A merge spanning the edit grows or shrinks; one deleted whole goes.
    void insertRows(int row, int count);
    void removeRows(int row, int count);
    void insertCols(int col, int count);
    void removeCols(int col, int count);

    // A block's texts, looks, cell attributes and merges, detached from this grid.
    GridBlock copyBlock(const CellRange &range) const;
    // Writes `block` with its top-left cell at (row, col); what falls outside the grid is cut.
    void pasteBlock(const GridBlock &block, int row, int col);

    // Print settings and pictures.
    PageSetup &pageSetup() { return m_pageSetup; }
    const PageSetup &pageSetup() const { return m_pageSetup; }
    ReportTitles &reportTitles() { return m_reportTitles; }
    const ReportTitles &reportTitles() const { return m_reportTitles; }
    HPageBreaks &hPageBreaks() { return m_hPageBreaks; }
    const HPageBreaks &hPageBreaks() const { return m_hPageBreaks; }
    GridImages &images() { return m_images; }
    const GridImages &images() const { return m_images; }

private:
    // Tags, pictures and cell types are rare, so a cell only points to them.
    struct CellExtra {
        QString tag;
        QString imageKey;
        int cellType = CellTypeText;
        bool isEmpty() const { return tag.isEmpty() && imageKey.isEmpty() && cellType == CellTypeText; }
    };
    struct Cell {
        QString text;
        quint32 style = 0;
        quint32 extra = 0; // index + 1 into m_extras; 0: none
    };
    struct Column {
        int width = DefaultColWidth;
        int mask = MaskNone;
        int alignment = GridAlignment::Unset;
        int cellType = CellTypeText;
        QString formatString;
    };
    friend class GridBlock;

    // Cells are stored only down to the last row written to: rows below read as empty, so a
    // grid (a file) claiming many rows takes memory only for what it holds.
    const Cell *cellAt(int row, int col) const
    {
        static const Cell empty;
        return row < m_heldRows ? &m_cells[size_t(row) * size_t(m_cols) + size_t(col)] : &empty;
    }
    // The cell to write to, storing the rows down to it first.
    Cell *heldCell(int row, int col)
    {
        if (row >= m_heldRows)
            holdRows(row + 1);
        return &m_cells[size_t(row) * size_t(m_cols) + size_t(col)];
    }
    void holdRows(int rows);
    const CellExtra *extraOf(const Cell &cell) const;
    CellExtra &editExtra(Cell &cell);
    void releaseExtraIfEmpty(Cell &cell);
    void releaseExtra(Cell &cell);
    void setLine(int row, int col, int line, int lineStyle);
    // Cuts merges to the grid after it shrank.
    void clipMerges();
    void invalidateRowTops()
    {
        m_rowTopsValid = false;
        m_rowNumbersValid = false;
    }
    void invalidateMergeIndex() { m_mergeIndexValid = false; }
    void buildRowTops() const;
    // Carries the indexes that are built over rows added below `oldRows`.
    void extendIndexes(int oldRows);
    void buildRowNumbers() const;
    void buildColLefts() const;
    void buildMergeIndex() const;
    // The merge index of `merges`, or -1 past the first overlap found (the index is then
    // unusable): the overlapping block's number.
    int indexMerges(const std::vector<CellRange> &merges) const;

    int m_rows = 0;
    int m_cols = 0;
    std::vector<Cell> m_cells; // row-major, rows 0 .. m_heldRows - 1
    int m_heldRows = 0;
    std::vector<CellExtra> m_extras;
    std::vector<quint32> m_freeExtras;
    struct Row {
        int height = DefaultRowHeight;
        bool indexHidden = false;
    };
    std::vector<Row> m_rowInfo;
    std::vector<Column> m_columns;
    CellStyleTable m_styles;
    QFont m_defaultFont;
    bool m_displayRowIndex = false;
    std::vector<CellRange> m_merges;
    PageSetup m_pageSetup;
    ReportTitles m_reportTitles;
    HPageBreaks m_hPageBreaks;
    GridImages m_images;

    mutable std::vector<int> m_rowTops;
    mutable bool m_rowTopsValid = false;
    mutable std::vector<int> m_rowNumbers;
    mutable bool m_rowNumbersValid = false;
    mutable std::vector<int> m_colLefts;
    mutable bool m_colLeftsValid = false;
    // For each row, the merges crossing it ordered by their first column: row r's are
    // m_mergeRowEntries[m_mergeRowStart[r] .. m_mergeRowStart[r + 1]), indices into m_merges.
    mutable std::vector<int> m_mergeRowStart;
    mutable std::vector<int> m_mergeRowEntries;
    mutable bool m_mergeIndexValid = false;
};
