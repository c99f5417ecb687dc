#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

// Mouse events delivered straight to a widget with the buttons held stated outright, so that
// a test says exactly what the control sees (a move with the left button held, a release
// far below it) without depending on where the platform puts the cursor.
namespace SendMouse {

inline void event(QWidget *widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent me(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &me);
}

inline void press(QWidget *widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    event(widget, QEvent::MouseButtonPress, pos, button, button);
}

inline void release(QWidget *widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    event(widget, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

inline void move(QWidget *widget, QPoint pos, Qt::MouseButtons held = Qt::NoButton)
{
    event(widget, QEvent::MouseMove, pos, Qt::NoButton, held);
}

inline void click(QWidget *widget, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    press(widget, pos, button);
    release(widget, pos, button);
}

// QTest remembers the buttons of every press it sent and adds them to its later events; a
// press left unreleased by an earlier test would make the next click a two-button chord.
inline void forgetHeldButtons()
{
    QWidget sink;
    for (Qt::MouseButton button : { Qt::LeftButton, Qt::RightButton, Qt::MiddleButton })
        QTest::mouseRelease(&sink, button);
}

} // namespace SendMouse
