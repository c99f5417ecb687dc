#pragma once

#include "toolbar/DropDownPanel.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

// A shown window holding one drop-down button, with its Click events counted.
template <class Button> struct ButtonHost {
    QWidget window;
    Button *button;
    QSignalSpy clicks;

    explicit ButtonHost(QPoint at = QPoint(20, 20))
        : button(new Button(&window))
        , clicks(button, &Button::Click)
    {
        window.setGeometry(100, 100, 200, 120);
        button->move(at);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~ButtonHost()
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }

    DropDownPanel *panel() const { return button->template findChild<DropDownPanel *>(); }

    void click(QPoint at, Qt::MouseButton which = Qt::LeftButton)
    {
        QTest::mousePress(button, which, {}, at);
        QTest::mouseRelease(button, which, {}, at);
    }
    // Opens the panel the way a user does: a click on the arrow part.
    DropDownPanel *open()
    {
        click(QPoint(28, 10));
        EXPECT_TRUE(panel()->isVisible());
        return panel();
    }
    // A release on the open panel at `at`, after a press at the same place.
    void choose(QPoint at, Qt::MouseButton which = Qt::LeftButton)
    {
        QTest::mousePress(panel(), which, {}, at);
        QTest::mouseRelease(panel(), which, {}, at);
    }
    QImage face() const { return button->grab().toImage(); }
    QImage panelImage() const { return panel()->grab().toImage(); }
};

// A toolbar icon from the resources, with its transparency.
inline QImage icon(const char *alias)
{
    return QImage(QString::fromLatin1(alias)).convertToFormat(QImage::Format_ARGB32);
}

// Whether `image` shows the opaque pixels of `icon` with its top-left corner at `at`.
inline bool showsIcon(const QImage &image, const QImage &icon, QPoint at)
{
    if (icon.isNull())
        return false;
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x)
            if (qAlpha(icon.pixel(x, y)) == 255 && image.pixel(at + QPoint(x, y)) != icon.pixel(x, y))
                return false;
    return true;
}
