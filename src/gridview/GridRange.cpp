#include "GridRange.h"

#include "Grid.h"
#include "GridCopyBuffer.h"

namespace {

// The block a format applies to: inside the grid and grown to the merges it touches.
CellRange target(Grid *grid, const CellRange &range)
{
    const CellRange inside = range.intersected(grid->data().all());
    return inside.isEmpty() ? inside : grid->data().expandedToMerges(inside);
}

} // namespace

void GridRange::Selected()
{
    // Header cells stand for their whole rows (fixed column) or columns (fixed row), as a click
    // on them does, so that a program copies whole rows by selecting their header cells.
    CellRange range = m_range;
    if (range.col2 == 0 && range.row1 > 0) {
        range.col1 = 1;
        range.col2 = m_grid->Cols() - 1;
    } else if (range.row2 == 0 && range.col1 > 0) {
        range.row1 = 1;
        range.row2 = m_grid->Rows() - 1;
    }
    m_grid->select(range, range.row1, range.col1);
}

void GridRange::SetAlignment(int alignment)
{
    m_grid->data().updateStyle(target(m_grid, m_range), [alignment](CellStyle &s) { s.alignment = alignment; });
    m_grid->cellsChanged();
}

void GridRange::SetBorders(int edge, int lineStyle)
{
    m_grid->data().setBorder(target(m_grid, m_range), edge, lineStyle);
    m_grid->cellsChanged();
}

void GridRange::SetFontName(const QString &name)
{
    m_grid->data().updateStyle(target(m_grid, m_range), [&name](CellStyle &s) { s.fontName = name; });
    m_grid->cellsChanged();
}

void GridRange::SetFontSize(double points)
{
    m_grid->data().updateStyle(target(m_grid, m_range), [points](CellStyle &s) { s.fontSize = points; });
    m_grid->cellsChanged();
}

void GridRange::SetFontBold(bool on)
{
    m_grid->data().updateStyle(target(m_grid, m_range), [on](CellStyle &s) { s.bold = on; });
    m_grid->cellsChanged();
}

void GridRange::SetFontItalic(bool on)
{
    m_grid->data().updateStyle(target(m_grid, m_range), [on](CellStyle &s) { s.italic = on; });
    m_grid->cellsChanged();
}

void GridRange::SetFontUnderline(bool on)
{
    m_grid->data().updateStyle(target(m_grid, m_range), [on](CellStyle &s) { s.underline = on; });
    m_grid->cellsChanged();
}

void GridRange::SetForeColor(quint32 color)
{
    m_grid->data().updateStyle(target(m_grid, m_range), [color](CellStyle &s) { s.foreColor = color & 0xFFFFFF; });
    m_grid->cellsChanged();
}

void GridRange::SetBackColor(quint32 color)
{
    m_grid->data().updateStyle(target(m_grid, m_range), [color](CellStyle &s) { s.backColor = color & 0xFFFFFF; });
    m_grid->cellsChanged();
}

void GridRange::SetWrapText(bool wrap)
{
    m_grid->data().updateStyle(target(m_grid, m_range), [wrap](CellStyle &s) { s.wrap = wrap; });
    m_grid->cellsChanged();
}

void GridRange::Merge()
{
    m_grid->data().merge(target(m_grid, m_range));
    m_grid->layoutChanged();
}

bool GridRange::MergeCells() const
{
    const CellRange block = target(m_grid, m_range);
    return !block.isEmpty() && !block.isSingleCell() && m_grid->data().mergeAt(block.row1, block.col1) == block;
}

void GridRange::SetMergeCells(bool merge)
{
    if (merge)
        m_grid->data().merge(target(m_grid, m_range));
    else
        m_grid->data().unmerge(m_range);
    m_grid->layoutChanged();
}

void GridRange::InsertRows()
{
    m_grid->commitEdit();
    m_grid->data().insertRows(std::max(m_range.row1, 1), m_range.rowCount());
    m_grid->layoutChanged();
}

void GridRange::InsertCols()
{
    m_grid->commitEdit();
    m_grid->data().insertCols(std::max(m_range.col1, 1), m_range.colCount());
    m_grid->layoutChanged();
}

void GridRange::DeleteByRow()
{
    m_grid->commitEdit();
    const int first = std::max(m_range.row1, 1);
    m_grid->data().removeRows(first, m_range.row2 - first + 1);
    m_grid->layoutChanged();
}

void GridRange::DeleteByCol()
{
    m_grid->commitEdit();
    const int first = std::max(m_range.col1, 1);
    m_grid->data().removeCols(first, m_range.col2 - first + 1);
    m_grid->layoutChanged();
}

void GridRange::CopyData()
{
    const CellRange content { std::max(m_range.row1, 1), std::max(m_range.col1, 1), m_range.row2, m_range.col2 };
    GridCopyBuffer::set(m_grid->data().copyBlock(content));
}

void GridRange::PasteData()
{
    m_grid->commitEdit();
    m_grid->data().pasteBlock(GridCopyBuffer::block(), std::max(m_range.row1, 1), std::max(m_range.col1, 1));
    m_grid->layoutChanged();
}
