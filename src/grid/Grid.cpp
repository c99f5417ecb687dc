#include "Grid.h"

#include <QPainter>

Grid::Grid(QWidget *parent) : QAbstractScrollArea(parent)
{
}

Grid::~Grid() = default;

void Grid::setData(const GridData &data)
{
    m_data = data;
    select(CellRange::cell(1, 1), 1, 1);
    layoutChanged();
}

void Grid::SetRows(int rows)
{
    m_data.setRows(rows);
    layoutChanged();
}

void Grid::SetCols(int cols)
{
    m_data.setCols(cols);
    layoutChanged();
}

void Grid::SetRowHeight(int row, int height)
{
    m_data.setRowHeight(row, height);
    layoutChanged();
}

void Grid::InsertRow(int row, int count)
{
    m_data.insertRows(row, count);
    layoutChanged();
}

void Grid::SetDefaultFont(const QFont &font)
{
    m_data.setDefaultFont(font);
    cellsChanged();
}

void Grid::SetDefaultFontSize(double points)
{
    QFont font = m_data.defaultFont();
    font.setPointSizeF(points > 0 ? points : 9);
    SetDefaultFont(font);
}

void Grid::SetDisplayRowIndex(bool on)
{
    m_data.setDisplayRowIndex(on);
    cellsChanged();
}

void Grid::SetAutoRedraw(bool on)
{
    m_autoRedraw = on;
    if (on)
        Refresh();
}

void Grid::Refresh()
{
    viewport()->update();
}

void Grid::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
}

void Grid::PrintPreview(int zoom)
{
    Q_UNUSED(zoom);
}

bool Grid::OpenFile(const QString &path)
{
    Q_UNUSED(path);
    return false;
}

bool Grid::SaveFile(const QString &path)
{
    Q_UNUSED(path);
    return false;
}

void Grid::select(const CellRange &range, int activeRow, int activeCol)
{
    m_selection = m_data.expandedToMerges(range.intersected(m_data.all()));
    m_activeRow = activeRow;
    m_activeCol = activeCol;
    cellsChanged();
}

bool Grid::isEditing() const
{
    return false;
}

void Grid::cellsChanged()
{
    if (m_autoRedraw)
        viewport()->update();
}

void Grid::layoutChanged()
{
    cellsChanged();
}

void Grid::paintEvent(QPaintEvent *)
{
}

void Grid::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
}

void Grid::scrollContentsBy(int, int)
{
    viewport()->update();
}

void Grid::keyPressEvent(QKeyEvent *event)
{
    QAbstractScrollArea::keyPressEvent(event);
}

void Grid::mousePressEvent(QMouseEvent *event)
{
    QAbstractScrollArea::mousePressEvent(event);
}

void Grid::mouseMoveEvent(QMouseEvent *event)
{
    QAbstractScrollArea::mouseMoveEvent(event);
}

void Grid::mouseReleaseEvent(QMouseEvent *event)
{
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void Grid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

bool Grid::eventFilter(QObject *watched, QEvent *event)
{
    return QAbstractScrollArea::eventFilter(watched, event);
}
