#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

// The cells of a drop-down panel: `columns` x `rows` squares of `mark` pixels whose corners
// lie `pitch` apart from `origin`. A cell is hit on its mark plus one pixel to the right and
// below, ends included; where two such areas touch, the lower index wins.
struct CellGrid {
    QPoint origin;
    QSize pitch;
    QSize mark;
    int columns = 0;
    int rows = 0;

    // The cell (column, row) under `point`, if any.
    std::optional<QPoint> hitTest(const QPoint &point) const;
    // The square that the current-choice mark and the hover edges cover.
    QRect frame(const QPoint &cell) const;
    bool contains(const QPoint &cell) const;
};
