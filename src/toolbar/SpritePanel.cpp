#include "toolbar/SpritePanel.h"

#include "toolbar/ToolbarDraw.h"

#include <QPainter>

SpritePanel::SpritePanel(const SpriteLayout &layout, const QList<QPixmap> &icons, QWidget *owner)
    : DropDownPanel(layout.panel, owner)
    , m_layout(layout)
    , m_icons(icons)
{
}

void SpritePanel::drawList(QPainter &painter)
{
    painter.fillRect(rect(), ToQColor(kSystemButtonFace));
    if (m_layout.cells.contains(current()))
        drawCurrentMark(painter, m_layout.cells.frame(current()));
    for (int row = 0; row < m_layout.rows(); ++row)
        for (int column = 0; column < m_layout.columns(); ++column) {
            const QPoint at = m_layout.cells.frame(QPoint(column, row)).topLeft() + m_layout.iconInset;
            painter.drawPixmap(at, m_icons.at(row * m_layout.columns() + column));
        }
    DrawEdge(painter, rect(), EDGE_RAISED);
}

std::optional<QPoint> SpritePanel::hitTest(const QPoint &point) const
{
    return m_layout.cells.hitTest(point);
}

QRect SpritePanel::cellFrame(const QPoint &cell) const
{
    return m_layout.cells.frame(cell);
}
