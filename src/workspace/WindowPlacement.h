#pragma once

#include <QList>
#include <QRect>

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

    // The saved place in pixels, or the defaults where nothing (or nothing sensible) is saved.
    static QRect Load(QSettings &settings);
    static void Save(QSettings &settings, const QRect &place);

    // `place` itself when enough of it lies on one of `screens` to be grabbed and moved back;
    // otherwise the same size (shrunk to fit) on the first screen, so that a place saved on a
    // monitor that is no longer attached never leaves the window out of reach.
    static QRect OnVisibleScreen(const QRect &place, const QList<QRect> &screens);
};
