#include "toolbar/ScrollBars.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

#include <tuple>

ScrollBars::ScrollBars(QObject *parent)
    : QObject(parent)
{
}

void ScrollBars::Init(QAbstractScrollArea *area)
{
    Terminate();
    m_area = area;
    if (!area)
        return;
    // The bar moves by one on an arrow and by one page on the trough; the thumb reports every
    // position it is dragged through.
    for (int b : { Horizontal, Vertical }) {
        QScrollBar *sb = bar(b);
        sb->setSingleStep(1);
        sb->setTracking(true);
        connect(sb, &QScrollBar::valueChanged, this, [this, b] { userScrolled(b); });
    }
}

void ScrollBars::Terminate()
{
    if (m_area) {
        for (int b : { Horizontal, Vertical })
            disconnect(bar(b), nullptr, this, nullptr);
    }
    m_area = nullptr;
}

QScrollBar *ScrollBars::bar(int b) const
{
    if (!m_area)
        return nullptr;
    return b == Horizontal ? m_area->horizontalScrollBar() : m_area->verticalScrollBar();
}

void ScrollBars::userScrolled(int b)
{
    if (!m_applying)
        emit Change(b);
}

// Applies one setter's change and raises Change once, only when the bar really changed.
template <typename Apply> void ScrollBars::change(int b, Apply apply)
{
    QScrollBar *sb = bar(b);
    if (!sb)
        return;
    const auto state = [sb] { return std::tuple(sb->minimum(), sb->maximum(), sb->pageStep(), sb->value()); };
    const auto before = state();
    m_applying = true;
    apply(sb);
    m_applying = false;
    if (state() != before)
        emit Change(b);
}

int ScrollBars::Max(int b) const
{
    const QScrollBar *sb = bar(b);
    return sb ? sb->maximum() : 0;
}

void ScrollBars::setMax(int b, int value)
{
    change(b, [value](QScrollBar *sb) { sb->setMaximum(value); });
}

int ScrollBars::Min(int b) const
{
    const QScrollBar *sb = bar(b);
    return sb ? sb->minimum() : 0;
}

void ScrollBars::setMin(int b, int value)
{
    change(b, [value](QScrollBar *sb) { sb->setMinimum(value); });
}

int ScrollBars::Page(int b) const
{
    const QScrollBar *sb = bar(b);
    return sb ? sb->pageStep() : 0;
}

void ScrollBars::setPage(int b, int value)
{
    change(b, [value](QScrollBar *sb) { sb->setPageStep(value); });
}

int ScrollBars::Pos(int b) const
{
    const QScrollBar *sb = bar(b);
    return sb ? sb->value() : 0;
}

void ScrollBars::setPos(int b, int value)
{
    change(b, [value](QScrollBar *sb) { sb->setValue(value); });
}

bool ScrollBars::Visible(int b) const
{
    return m_visible[b == Horizontal ? 0 : 1];
}

void ScrollBars::setVisible(int b, bool visible)
{
    m_visible[b == Horizontal ? 0 : 1] = visible;
    if (!m_area)
        return;
    const Qt::ScrollBarPolicy policy = visible ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (b == Horizontal)
        m_area->setHorizontalScrollBarPolicy(policy);
    else
        m_area->setVerticalScrollBarPolicy(policy);
}

void ScrollBars::MouseWheelUp()
{
    emit WheelUp();
}

void ScrollBars::MouseWheelDown()
{
    emit WheelDown();
}
