#include "toolbar/DropDownButton.h"

#include "toolbar/DropDownPanel.h"
#include "toolbar/ToolbarDraw.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kWidth = 35;
constexpr int kHeight = 22;
constexpr int kFaceWidth = 23;
constexpr int kArrowX = 22;
constexpr int kArrowWidth = 13;

} // namespace

DropDownButton::DropDownButton(QWidget *parent)
    : QWidget(parent)
    , m_look(ToolbarLook::standard())
    , m_arrow(QStringLiteral(":/icons/drop-arrow"))
{
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
}

DropDownButton::Part DropDownButton::partAt(const QPoint &point)
{
    if (point.y() <= 0 || point.y() >= 23)
        return Part::None;
    if (point.x() > 0 && point.x() < 23)
        return Part::Face;
    if (point.x() > 23 && point.x() < 35)
        return Part::Arrow;
    return Part::None;
}

void DropDownButton::setPanel(DropDownPanel *panel)
{
    m_panel = panel;
    connect(panel, &DropDownPanel::closed, this, [this] { setLook(Look::Normal, Look::Normal); });
}

void DropDownButton::showPanel()
{
    m_pressed = false;
    m_panel->open(this);
    setLook(Look::Hot, Look::Pressed);
}

void DropDownButton::drawArrow(QPainter &painter) const
{
    painter.drawPixmap(26, 10, m_arrow);
}

void DropDownButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawGround(painter);
    drawPart(painter, 0, kFaceWidth, m_face);
    drawPart(painter, kArrowX, kArrowWidth, m_arrowLook);
    drawFace(painter);
}

void DropDownButton::drawGround(QPainter &painter)
{
    painter.fillRect(rect(), ToQColor(m_look.back));
}

void DropDownButton::drawPart(QPainter &painter, int x, int width, Look look) const
{
    if (look == Look::Normal)
        return;
    const OleColor fill = look == Look::Pressed ? m_look.pressedFill : m_look.hotFill;
    DrawRect(painter, x, 0, width, kHeight, m_look.hotBorder, fill);
}

void DropDownButton::mouseMoveEvent(QMouseEvent *event)
{
    if (panelOpen())
        return;
    const QPoint p = event->position().toPoint();
    const bool inside = p.x() >= 0 && p.x() <= width() && p.y() >= 0 && p.y() <= height();
    if (!inside)
        setLook(Look::Normal, Look::Normal);
    else if (event->buttons() == Qt::NoButton)
        setLook(Look::Hot, Look::Hot);
}

void DropDownButton::mousePressEvent(QMouseEvent *event)
{
    switch (partAt(event->position().toPoint())) {
    case Part::Face:
        m_pressed = true;
        setLook(Look::Pressed, m_arrowLook);
        break;
    case Part::Arrow:
        m_pressed = true;
        setLook(m_face, Look::Pressed);
        break;
    case Part::None:
        break;
    }
}

void DropDownButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_pressed)
        return;
    m_pressed = false;
    switch (partAt(event->position().toPoint())) {
    case Part::Face:
        emit Click();
        break;
    case Part::Arrow:
        openPanel();
        break;
    case Part::None:
        break;
    }
}

void DropDownButton::leaveEvent(QEvent *)
{
    if (!panelOpen() && !m_pressed)
        setLook(Look::Normal, Look::Normal);
}

void DropDownButton::setLook(Look face, Look arrow)
{
    if (face == m_face && arrow == m_arrowLook)
        return;
    m_face = face;
    m_arrowLook = arrow;
    update();
}

bool DropDownButton::panelOpen() const
{
    return m_panel && m_panel->isVisible();
}
