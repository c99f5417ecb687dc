#include "CellPainter.h"

#include "GridData.h"

#include <QPainter>

void CellPainter::paintCells(QPainter &painter, const GridData &data, const std::vector<PlacedCell> &cells,
                             const CellPaintOptions &options)
{
    for (const PlacedCell &cell : cells)
        paintContent(painter, data, cell, options);
    for (const PlacedCell &cell : cells)
        paintLines(painter, data, cell, options);
}

void CellPainter::paintCell(QPainter &painter, const GridData &data, int row, int col, const QRectF &rect,
                            const CellPaintOptions &options)
{
    paintCells(painter, data, { PlacedCell { row, col, rect, false } }, options);
}

QString CellPainter::displayText(const GridData &data, int row, int col)
{
    return data.text(row, col);
}

QFont CellPainter::fontForPainter(const QFont &font, const QPainter &)
{
    return font;
}

void CellPainter::paintContent(QPainter &, const GridData &, const PlacedCell &, const CellPaintOptions &)
{
}

void CellPainter::paintLines(QPainter &, const GridData &, const PlacedCell &, const CellPaintOptions &)
{
}
