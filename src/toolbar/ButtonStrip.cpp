#include "toolbar/ButtonStrip.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kButtonWidth = 22;
constexpr int kSeparatorEnd = 23;

} // namespace

ButtonStrip::ButtonStrip(QVector<Button> buttons, QVector<int> separators, QSize hint, QWidget *parent)
    : QWidget(parent)
    , m_buttons(std::move(buttons))
    , m_separators(std::move(separators))
    , m_hint(hint)
    , m_look(ToolbarLook::standard())
{
    for (const Button &button : m_buttons)
        m_icons.append(QPixmap(button.icon));
    // Moves without a button held are how the strip learns which button to light up.
    setMouseTracking(true);
}

int ButtonStrip::HitTest(int x) const
{
    for (int i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons[i].left <= x && x <= m_buttons[i].left + kButtonWidth)
            return i;
    }
    return -1;
}

bool ButtonStrip::isInside(QPoint pos) const
{
    return pos.x() >= 0 && pos.y() >= 0 && pos.x() <= width() && pos.y() <= height();
}

void ButtonStrip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(m_look.back));
    if (m_pressed >= 0)
        DrawRect(
            painter, m_buttons[m_pressed].left, 0, kButtonWidth, kButtonWidth, m_look.hotBorder, m_look.pressedFill);
    else if (m_hover >= 0)
        DrawRect(painter, m_buttons[m_hover].left, 0, kButtonWidth, kButtonWidth, m_look.hotBorder, m_look.hotFill);
    DrawButtons(painter);
}

// The hovered button stands raised over its grey shadow; every other icon lies flat.
void ButtonStrip::DrawButtons(QPainter &painter) const
{
    for (int i = 0; i < m_buttons.size(); ++i) {
        const int left = m_buttons[i].left;
        if (i == m_hover && i != m_pressed) {
            DrawPictureState(painter, m_icons[i], left + 4, 4, true);
            painter.drawPixmap(left + 2, 2, m_icons[i]);
        } else {
            painter.drawPixmap(left + 3, 3, m_icons[i]);
        }
    }
    for (int x : m_separators)
        DrawLine(painter, x, 0, x, kSeparatorEnd, m_look.shadow, 1);
}

void ButtonStrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_hover = -1;
    const int hit = HitTest(event->position().toPoint().x());
    if (hit >= 0)
        m_pressed = hit;
    update();
}

void ButtonStrip::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    // While a button is held nothing changes, so a pressed look stays when the pointer is
    // dragged away; the release decides.
    if (event->buttons() != Qt::NoButton)
        return;
    if (!isInside(pos)) {
        clearHover();
        return;
    }
    const int hit = HitTest(pos.x());
    if (hit != m_hover) {
        m_hover = hit;
        update();
    }
    m_tooltip.Create(this, hit >= 0 ? m_buttons[hit].tip : QString());
}

void ButtonStrip::leaveEvent(QEvent *)
{
    if (QApplication::mouseButtons() == Qt::NoButton)
        clearHover();
}

void ButtonStrip::clearHover()
{
    if (m_hover < 0)
        return;
    m_hover = -1;
    update();
}

void ButtonStrip::mouseReleaseEvent(QMouseEvent *event)
{
    const int pressed = m_pressed;
    // A release over a gap, or with no button pressed, is no click (the gap's -1 would
    // otherwise match the -1 of "nothing pressed").
    const bool fires = pressed >= 0 && HitTest(event->position().toPoint().x()) == pressed;
    m_pressed = -1;
    m_hover = -1;
    update();
    if (fires)
        emit Click(pressed);
}
