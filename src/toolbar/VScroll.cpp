#include "toolbar/VScroll.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace {

// The range every property of the control keeps to.
constexpr int kLargest = 65535;

bool inRange(int value)
{
    return value >= 0 && value <= kLargest;
}

} // namespace

VScroll::VScroll(QWidget *parent)
    : QWidget(parent)
    , Picture1(new QAbstractScrollArea(this))
{
    Picture1->setFrameShape(QFrame::NoFrame);
    Picture1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    mobjScroll.Init(Picture1);
    mobjScroll.setMin(ScrollBars::Vertical, m_min);
    mobjScroll.setMax(ScrollBars::Vertical, m_max);
    mobjScroll.setPos(ScrollBars::Vertical, m_value);
    mobjScroll.setPage(ScrollBars::Vertical, m_largeChange);
    mobjScroll.setVisible(ScrollBars::Vertical, true);
    connect(&mobjScroll, &ScrollBars::Change, this, &VScroll::mobjScroll_Change);
    setFixedWidth(sizeHint().width());
}

VScroll::~VScroll()
{
    mobjScroll.Terminate();
}

QSize VScroll::sizeHint() const
{
    return { style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this), 100 };
}

void VScroll::resizeEvent(QResizeEvent *)
{
    // Only the inner area's scroll bar shows: it takes the whole width of the control.
    Picture1->setGeometry(rect());
}

void VScroll::setMin(int value)
{
    if (value == m_min)
        return;
    m_min = inRange(value) ? value : 0;
    mobjScroll.setMin(ScrollBars::Vertical, m_min);
    if (m_value < m_min)
        moveValue(m_min);
}

void VScroll::setMax(int value)
{
    if (value == m_max)
        return;
    m_max = inRange(value) ? value : kLargest;
    mobjScroll.setMax(ScrollBars::Vertical, m_max);
    if (m_value > m_max)
        moveValue(m_max);
}

void VScroll::setValue(int value)
{
    moveValue(std::clamp(value, m_min, std::max(m_min, m_max)));
}

void VScroll::setSmallChange(int value)
{
    m_smallChange = inRange(value) ? value : 1;
}

void VScroll::setLargeChange(int value)
{
    m_largeChange = inRange(value) ? value : 1;
    mobjScroll.setPage(ScrollBars::Vertical, m_largeChange);
}

// Stores a new value, moves the bar to it and raises Change once; the bar's own report of the
// move then finds nothing new.
void VScroll::moveValue(int value)
{
    if (value == m_value)
        return;
    m_value = value;
    mobjScroll.setPos(ScrollBars::Vertical, value);
    emit Change();
}

// The user scrolled (or the bar moved its position to stay in range).
void VScroll::mobjScroll_Change(int)
{
    const int pos = mobjScroll.Pos(ScrollBars::Vertical);
    if (pos == m_value)
        return;
    m_value = pos;
    emit Change();
}
