#include "toolbar/CellGrid.h"

namespace {

// The first index whose span [start, start + extent] holds `value`, or -1.
int firstSpan(int value, int start, int pitch, int extent, int count)
{
    for (int i = 0; i < count; ++i) {
        const int from = start + i * pitch;
        if (from <= value && value <= from + extent)
            return i;
    }
    return -1;
}

} // namespace

std::optional<QPoint> CellGrid::hitTest(const QPoint &point) const
{
    const int column = firstSpan(point.x(), origin.x(), pitch.width(), mark.width(), columns);
    const int row = firstSpan(point.y(), origin.y(), pitch.height(), mark.height(), rows);
    if (column < 0 || row < 0)
        return std::nullopt;
    return QPoint(column, row);
}

QRect CellGrid::frame(const QPoint &cell) const
{
    return QRect(
        origin.x() + cell.x() * pitch.width(), origin.y() + cell.y() * pitch.height(), mark.width(), mark.height());
}

bool CellGrid::contains(const QPoint &cell) const
{
    return cell.x() >= 0 && cell.x() < columns && cell.y() >= 0 && cell.y() < rows;
}
