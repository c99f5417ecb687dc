#include "toolbar/ColorPanel.h"

#include <QPainter>

namespace {

// Row by row, column 0 at the left.
constexpr std::array<std::array<OleColor, 8>, 5> kPalette = { {
    { RgbColor(0, 0, 0), RgbColor(153, 51, 0), RgbColor(51, 51, 0), RgbColor(0, 51, 0), RgbColor(0, 51, 102),
        RgbColor(0, 0, 128), RgbColor(51, 51, 153), RgbColor(51, 51, 51) },
    { RgbColor(128, 0, 0), RgbColor(255, 102, 0), RgbColor(128, 128, 0), RgbColor(0, 128, 0), RgbColor(0, 128, 128),
        RgbColor(0, 0, 255), RgbColor(102, 102, 153), RgbColor(128, 128, 128) },
    { RgbColor(255, 0, 0), RgbColor(255, 153, 0), RgbColor(153, 204, 0), RgbColor(51, 153, 102), RgbColor(51, 204, 204),
        RgbColor(51, 102, 255), RgbColor(128, 0, 128), RgbColor(150, 150, 150) },
    { RgbColor(255, 0, 255), RgbColor(255, 204, 0), RgbColor(255, 255, 0), RgbColor(0, 255, 0), RgbColor(0, 255, 255),
        RgbColor(0, 204, 255), RgbColor(153, 51, 102), RgbColor(192, 192, 192) },
    { RgbColor(255, 153, 204), RgbColor(255, 204, 153), RgbColor(255, 255, 153), RgbColor(204, 255, 204),
        RgbColor(204, 255, 255), RgbColor(153, 204, 255), RgbColor(204, 153, 255), RgbColor(255, 255, 255) },
} };

constexpr OleColor kOutline = RgbColor(128, 128, 128);
const QRect kCustomArea(8, 8, 139, 19); // hit area, 8..146 x 8..26
const QRect kCustomFrame(5, 5, 144, 24); // its edges, (5, 5)-(149, 29)
const QRect kCustomCaption(8, 8, 138, 18); // the outline and the caption's box

} // namespace

const CellGrid ColorPanel::kCells { QPoint(5, 29), QSize(18, 18), QSize(18, 18), 8, 5 };

ColorPanel::ColorPanel(QWidget *owner)
    : DropDownPanel(QSize(154, 124), owner)
{
}

OleColor ColorPanel::paletteColor(const QPoint &cell)
{
    return kPalette.at(cell.y()).at(cell.x());
}

QPoint ColorPanel::cellOf(OleColor color)
{
    for (int row = 0; row < kCells.rows; ++row)
        for (int column = 0; column < kCells.columns; ++column)
            if (kPalette[row][column] == color)
                return QPoint(column, row);
    return QPoint(-1, -1);
}

void ColorPanel::drawList(QPainter &painter)
{
    painter.fillRect(rect(), ToQColor(kSystemButtonFace));
    if (kCells.contains(current()))
        drawCurrentMark(painter, kCells.frame(current()));
    painter.setBrush(Qt::NoBrush);
    DrawRect(painter, kCustomCaption.x(), kCustomCaption.y(), kCustomCaption.width(), kCustomCaption.height(), kOutline,
        0, true);
    painter.setPen(palette().color(QPalette::ButtonText));
    painter.drawText(kCustomCaption, Qt::AlignCenter, QStringLiteral("自定义颜色"));
    for (int row = 0; row < kCells.rows; ++row)
        for (int column = 0; column < kCells.columns; ++column) {
            const QPoint at = kCells.frame(QPoint(column, row)).topLeft() + QPoint(3, 3);
            DrawRect(painter, at.x(), at.y(), 12, 12, kOutline, kPalette[row][column]);
        }
    DrawEdge(painter, rect(), EDGE_RAISED);
}

std::optional<QPoint> ColorPanel::hitTest(const QPoint &point) const
{
    if (kCustomArea.contains(point))
        return kCustomCell;
    return kCells.hitTest(point);
}

QRect ColorPanel::cellFrame(const QPoint &cell) const
{
    return cell == kCustomCell ? kCustomFrame : kCells.frame(cell);
}
