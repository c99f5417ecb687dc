#include "GridData.h"

#include "GridBlock.h"

#include <algorithm>
#include <numeric>

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

GridData::GridData()
{
    m_defaultFont = QFont(QStringLiteral("宋体"));
    m_defaultFont.setPointSizeF(9);
    m_cols = 5;
    m_columns.assign(size_t(m_cols), Column());
    m_columns[0].width = DefaultFixedColWidth;
    setRows(10);
}

void GridData::setRows(int rows)
{
    rows = std::max(rows, 1);
    if (rows == m_rows)
        return;
    if (rows < m_rows) {
        for (size_t i = size_t(rows) * size_t(m_cols); i < m_cells.size(); ++i)
            releaseExtra(m_cells[i]);
        m_heldRows = std::min(m_heldRows, rows);
        m_cells.resize(size_t(m_heldRows) * size_t(m_cols));
        // Breaks on rows cut away go with them: a break past the last row would only print an
        // empty page.
        const QList<int> breaks = m_hPageBreaks.rows();
        for (int row : breaks)
            if (row >= rows)
                m_hPageBreaks.Remove(row);
    }
    const int oldRows = m_rows;
    m_rowInfo.resize(size_t(rows));
    m_rows = rows;
    if (rows < oldRows) {
        clipMerges();
        invalidateRowTops();
    } else {
        // A grid filled row by row grows by one row at a time: its indexes grow with it instead
        // of being built anew over every row each time.
        extendIndexes(oldRows);
    }
}

void GridData::setCols(int cols)
{
    cols = std::max(cols, 1);
    if (cols == m_cols)
        return;
    if (cols > m_cols)
        insertCols(m_cols, cols - m_cols);
    else
        removeCols(cols, m_cols - cols);
}

void GridData::holdRows(int rows)
{
    // Rows are written top to bottom as a grid is filled: grow by half again what is held, as
    // a vector would, and only when the rows no longer fit. Capping the growth at the grid's
    // own rows would copy every cell once per row of a grid grown one row at a time.
    if (size_t(rows) * size_t(m_cols) > m_cells.capacity())
        m_cells.reserve(size_t(std::max(rows, m_heldRows + m_heldRows / 2)) * size_t(m_cols));
    m_cells.resize(size_t(rows) * size_t(m_cols));
    m_heldRows = rows;
}

void GridData::reserveRows(int rows)
{
    m_cells.reserve(size_t(std::clamp(rows, 0, m_rows)) * size_t(m_cols));
}

QString GridData::text(int row, int col) const
{
    return isValid(row, col) ? cellAt(row, col)->text : QString();
}

void GridData::setText(int row, int col, const QString &text)
{
    if (isValid(row, col) && !(text.isEmpty() && row >= m_heldRows))
        heldCell(row, col)->text = text;
}

const GridData::CellExtra *GridData::extraOf(const Cell &cell) const
{
    return cell.extra ? &m_extras[cell.extra - 1] : nullptr;
}

GridData::CellExtra &GridData::editExtra(Cell &cell)
{
    if (!cell.extra) {
        if (m_freeExtras.empty()) {
            m_extras.emplace_back();
            cell.extra = quint32(m_extras.size());
        } else {
            cell.extra = m_freeExtras.back();
            m_freeExtras.pop_back();
        }
    }
    return m_extras[cell.extra - 1];
}

void GridData::releaseExtra(Cell &cell)
{
    if (!cell.extra)
        return;
    m_extras[cell.extra - 1] = CellExtra();
    m_freeExtras.push_back(cell.extra);
    cell.extra = 0;
}

void GridData::releaseExtraIfEmpty(Cell &cell)
{
    if (cell.extra && m_extras[cell.extra - 1].isEmpty())
        releaseExtra(cell);
}

QString GridData::tag(int row, int col) const
{
    if (!isValid(row, col))
        return QString();
    const CellExtra *extra = extraOf(*cellAt(row, col));
    return extra ? extra->tag : QString();
}

void GridData::setTag(int row, int col, const QString &tag)
{
    if (!isValid(row, col))
        return;
    Cell &cell = *heldCell(row, col);
    editExtra(cell).tag = tag;
    releaseExtraIfEmpty(cell);
}

QString GridData::imageKey(int row, int col) const
{
    if (!isValid(row, col))
        return QString();
    const CellExtra *extra = extraOf(*cellAt(row, col));
    return extra ? extra->imageKey : QString();
}

void GridData::setImageKey(int row, int col, const QString &key)
{
    if (!isValid(row, col))
        return;
    Cell &cell = *heldCell(row, col);
    editExtra(cell).imageKey = key;
    releaseExtraIfEmpty(cell);
}

int GridData::ownCellType(int row, int col) const
{
    if (!isValid(row, col))
        return CellTypeText;
    const CellExtra *extra = extraOf(*cellAt(row, col));
    return extra ? extra->cellType : CellTypeText;
}

int GridData::cellType(int row, int col) const
{
    const int own = ownCellType(row, col);
    return own != CellTypeText ? own : colCellType(col);
}

void GridData::setCellType(int row, int col, int type)
{
    if (!isValid(row, col))
        return;
    Cell &cell = *heldCell(row, col);
    editExtra(cell).cellType = type;
    releaseExtraIfEmpty(cell);
}

int GridData::styleIndex(int row, int col) const
{
    return isValid(row, col) ? int(cellAt(row, col)->style) : 0;
}

void GridData::setStyle(int row, int col, const CellStyle &style)
{
    if (isValid(row, col))
        heldCell(row, col)->style = quint32(m_styles.intern(style));
}

void GridData::updateStyle(const CellRange &range, const std::function<void(CellStyle &)> &change)
{
    const CellRange target = range.intersected(all());
    // A block of many cells usually shares a handful of looks: change each look once.
    QHash<quint32, quint32> changed;
    for (int r = target.row1; r <= target.row2; ++r) {
        for (int c = target.col1; c <= target.col2; ++c) {
            Cell &cell = *heldCell(r, c);
            auto found = changed.constFind(cell.style);
            if (found == changed.constEnd()) {
                CellStyle style = m_styles.at(int(cell.style));
                change(style);
                found = changed.insert(cell.style, quint32(m_styles.intern(style)));
            }
            cell.style = found.value();
        }
    }
}

void GridData::setLine(int row, int col, int line, int lineStyle)
{
    if (!isValid(row, col))
        return;
    CellStyle style = this->style(row, col);
    style.lines[size_t(line)] = quint8(lineStyle);
    setStyle(row, col, style);
}

void GridData::setBorder(const CellRange &range, int edge, int lineStyle)
{
    const CellRange b = range.intersected(all());
    if (b.isEmpty() || lineStyle < LineNone || lineStyle > LineThick)
        return;
    // Both sides of an edge between two cells carry the line.
    const auto vertical = [&](int col) {
        for (int r = b.row1; r <= b.row2; ++r) {
            setLine(r, col - 1, LineRight, lineStyle);
            setLine(r, col, LineLeft, lineStyle);
        }
    };
    const auto horizontal = [&](int row) {
        for (int c = b.col1; c <= b.col2; ++c) {
            setLine(row - 1, c, LineBottom, lineStyle);
            setLine(row, c, LineTop, lineStyle);
        }
    };
    switch (edge) {
    case EdgeLeft:
        vertical(b.col1);
        break;
    case EdgeRight:
        vertical(b.col2 + 1);
        break;
    case EdgeTop:
        horizontal(b.row1);
        break;
    case EdgeBottom:
        horizontal(b.row2 + 1);
        break;
    case EdgeInsideVertical:
        for (int c = b.col1 + 1; c <= b.col2; ++c)
            vertical(c);
        break;
    case EdgeInsideHorizontal:
        for (int r = b.row1 + 1; r <= b.row2; ++r)
            horizontal(r);
        break;
    case EdgeDiagonalUp:
    case EdgeDiagonalDown: {
        const int line = edge == EdgeDiagonalUp ? LineDiagonalUp : LineDiagonalDown;
        updateStyle(b, [&](CellStyle &style) { style.lines[size_t(line)] = quint8(lineStyle); });
        break;
    }
    default:
        break;
    }
}

int GridData::effectiveAlignment(int row, int col) const
{
    const int own = style(row, col).alignment;
    if (GridAlignment::isValid(own))
        return own;
    if (row == 0 || col == 0)
        return GridAlignment::Centred;
    const int column = colAlignment(col);
    if (GridAlignment::isValid(column))
        return column;
    const int m = mask(col);
    bool number = m == MaskNumber;
    if (m == MaskNone)
        text(row, col).trimmed().toDouble(&number);
    return GridAlignment::code(number ? 2 : 0, 1);
}

QFont GridData::effectiveFont(int row, int col) const
{
    const CellStyle &s = style(row, col);
    QFont font = m_defaultFont;
    if (!s.fontName.isEmpty())
        font.setFamily(s.fontName);
    if (s.fontSize > 0)
        font.setPointSizeF(s.fontSize);
    font.setBold(s.bold);
    font.setItalic(s.italic);
    font.setUnderline(s.underline);
    return font;
}

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
