#include "toolbar/PanelPlacement.h"

namespace PanelPlacement {

// Right and bottom are the exclusive edges a window rectangle reports: a 35-pixel button
// at x = 900 has its right edge at 935.
int top(const QRect &button, int height, const QRect &screen)
{
    const int bottom = button.y() + button.height();
    const int screenBottom = screen.y() + screen.height();
    return bottom < screenBottom - height ? bottom : button.y() - height;
}

int left(const QRect &button, int width, const QRect &screen)
{
    const int right = button.x() + button.width();
    const int screenRight = screen.x() + screen.width();
    return right < screenRight - width ? button.x() - 1 : right + 1 - width;
}

QPoint position(const QRect &button, const QSize &panel, const QRect &screen)
{
    return QPoint(left(button, panel.width(), screen), top(button, panel.height(), screen));
}

} // namespace PanelPlacement
