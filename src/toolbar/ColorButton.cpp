#include "toolbar/ColorButton.h"

#include "prompts/Prompts.h"
#include "toolbar/ColorPanel.h"

#include <QColor>
#include <QPainter>

ColorButton::ColorButton(QWidget *parent)
    : DropDownButton(parent)
    , m_panel(new ColorPanel(this))
    , m_fillIcon(QStringLiteral(":/icons/color-fill"))
    , m_textIcon(QStringLiteral(":/icons/color-text"))
    , m_penIcon(QStringLiteral(":/icons/color-pen"))
{
    setPanel(m_panel);
    connect(m_panel, &DropDownPanel::cellChosen, this, &ColorButton::choose);
    setButtonType(0);
}

void ColorButton::setValue(OleColor value)
{
    m_value = value;
    update();
}

void ColorButton::setButtonType(int type)
{
    m_buttonType = type;
    update();
    if (type == 0)
        m_tooltip.Create(this, QStringLiteral("填充颜色"));
    else if (type == 1)
        m_tooltip.Create(this, QStringLiteral("文字颜色"));
}

void ColorButton::ShowColorList()
{
    m_current = ColorPanel::cellOf(m_value);
    m_panel->setCurrent(m_current);
    showPanel();
}

void ColorButton::openPanel()
{
    ShowColorList();
}

void ColorButton::drawFace(QPainter &painter)
{
    DrawRect(painter, 3, 15, 16, 3, m_value, m_value);
    const QPixmap &icon = m_buttonType == 0 ? m_fillIcon : m_buttonType == 1 ? m_textIcon : m_penIcon;
    painter.drawPixmap(3, 1, icon);
    drawArrow(painter);
}

void ColorButton::choose(const QPoint &cell)
{
    if (cell == ColorPanel::kCustomCell) {
        chooseCustomColor();
        return;
    }
    m_current = cell;
    m_value = ColorPanel::paletteColor(cell);
    update();
    emit Click();
}

// The dialog opens on its own default rather than on Value; a cancel keeps Value and
// raises nothing.
void ColorButton::chooseCustomColor()
{
    m_current = QPoint(-1, -1);
    QColor chosen;
    if (Prompts::instance().color(this, chosen) && chosen.isValid()) {
        m_value = FromQColor(chosen);
        emit Click();
    }
    update();
}
