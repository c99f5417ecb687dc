#pragma once

#include <QProxyStyle>

// The look of the menus that list what the data holds (rooms, classes, schools): the
// application's own, except that a menu longer than the screen scrolls. Left to itself a
// menu of 1,200 classes spreads into columns far past the screen's edge, out of the mouse's
// reach.
class ScrollingMenuStyle : public QProxyStyle {
public:
    // The one instance, owned by the application.
    static QStyle *instance();

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr, const QWidget *widget = nullptr,
        QStyleHintReturn *returnData = nullptr) const override;

private:
    ScrollingMenuStyle() = default;
};
