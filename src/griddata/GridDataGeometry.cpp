// Column widths, row heights and the indexes built from them: row numbers, row tops,
// column lefts and where merged blocks lie.

#include "GridData.h"

#include <algorithm>
#include <numeric>

int GridData::colWidth(int col) const
{
    return col >= 0 && col < m_cols ? m_columns[size_t(col)].width : 0;
}

void GridData::setColWidth(int col, int width)
{
    if (col >= 0 && col < m_cols) {
        m_columns[size_t(col)].width = std::max(width, 0);
        m_colLeftsValid = false;
    }
}

int GridData::mask(int col) const
{
    return col >= 0 && col < m_cols ? m_columns[size_t(col)].mask : MaskNone;
}

void GridData::setMask(int col, int mask)
{
    if (col >= 0 && col < m_cols)
        m_columns[size_t(col)].mask = mask;
}

int GridData::colAlignment(int col) const
{
    return col >= 0 && col < m_cols ? m_columns[size_t(col)].alignment : GridAlignment::Unset;
}

void GridData::setColAlignment(int col, int alignment)
{
    if (col >= 0 && col < m_cols)
        m_columns[size_t(col)].alignment = alignment;
}

QString GridData::formatString(int col) const
{
    return col >= 0 && col < m_cols ? m_columns[size_t(col)].formatString : QString();
}

void GridData::setFormatString(int col, const QString &format)
{
    if (col >= 0 && col < m_cols)
        m_columns[size_t(col)].formatString = format;
}

int GridData::colCellType(int col) const
{
    return col >= 0 && col < m_cols ? m_columns[size_t(col)].cellType : CellTypeText;
}

void GridData::setColCellType(int col, int type)
{
    if (col >= 0 && col < m_cols)
        m_columns[size_t(col)].cellType = type;
}

int GridData::rowHeight(int row) const
{
    return row >= 0 && row < m_rows ? m_rowInfo[size_t(row)].height : 0;
}

void GridData::setRowHeight(int row, int height)
{
    if (row >= 0 && row < m_rows) {
        m_rowInfo[size_t(row)].height = std::max(height, 0);
        invalidateRowTops();
    }
}

bool GridData::rowIndexHidden(int row) const
{
    return row >= 0 && row < m_rows && m_rowInfo[size_t(row)].indexHidden;
}

void GridData::setRowIndexHidden(int row, bool hidden)
{
    if (row >= 0 && row < m_rows && m_rowInfo[size_t(row)].indexHidden != hidden) {
        m_rowInfo[size_t(row)].indexHidden = hidden;
        m_rowNumbersValid = false;
    }
}

int GridData::rowIndex(int row) const
{
    if (row < 1 || row >= m_rows)
        return 0;
    if (!m_rowNumbersValid)
        buildRowNumbers();
    return m_rowNumbers[size_t(row)];
}

void GridData::buildIndexes() const
{
    if (!m_rowNumbersValid)
        buildRowNumbers();
    if (!m_rowTopsValid)
        buildRowTops();
    if (!m_colLeftsValid)
        buildColLefts();
    if (!m_mergeIndexValid)
        buildMergeIndex();
}

void GridData::extendIndexes(int oldRows)
{
    // No merge crosses rows added at the bottom. Row numbers are only read to be shown.
    if (m_rowTopsValid) {
        m_rowTops.resize(size_t(m_rows) + 1);
        for (int r = oldRows; r < m_rows; ++r)
            m_rowTops[size_t(r) + 1] = m_rowTops[size_t(r)] + m_rowInfo[size_t(r)].height;
    }
    m_rowNumbersValid = false;
    if (m_mergeIndexValid)
        m_mergeRowStart.resize(size_t(m_rows) + 1, m_mergeRowStart.back());
}

void GridData::buildRowNumbers() const
{
    m_rowNumbers.assign(size_t(m_rows), 0);
    int number = 0;
    for (int r = 1; r < m_rows; ++r)
        if (!m_rowInfo[size_t(r)].indexHidden)
            m_rowNumbers[size_t(r)] = ++number;
    m_rowNumbersValid = true;
}

void GridData::buildRowTops() const
{
    m_rowTops.resize(size_t(m_rows) + 1);
    int y = 0;
    for (int r = 0; r < m_rows; ++r) {
        m_rowTops[size_t(r)] = y;
        y += m_rowInfo[size_t(r)].height;
    }
    m_rowTops[size_t(m_rows)] = y;
    m_rowTopsValid = true;
}

void GridData::buildColLefts() const
{
    m_colLefts.resize(size_t(m_cols) + 1);
    int x = 0;
    for (int c = 0; c < m_cols; ++c) {
        m_colLefts[size_t(c)] = x;
        x += m_columns[size_t(c)].width;
    }
    m_colLefts[size_t(m_cols)] = x;
    m_colLeftsValid = true;
}

int GridData::rowTop(int row) const
{
    if (!m_rowTopsValid)
        buildRowTops();
    return m_rowTops[size_t(std::clamp(row, 0, m_rows))];
}

int GridData::colLeft(int col) const
{
    if (!m_colLeftsValid)
        buildColLefts();
    return m_colLefts[size_t(std::clamp(col, 0, m_cols))];
}

int GridData::rowAt(int y) const
{
    if (y < 0)
        return -1;
    if (!m_rowTopsValid)
        buildRowTops();
    const auto it = std::upper_bound(m_rowTops.begin(), m_rowTops.end(), y);
    return std::min(int(it - m_rowTops.begin()) - 1, m_rows);
}

int GridData::colAt(int x) const
{
    if (x < 0)
        return -1;
    if (!m_colLeftsValid)
        buildColLefts();
    const auto it = std::upper_bound(m_colLefts.begin(), m_colLefts.end(), x);
    return std::min(int(it - m_colLefts.begin()) - 1, m_cols);
}

void GridData::buildMergeIndex() const
{
    // The merges kept never overlap: every way in removes what a new block covers.
    indexMerges(m_merges);
    m_mergeIndexValid = true;
}

int GridData::indexMerges(const std::vector<CellRange> &merges) const
{
    m_mergeRowStart.assign(size_t(m_rows) + 1, 0);
    for (const CellRange &m : merges) {
        ++m_mergeRowStart[size_t(m.row1)];
        --m_mergeRowStart[size_t(m.row2) + 1];
    }
    // From the edges to the count per row, then to where each row's list starts.
    int crossing = 0;
    int start = 0;
    for (int &entry : m_mergeRowStart) {
        crossing += entry;
        entry = start;
        start += crossing;
    }
    std::vector<int> byColumn(merges.size());
    std::iota(byColumn.begin(), byColumn.end(), 0);
    std::stable_sort(byColumn.begin(), byColumn.end(),
        [&](int a, int b) { return merges[size_t(a)].col1 < merges[size_t(b)].col1; });
    m_mergeRowEntries.assign(size_t(start), -1);
    std::vector<int> filled(m_mergeRowStart.begin(), m_mergeRowStart.end() - 1);
    for (const int i : byColumn) {
        const CellRange &m = merges[size_t(i)];
        for (int r = m.row1; r <= m.row2; ++r) {
            // Blocks come by their first column: one crossing a row overlaps another there
            // exactly when it starts before the row's last one ends.
            int &at = filled[size_t(r)];
            if (at > m_mergeRowStart[size_t(r)]) {
                const int previous = m_mergeRowEntries[size_t(at) - 1];
                if (merges[size_t(previous)].col2 >= m.col1)
                    return std::max(previous, i);
            }
            m_mergeRowEntries[size_t(at++)] = i;
        }
    }
    return -1;
}

CellRange GridData::mergeAt(int row, int col) const
{
    if (m_merges.empty() || row < 0 || row >= m_rows)
        return CellRange::cell(row, col);
    if (!m_mergeIndexValid)
        buildMergeIndex();
    const auto first = m_mergeRowEntries.begin() + m_mergeRowStart[size_t(row)];
    const auto last = m_mergeRowEntries.begin() + m_mergeRowStart[size_t(row) + 1];
    // The last merge of the row starting at or before the column.
    const auto after
        = std::upper_bound(first, last, col, [&](int c, int index) { return c < m_merges[size_t(index)].col1; });
    if (after == first)
        return CellRange::cell(row, col);
    const CellRange &m = m_merges[size_t(*(after - 1))];
    return m.col2 >= col ? m : CellRange::cell(row, col);
}

int GridData::setMerges(std::vector<CellRange> blocks)
{
    // Blocks that do not overlap cover at most the whole grid: a claim beyond is refused
    // before the index is built, so its size stays bounded by the grid's.
    if (blocks.empty()) {
        m_merges.clear();
        invalidateMergeIndex();
        return -1;
    }
    const CellRange grid = all();
    qint64 area = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const CellRange &b = blocks[i];
        if (b.isEmpty() || b.isSingleCell() || !grid.contains(b))
            return int(i);
        area += qint64(b.rowCount()) * b.colCount();
        if (area > qint64(m_rows) * m_cols)
            return int(i);
    }
    const int overlap = indexMerges(blocks);
    if (overlap >= 0) {
        invalidateMergeIndex();
        return overlap;
    }
    m_merges = std::move(blocks);
    m_mergeIndexValid = true;
    return -1;
}

void GridData::merge(const CellRange &range)
{
    const CellRange block = range.intersected(all());
    if (block.isEmpty())
        return;
    unmerge(block);
    if (!block.isSingleCell())
        m_merges.push_back(block);
    invalidateMergeIndex();
}

void GridData::clipMerges()
{
    std::vector<CellRange> kept;
    for (const CellRange &m : m_merges) {
        const CellRange inside = m.intersected(all());
        if (!inside.isEmpty() && !inside.isSingleCell())
            kept.push_back(inside);
    }
    m_merges = std::move(kept);
    invalidateMergeIndex();
}

void GridData::unmerge(const CellRange &range)
{
    const auto overlapping = [&](const CellRange &m) { return m.intersects(range); };
    m_merges.erase(std::remove_if(m_merges.begin(), m_merges.end(), overlapping), m_merges.end());
    invalidateMergeIndex();
}

CellRange GridData::expandedToMerges(const CellRange &range) const
{
    CellRange grown = range;
    bool changed = true;
    while (changed) {
        changed = false;
        for (const CellRange &m : m_merges) {
            if (m.intersects(grown) && !grown.contains(m)) {
                grown = grown.united(m);
                changed = true;
            }
        }
    }
    return grown;
}
