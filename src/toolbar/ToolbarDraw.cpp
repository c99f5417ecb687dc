#include "toolbar/ToolbarDraw.h"

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QRect>

#include <array>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace {

// There is no desktop theme switch to ask on Linux: the toolbar always takes the lighter
// back colour of a themed desktop (factor 0.97), which suits the flat look of Qt's styles.
constexpr bool kThemedLook = true;

struct SystemColour {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The Windows system-colour indexes the program may name, each mapped to the palette role
// that plays its part on this desktop. Index 25 and those past 30 name no colour.
std::optional<SystemColour> systemColour(int index)
{
    using P = QPalette;
    static const std::array<std::optional<SystemColour>, 31> table = { {
        SystemColour { P::Active, P::Button }, // 0 scroll bar
        SystemColour { P::Active, P::Dark }, // 1 desktop
        SystemColour { P::Active, P::Highlight }, // 2 active caption
        SystemColour { P::Inactive, P::Highlight }, // 3 inactive caption
        SystemColour { P::Active, P::Window }, // 4 menu
        SystemColour { P::Active, P::Base }, // 5 window
        SystemColour { P::Active, P::Shadow }, // 6 window frame
        SystemColour { P::Active, P::WindowText }, // 7 menu text
        SystemColour { P::Active, P::Text }, // 8 window text
        SystemColour { P::Active, P::HighlightedText }, // 9 caption text
        SystemColour { P::Active, P::Button }, // 10 active border
        SystemColour { P::Inactive, P::Button }, // 11 inactive border
        SystemColour { P::Active, P::Dark }, // 12 application workspace
        SystemColour { P::Active, P::Highlight }, // 13 highlight
        SystemColour { P::Active, P::HighlightedText }, // 14 highlight text
        SystemColour { P::Active, P::Button }, // 15 button face
        SystemColour { P::Active, P::Dark }, // 16 button shadow
        SystemColour { P::Disabled, P::Text }, // 17 grey text
        SystemColour { P::Active, P::ButtonText }, // 18 button text
        SystemColour { P::Inactive, P::WindowText }, // 19 inactive caption text
        SystemColour { P::Active, P::Light }, // 20 button highlight
        SystemColour { P::Active, P::Shadow }, // 21 3-D dark shadow
        SystemColour { P::Active, P::Midlight }, // 22 3-D light
        SystemColour { P::Active, P::ToolTipText }, // 23 info text
        SystemColour { P::Active, P::ToolTipBase }, // 24 info background
        std::nullopt, // 25 unused
        SystemColour { P::Active, P::Link }, // 26 hot-tracked item
        SystemColour { P::Active, P::Highlight }, // 27 active caption gradient
        SystemColour { P::Inactive, P::Highlight }, // 28 inactive caption gradient
        SystemColour { P::Active, P::Highlight }, // 29 menu highlight
        SystemColour { P::Active, P::Window }, // 30 menu bar
    } };
    if (index < 0 || index >= int(table.size()))
        return std::nullopt;
    return table[index];
}

void fillPixels(QPainter &painter, int x, int y, int width, int height, const QColor &color)
{
    if (width > 0 && height > 0)
        painter.fillRect(QRect(x, y, width, height), color);
}

// One ring of a 3-D edge: top and left in `topLeft`, bottom and right in `bottomRight`.
void drawRing(QPainter &painter, const QRect &r, OleColor topLeft, OleColor bottomRight)
{
    const QColor tl = ToQColor(topLeft);
    const QColor br = ToQColor(bottomRight);
    fillPixels(painter, r.left(), r.top(), r.width() - 1, 1, tl);
    fillPixels(painter, r.left(), r.top(), 1, r.height() - 1, tl);
    fillPixels(painter, r.left(), r.bottom(), r.width(), 1, br);
    fillPixels(painter, r.right(), r.top(), 1, r.height(), br);
}

// Thin lines are set pixel by pixel, like the classic one-pixel pen, so that the end point
// stays unpainted and diagonals have no antialiasing.
void drawThinLine(QPainter &painter, int x1, int y1, int x2, int y2, const QColor &color)
{
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    int error = dx + dy;
    while (x1 != x2 || y1 != y2) {
        painter.fillRect(QRect(x1, y1, 1, 1), color);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x1 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y1 += sy;
        }
    }
}

} // namespace

OleColor TranslateColor(OleColor color)
{
    if ((color & 0xFF000000) != 0x80000000 || (color & 0x00FFFF00) != 0)
        return color;
    const std::optional<SystemColour> colour = systemColour(int(color & 0xFF));
    if (!colour)
        return color;
    return FromQColor(QGuiApplication::palette().color(colour->group, colour->role));
}

QColor ToQColor(OleColor color)
{
    return FromOleColor(TranslateColor(color));
}

OleColor FromQColor(const QColor &color)
{
    return ToOleColor(color);
}

OleColor LightenColor(OleColor color, float factor)
{
    const QColor rgb = ToQColor(color);
    const auto lighten = [factor](int component) {
        const long value = std::lrint(double(component) / double(factor));
        return int(std::min(value, 255L));
    };
    return RgbColor(lighten(rgb.red()), lighten(rgb.green()), lighten(rgb.blue()));
}

bool IsThemed()
{
    return kThemedLook;
}

void DrawLine(QPainter &painter, int x1, int y1, int x2, int y2, OleColor color, int width)
{
    if (width <= 1) {
        drawThinLine(painter, x1, y1, x2, y2, ToQColor(color));
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(ToQColor(color), width, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(x1, y1, x2, y2);
    painter.restore();
}

bool DrawRect(
    QPainter &painter, int x, int y, int width, int height, OleColor borderColor, OleColor fillColor, bool noFill)
{
    if (width < 0 || height < 0)
        return false;
    // An empty rectangle has no outline to draw, yet it is no failure.
    if (width == 0 || height == 0)
        return true;
    if (noFill) {
        if (painter.brush().style() != Qt::NoBrush)
            fillPixels(painter, x + 1, y + 1, width - 2, height - 2, painter.brush().color());
    } else {
        fillPixels(painter, x + 1, y + 1, width - 2, height - 2, ToQColor(fillColor));
    }
    const QColor border = ToQColor(borderColor);
    fillPixels(painter, x, y, width, 1, border);
    fillPixels(painter, x, y + height - 1, width, 1, border);
    fillPixels(painter, x, y, 1, height, border);
    fillPixels(painter, x + width - 1, y, 1, height, border);
    return true;
}

void DrawPictureState(QPainter &painter, const QPixmap &picture, int x, int y, bool shadow)
{
    if (picture.isNull())
        return;
    const QRect part(0, 0, 16, 16);
    if (!shadow) {
        painter.drawPixmap(QPoint(x, y), picture, part);
        return;
    }
    QImage silhouette = picture.copy(part).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter mask(&silhouette);
    mask.setCompositionMode(QPainter::CompositionMode_SourceIn);
    mask.fillRect(silhouette.rect(), QColor(128, 128, 128));
    mask.end();
    painter.drawImage(QPoint(x, y), silhouette);
}

void DrawCheckered(QPainter &painter, int x, int y, int width, int height)
{
    const QColor white(255, 255, 255);
    for (int i = x; i < x + width; ++i) {
        const int first = std::abs(i) % 2 == 0 ? y + 1 : y;
        for (int j = first; j < y + height; j += 2)
            painter.fillRect(QRect(i, j, 1, 1), white);
    }
    DrawEdge(painter, QRect(x, y, width, height), BDR_SUNKENOUTER);
}

void DrawEdge(QPainter &painter, const QRect &rect, int edge)
{
    constexpr OleColor light = 0x80000016;
    constexpr OleColor darkShadow = 0x80000015;
    constexpr OleColor highlight = 0x80000014;
    QRect ring = rect;
    const int outer = edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER);
    if (outer & BDR_RAISEDOUTER)
        drawRing(painter, ring, light, darkShadow);
    else if (outer & BDR_SUNKENOUTER)
        drawRing(painter, ring, kSystemButtonShadow, highlight);
    if (outer)
        ring.adjust(1, 1, -1, -1);
    if (edge & BDR_RAISEDINNER)
        drawRing(painter, ring, highlight, kSystemButtonShadow);
    else if (edge & BDR_SUNKENINNER)
        drawRing(painter, ring, darkShadow, light);
}
