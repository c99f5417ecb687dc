#pragma once

#include "gridprint/CellPainter.h"
#include "griddata/GridData.h"

#include <QFontMetrics>
#include <QImage>
#include <QStringList>

#include <string>

// The texts of a grid that would not print whole, one line each with its cell ("" when every
// text prints whole): wider than the cell on one line or, when it wraps, taller than the cell. Measured in the cell's own font on a 96 dpi
// device (the grid's pixels), inside the 2 pixels the cell painter leaves on either side and the
// 1 above and below.
inline std::string CutTexts(const GridData &data)
{
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(3780);
    device.setDotsPerMeterY(3780);
    QStringList cut;
    for (int row = 0; row < data.rows(); ++row) {
        for (int col = 0; col < data.cols(); ++col) {
            const CellRange block = data.mergeAt(row, col);
            if (block.row1 != row || block.col1 != col || data.colWidth(col) == 0 || data.rowHeight(row) == 0)
                continue;
            const QString text = CellPainter::displayText(data, row, col);
            if (text.isEmpty())
                continue;
            const int width = data.colLeft(block.col2 + 1) - data.colLeft(col) - 4;
            const int height = data.rowTop(block.row2 + 1) - data.rowTop(row) - 2;
            const QFontMetrics metrics(data.effectiveFont(row, col), &device);
            const QRect used = data.style(row, col).wrap
                ? metrics.boundingRect(QRect(0, 0, width, 100000), Qt::TextWordWrap, text)
                : QRect(0, 0, metrics.horizontalAdvance(text), 0);
            const bool whole = used.width() <= width && used.height() <= height;
            if (!whole)
                cut << QStringLiteral("(%1,%2) %3").arg(row).arg(col).arg(text);
        }
    }
    return cut.join(QLatin1Char('\n')).toStdString();
}
