#pragma once

#include "griddata/OleColor.h"

#include <QtGlobal>

class QColor;
class QPainter;
class QPixmap;
class QRect;

// A colour as the toolbar and the grid pass it around: either 0x00BBGGRR (red in the low
// byte) or a reference 0x800000nn to the system colour nn, resolved by TranslateColor.
using OleColor = quint32;

// System-colour references the toolbar needs.
constexpr OleColor kSystemButtonFace = 0x8000000F;
constexpr OleColor kSystemButtonShadow = 0x80000010;

// Edge styles of DrawEdge (the bits of the classic 3-D edges).
constexpr int BDR_RAISEDOUTER = 1;
constexpr int BDR_SUNKENOUTER = 2;
constexpr int BDR_RAISEDINNER = 4;
constexpr int BDR_SUNKENINNER = 8;
constexpr int EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER;

constexpr OleColor RgbColor(int red, int green, int blue)
{
    return OleRgb(red, green, blue);
}

// The RGB value of `color`: a system-colour reference is looked up in the application's
// palette; anything else (an RGB value, or a reference naming no system colour) comes back
// unchanged. This is the one place where such references are resolved.
OleColor TranslateColor(OleColor color);

// The colour `color` (after TranslateColor) as a QColor, and back.
QColor ToQColor(OleColor color);
OleColor FromQColor(const QColor &color);

// Each component of `color` divided by `factor`, rounded half to even, capped at 255.
OleColor LightenColor(OleColor color, float factor);

// Whether the toolbar draws in the lighter "themed" shade; see kThemedLook.
bool IsThemed();

// A solid line from (x1, y1) towards (x2, y2); the end point itself is not painted.
void DrawLine(QPainter &painter, int x1, int y1, int x2, int y2, OleColor color, int width);

// A width x height rectangle at (x, y) with a 1-pixel border; the inside is filled with
// fillColor, or with the painter's current brush when noFill is set (nothing for Qt::NoBrush).
// Returns false, drawing nothing, for a negative width or height.
bool DrawRect(QPainter &painter, int x, int y, int width, int height, OleColor borderColor, OleColor fillColor,
    bool noFill = false);

// The 16 x 16 top-left part of `picture` at (x, y), or with `shadow` a flat grey silhouette
// of its opaque pixels. A null picture draws nothing.
void DrawPictureState(QPainter &painter, const QPixmap &picture, int x, int y, bool shadow);

// The current-choice mark of the drop-down panels: a chessboard of white pixels whose
// parity follows the absolute column, then a sunken edge round the rectangle.
void DrawCheckered(QPainter &painter, int x, int y, int width, int height);

// A 3-D edge (BDR_* bits, or EDGE_RAISED) on the outer rings of `rect`, outer ring first.
void DrawEdge(QPainter &painter, const QRect &rect, int edge);
