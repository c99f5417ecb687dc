#include "GridCell.h"

#include "Grid.h"

QString GridCell::text() const
{
    return m_grid->data().text(m_row, m_col);
}

void GridCell::SetText(const QString &text)
{
    m_grid->data().setText(m_row, m_col, text);
    m_grid->cellsChanged();
}

QString GridCell::Tag() const
{
    return m_grid->data().tag(m_row, m_col);
}

void GridCell::SetTag(const QString &tag)
{
    m_grid->data().setTag(m_row, m_col, tag);
}

bool GridCell::WrapText() const
{
    return m_grid->data().style(m_row, m_col).wrap;
}

void GridCell::SetWrapText(bool wrap)
{
    m_grid->data().updateStyle(CellRange::cell(m_row, m_col), [wrap](CellStyle &s) { s.wrap = wrap; });
    m_grid->cellsChanged();
}

void GridCell::SetImage(const QString &key)
{
    m_grid->data().setImageKey(m_row, m_col, key);
    m_grid->cellsChanged();
}

QString GridCell::ImageKey() const
{
    return m_grid->data().imageKey(m_row, m_col);
}

int GridCell::CellType() const
{
    return m_grid->data().cellType(m_row, m_col);
}

void GridCell::SetCellType(int type)
{
    m_grid->data().setCellType(m_row, m_col, type);
    m_grid->cellsChanged();
}

int GridCell::Alignment() const
{
    return m_grid->data().effectiveAlignment(m_row, m_col);
}

void GridCell::SetAlignment(int alignment)
{
    m_grid->data().updateStyle(CellRange::cell(m_row, m_col), [alignment](CellStyle &s) { s.alignment = alignment; });
    m_grid->cellsChanged();
}

QFont GridCell::Font() const
{
    return m_grid->data().effectiveFont(m_row, m_col);
}
