#include "toolbar/DropDownPanel.h"

#include "toolbar/PanelPlacement.h"
#include "toolbar/ToolbarDraw.h"
#include "toolbar/ToolbarLook.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <cmath>

namespace {

QPoint pixel(const QMouseEvent *event)
{
    const QPointF p = event->position();
    return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
}

QScreen *screenHolding(QWidget *anchor)
{
    const QPoint centre = anchor->mapToGlobal(anchor->rect().center());
    QScreen *screen = QGuiApplication::screenAt(centre);
    return screen ? screen : anchor->screen();
}

} // namespace

DropDownPanel::DropDownPanel(const QSize &size, QWidget *owner)
    : QFrame(owner, Qt::Popup | Qt::FramelessWindowHint)
{
    setFixedSize(size);
    setMouseTracking(true);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive && isVisible())
            hide();
    });
}

void DropDownPanel::open(QWidget *anchor)
{
    const QRect button(anchor->mapToGlobal(QPoint(0, 0)), anchor->size());
    move(PanelPlacement::position(button, size(), screenHolding(anchor)->geometry()));
    clearEdge();
    // The press that closes the panel is spent on closing it: it must not go on to the
    // button underneath, or a press on the panel's own button would open it again. Qt
    // forgets this with every close, so it is said again at every opening.
    setAttribute(Qt::WA_NoMouseReplay);
    show();
}

void DropDownPanel::setCurrent(const QPoint &cell)
{
    m_current = cell;
    update();
}

void DropDownPanel::drawCurrentMark(QPainter &painter, const QRect &frame)
{
    painter.fillRect(frame, ToQColor(ToolbarLook::standard().pressedFill));
    DrawCheckered(painter, frame.x(), frame.y(), frame.width(), frame.height());
}

void DropDownPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawList(painter);
    if (m_edgeCell && m_edge)
        DrawEdge(painter, cellFrame(*m_edgeCell), m_edge);
}

void DropDownPanel::mouseMoveEvent(QMouseEvent *event)
{
    clearEdge();
    if (!inside(pixel(event)))
        return;
    const Qt::MouseButtons buttons = event->buttons();
    const int edge = buttons == Qt::NoButton ? BDR_RAISEDINNER : buttons == Qt::LeftButton ? BDR_SUNKENOUTER : 0;
    showEdge(pixel(event), edge);
}

void DropDownPanel::mousePressEvent(QMouseEvent *event)
{
    clearEdge();
    if (event->button() != Qt::LeftButton)
        return;
    if (!inside(pixel(event))) {
        hide();
        return;
    }
    showEdge(pixel(event), BDR_SUNKENOUTER);
}

void DropDownPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const std::optional<QPoint> cell = hitTest(pixel(event));
    if (!cell)
        return;
    hide();
    emit cellChosen(*cell);
}

void DropDownPanel::hideEvent(QHideEvent *event)
{
    QFrame::hideEvent(event);
    emit closed();
}

bool DropDownPanel::inside(const QPoint &point) const
{
    return point.x() >= 0 && point.x() <= width() && point.y() >= 0 && point.y() <= height();
}

// The current choice always shows sunken; other cells take `edge` (none when it is 0).
void DropDownPanel::showEdge(const QPoint &point, int edge)
{
    const std::optional<QPoint> cell = hitTest(point);
    if (!cell)
        return;
    m_edgeCell = cell;
    m_edge = *cell == m_current ? BDR_SUNKENOUTER : edge;
}

void DropDownPanel::clearEdge()
{
    m_edgeCell.reset();
    m_edge = 0;
    update();
}
