#include "workspace/WindowPlacement.h"

#include <QSettings>

namespace {

// Enough of the window's top edge to grab it with the mouse.
constexpr int kGrabWidth = 50;
constexpr int kGrabHeight = 20;
// A first start leaves this share of the screen's width and height around the window.
constexpr double kFirstStartMargin = 0.05;

int ReadTwips(QSettings &settings, const char *key, int fallback)
{
    bool ok = false;
    const int value = settings.value(key, fallback).toInt(&ok);
    return ok ? value : fallback;
}

bool CanBeGrabbed(const QRect &place, const QRect &screen)
{
    const QRect titleBar(place.left(), place.top(), place.width(), kGrabHeight);
    const QRect common = titleBar.intersected(screen);
    return common.width() >= qMin(kGrabWidth, place.width()) && common.height() >= qMin(kGrabHeight, place.height());
}

} // namespace

std::optional<QRect> WindowPlacement::Load(QSettings &settings)
{
    settings.beginGroup(kGroup);
    const bool saved = settings.contains(kLeft) || settings.contains(kTop) || settings.contains(kWidth)
        || settings.contains(kHeight);
    if (!saved) {
        settings.endGroup();
        return std::nullopt;
    }
    const int left = ReadTwips(settings, kLeft, kDefaultLeft);
    const int top = ReadTwips(settings, kTop, kDefaultTop);
    int width = ReadTwips(settings, kWidth, kDefaultWidth);
    int height = ReadTwips(settings, kHeight, kDefaultHeight);
    settings.endGroup();
    if (width <= 0 || height <= 0) {
        width = kDefaultWidth;
        height = kDefaultHeight;
    }
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel);
}

void WindowPlacement::Save(QSettings &settings, const QRect &place)
{
    settings.beginGroup(kGroup);
    settings.setValue(kLeft, place.left() * kTwipsPerPixel);
    settings.setValue(kTop, place.top() * kTwipsPerPixel);
    settings.setValue(kWidth, place.width() * kTwipsPerPixel);
    settings.setValue(kHeight, place.height() * kTwipsPerPixel);
    settings.endGroup();
}

QRect WindowPlacement::OnVisibleScreen(const QRect &place, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return place;
    for (const QRect &screen : screens)
        if (CanBeGrabbed(place, screen))
            return place;
    const QRect &first = screens.first();
    QRect moved(QPoint(0, 0), place.size().boundedTo(first.size()));
    moved.moveCenter(first.center());
    return moved;
}

QRect WindowPlacement::FirstStart(const QRect &screen)
{
    const int marginX = int(screen.width() * kFirstStartMargin);
    const int marginY = int(screen.height() * kFirstStartMargin);
    return screen.adjusted(marginX, marginY, -marginX, -marginY);
}

QRect WindowPlacement::WideEnough(const QRect &place, int width, const QRect &screen)
{
    if (place.width() >= width)
        return place;
    QRect wider = place;
    wider.setWidth(qMax(place.width(), qMin(width, screen.width())));
    if (wider.right() > screen.right())
        wider.moveRight(screen.right());
    if (wider.left() < screen.left())
        wider.moveLeft(screen.left());
    return wider;
}
