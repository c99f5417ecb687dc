#pragma once

#include "griddata/GridData.h"

#include <QImage>

// Dark pixels in the middle band of a cell's row, between x1 and x2.
inline int inkBetween(const QImage &image, const GridData &data, int row, int x1, int x2)
{
    int count = 0;
    for (int y = data.rowTop(row) + 3; y < data.rowTop(row + 1) - 3; ++y)
        for (int x = x1; x < x2; ++x)
            count += qGray(image.pixel(x, y)) < 128;
    return count;
}
