#pragma once

#include <QList>
#include <QRect>

#include <optional>

class QSettings;

// Where the main window stands between sessions. The place is kept in the user's settings,
// group "Settings", in twips as the program has always stored it (15 twips to a pixel).
class WindowPlacement {
public:
    static constexpr int kTwipsPerPixel = 15;
    static constexpr const char *kGroup = "Settings";
    static constexpr const char *kLeft = "MainLeft";
    static constexpr const char *kTop = "MainTop";
    static constexpr const char *kWidth = "MainWidth";
    static constexpr const char *kHeight = "MainHeight";
    static constexpr int kDefaultLeft = 1000;
    static constexpr int kDefaultTop = 1000;
    static constexpr int kDefaultWidth = 6500;
    static constexpr int kDefaultHeight = 6500;

    // The saved place in pixels, with the defaults for what is missing or not sensible; nothing
    // when no place has been saved at all (the first start).
    static std::optional<QRect> Load(QSettings &settings);
    static void Save(QSettings &settings, const QRect &place);

    // `place` itself when enough of it lies on one of `screens` to be grabbed and moved back;
    // otherwise the same size (shrunk to fit) on the first screen, so that a place saved on a
    // monitor that is no longer attached never leaves the window out of reach.
    static QRect OnVisibleScreen(const QRect &place, const QList<QRect> &screens);

    // Where a first start opens: most of `screen`, centred on it, so that every menu title and
    // a list's columns show without the user having to stretch the window first.
    static QRect FirstStart(const QRect &screen);
    // `place` widened to `width` where it is narrower, as far as `screen` allows and kept on it:
    // a place saved narrower than the menu bar would hide its last menus behind the overflow.
    static QRect WideEnough(const QRect &place, int width, const QRect &screen);
};
