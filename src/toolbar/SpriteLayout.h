#pragma once

#include "toolbar/CellGrid.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

// What tells the alignment button from the border button: the icons, their size and places
// on the face and in the panel, the panel's cells and size, and the tooltip text.
struct SpriteLayout {
    QStringList icons; // resource aliases, row by row; cell (c, r) is icons[r * columns + c]
    QPoint faceIcon; // where the current choice's icon stands on the button
    QPoint iconInset; // where an icon stands within its cell's frame
    QSize panel;
    CellGrid cells;
    QString tooltip;

    int columns() const { return cells.columns; }
    int rows() const { return cells.rows; }
};
