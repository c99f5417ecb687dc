// Inserting and deleting rows and columns, and copying and pasting blocks of cells.

#include "GridData.h"

#include "GridBlock.h"

#include <algorithm>

namespace {

// Where a span [first, last] of rows or columns ends up when [at, at + count) is deleted;
// empty (last < first) when it is deleted whole.
std::pair<int, int> shrinkSpan(int first, int last, int at, int count)
{
    const auto moved = [&](int index, bool isFirst) {
        if (index < at)
            return index;
        if (index >= at + count)
            return index - count;
        return isFirst ? at : at - 1;
    };
    return { moved(first, true), moved(last, false) };
}

} // namespace

void GridData::insertRows(int row, int count)
{
    row = std::clamp(row, 1, m_rows);
    if (count <= 0)
        return;
    if (row == m_rows) {
        // Rows added below the last move nothing.
        setRows(m_rows + count);
        return;
    }
    if (row < m_heldRows) {
        m_cells.insert(
            m_cells.begin() + ptrdiff_t(size_t(row) * size_t(m_cols)), size_t(count) * size_t(m_cols), Cell());
        m_heldRows += count;
    }
    m_rowInfo.insert(m_rowInfo.begin() + row, size_t(count), Row());
    m_rows += count;
    for (CellRange &m : m_merges) {
        if (m.row1 >= row) {
            m.row1 += count;
            m.row2 += count;
        } else if (m.row2 >= row) {
            m.row2 += count;
        }
    }
    m_hPageBreaks.insertRows(row, count);
    invalidateRowTops();
    invalidateMergeIndex();
}

void GridData::removeRows(int row, int count)
{
    if (row < 1) {
        count -= 1 - row;
        row = 1;
    }
    count = std::min(count, m_rows - row);
    if (count <= 0)
        return;
    const int heldGone = std::clamp(m_heldRows - row, 0, count);
    const auto first = m_cells.begin() + ptrdiff_t(size_t(row) * size_t(m_cols));
    const auto last = first + ptrdiff_t(size_t(heldGone) * size_t(m_cols));
    for (auto it = first; it != last; ++it)
        releaseExtra(*it);
    m_cells.erase(first, last);
    m_heldRows -= heldGone;
    m_rowInfo.erase(m_rowInfo.begin() + row, m_rowInfo.begin() + row + count);
    m_rows -= count;
    std::vector<CellRange> kept;
    for (CellRange m : m_merges) {
        std::tie(m.row1, m.row2) = shrinkSpan(m.row1, m.row2, row, count);
        if (!m.isEmpty() && !m.isSingleCell())
            kept.push_back(m);
    }
    m_merges = std::move(kept);
    m_hPageBreaks.removeRows(row, count);
    invalidateRowTops();
    invalidateMergeIndex();
}

void GridData::insertCols(int col, int count)
{
    col = std::clamp(col, 1, m_cols);
    if (count <= 0)
        return;
    const int newCols = m_cols + count;
    std::vector<Cell> cells(size_t(m_heldRows) * size_t(newCols));
    for (int r = 0; r < m_heldRows; ++r) {
        for (int c = 0; c < m_cols; ++c) {
            const int to = c < col ? c : c + count;
            cells[size_t(r) * size_t(newCols) + size_t(to)]
                = std::move(m_cells[size_t(r) * size_t(m_cols) + size_t(c)]);
        }
    }
    m_cells = std::move(cells);
    m_columns.insert(m_columns.begin() + col, size_t(count), Column());
    m_cols = newCols;
    for (CellRange &m : m_merges) {
        if (m.col1 >= col) {
            m.col1 += count;
            m.col2 += count;
        } else if (m.col2 >= col) {
            m.col2 += count;
        }
    }
    m_colLeftsValid = false;
    invalidateMergeIndex();
}

void GridData::removeCols(int col, int count)
{
    if (col < 1) {
        count -= 1 - col;
        col = 1;
    }
    count = std::min(count, m_cols - col);
    if (count <= 0)
        return;
    const int newCols = m_cols - count;
    std::vector<Cell> cells(size_t(m_heldRows) * size_t(newCols));
    for (int r = 0; r < m_heldRows; ++r) {
        for (int c = 0; c < m_cols; ++c) {
            Cell &cell = m_cells[size_t(r) * size_t(m_cols) + size_t(c)];
            if (c >= col && c < col + count)
                releaseExtra(cell);
            else
                cells[size_t(r) * size_t(newCols) + size_t(c < col ? c : c - count)] = std::move(cell);
        }
    }
    m_cells = std::move(cells);
    m_columns.erase(m_columns.begin() + col, m_columns.begin() + col + count);
    m_cols = newCols;
    std::vector<CellRange> kept;
    for (CellRange m : m_merges) {
        std::tie(m.col1, m.col2) = shrinkSpan(m.col1, m.col2, col, count);
        if (!m.isEmpty() && !m.isSingleCell())
            kept.push_back(m);
    }
    m_merges = std::move(kept);
    m_colLeftsValid = false;
    invalidateMergeIndex();
}

GridBlock GridData::copyBlock(const CellRange &range) const
{
    GridBlock block;
    const CellRange source = range.intersected(all());
    if (source.isEmpty())
        return block;
    block.m_rows = source.rowCount();
    block.m_cols = source.colCount();
    block.m_cells.resize(size_t(block.m_rows) * size_t(block.m_cols));
    for (int r = 0; r < block.m_rows; ++r) {
        for (int c = 0; c < block.m_cols; ++c) {
            const Cell &from = *cellAt(source.row1 + r, source.col1 + c);
            GridBlock::Cell &to = block.m_cells[block.index(r, c)];
            to.text = from.text;
            to.style = m_styles.at(int(from.style));
            if (const CellExtra *extra = extraOf(from)) {
                to.tag = extra->tag;
                to.imageKey = extra->imageKey;
                to.cellType = extra->cellType;
            }
        }
    }
    for (const CellRange &m : m_merges) {
        const CellRange part = m.intersected(source);
        if (!part.isEmpty() && !part.isSingleCell())
            block.m_merges.push_back(
                { part.row1 - source.row1, part.col1 - source.col1, part.row2 - source.row1, part.col2 - source.col1 });
    }
    return block;
}

void GridData::pasteBlock(const GridBlock &block, int row, int col)
{
    if (block.isEmpty())
        return;
    const CellRange target = CellRange { row, col, row + block.rows() - 1, col + block.cols() - 1 }.intersected(all());
    if (target.isEmpty())
        return;
    unmerge(target);
    for (int r = target.row1; r <= target.row2; ++r) {
        for (int c = target.col1; c <= target.col2; ++c) {
            const GridBlock::Cell &from = block.m_cells[block.index(r - row, c - col)];
            Cell &to = *heldCell(r, c);
            to.text = from.text;
            to.style = quint32(m_styles.intern(from.style));
            releaseExtra(to);
            if (!from.tag.isEmpty() || !from.imageKey.isEmpty() || from.cellType != CellTypeText)
                editExtra(to) = CellExtra { from.tag, from.imageKey, from.cellType };
        }
    }
    for (const CellRange &m : block.merges()) {
        const CellRange placed
            = CellRange { m.row1 + row, m.col1 + col, m.row2 + row, m.col2 + col }.intersected(target);
        if (!placed.isEmpty() && !placed.isSingleCell())
            m_merges.push_back(placed);
    }
    invalidateMergeIndex();
}
