#include "toolbar/SpriteButton.h"

#include "toolbar/SpritePanel.h"

#include <QPainter>

SpriteButton::SpriteButton(SpriteLayout layout, QWidget *parent)
    : DropDownButton(parent)
    , m_layout(std::move(layout))
{
    for (const QString &alias : m_layout.icons)
        m_icons << QPixmap(alias);
    m_panel = new SpritePanel(m_layout, m_icons, this);
    setPanel(m_panel);
    connect(m_panel, &DropDownPanel::cellChosen, this, &SpriteButton::choose);
    m_tooltip.Create(this, m_layout.tooltip);
}

void SpriteButton::setValue(int value)
{
    m_value = value;
    m_current = cellOf(value);
    update();
}

void SpriteButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void SpriteButton::showList()
{
    m_current = cellOf(m_value);
    m_panel->setCurrent(m_current);
    showPanel();
}

void SpriteButton::drawGround(QPainter &painter)
{
    DropDownButton::drawGround(painter);
    if (!m_picture.isNull())
        painter.drawPixmap(0, 0, m_picture);
}

void SpriteButton::drawFace(QPainter &painter)
{
    if (m_layout.cells.contains(m_current))
        painter.drawPixmap(m_layout.faceIcon, m_icons.at(m_current.y() * m_layout.columns() + m_current.x()));
    drawArrow(painter);
}

QPoint SpriteButton::cellOf(int value) const
{
    const int columns = m_layout.columns();
    if (value < 0 || value >= columns * m_layout.rows())
        return QPoint(-1, -1);
    return QPoint(value % columns, value / columns);
}

void SpriteButton::choose(const QPoint &cell)
{
    m_current = cell;
    m_value = cell.y() * m_layout.columns() + cell.x();
    update();
    emit Click();
}
