#include "GridColumn.h"

#include "Grid.h"

int GridColumn::Width() const
{
    return m_grid->data().colWidth(m_col);
}

void GridColumn::SetWidth(int width)
{
    m_grid->data().setColWidth(m_col, width);
    m_grid->layoutChanged();
}

int GridColumn::Mask() const
{
    return m_grid->data().mask(m_col);
}

void GridColumn::SetMask(int mask)
{
    m_grid->data().setMask(m_col, mask);
    m_grid->cellsChanged();
}

int GridColumn::Alignment() const
{
    return m_grid->data().colAlignment(m_col);
}

void GridColumn::SetAlignment(int alignment)
{
    m_grid->data().setColAlignment(m_col, alignment);
    m_grid->cellsChanged();
}

QString GridColumn::FormatString() const
{
    return m_grid->data().formatString(m_col);
}

void GridColumn::SetFormatString(const QString &format)
{
    m_grid->data().setFormatString(m_col, format);
    m_grid->cellsChanged();
}

int GridColumn::CellType() const
{
    return m_grid->data().colCellType(m_col);
}

void GridColumn::SetCellType(int type)
{
    m_grid->data().setColCellType(m_col, type);
    m_grid->cellsChanged();
}
