#include "GridData.h"

#include <algorithm>

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
