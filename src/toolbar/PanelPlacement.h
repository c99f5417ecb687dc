#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a drop-down panel opens, as a pure function of the button's rectangle, the panel's
// size and the geometry of the screen that holds the button, all in global pixels.
// The panel hangs under the button unless the button's bottom reaches the last `height`
// pixels of the screen, in which case it stands above it. It starts one pixel left of the
// button unless the button's right edge reaches the last `width` pixels, in which case its
// right edge lies one pixel right of the button's. Both tests look at the button, not at
// the panel, so a panel may still overhang a screen far smaller than itself.
namespace PanelPlacement {

// The panel's top: under the button, or above it near the bottom of the screen. The flat
// combo box places its list vertically by this rule too.
int top(const QRect &button, int height, const QRect &screen);
// The panel's left edge.
int left(const QRect &button, int width, const QRect &screen);
// The panel's top-left corner.
QPoint position(const QRect &button, const QSize &panel, const QRect &screen);

} // namespace PanelPlacement
