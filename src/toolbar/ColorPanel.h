#pragma once

#include "toolbar/CellGrid.h"
#include "toolbar/DropDownPanel.h"
#include "toolbar/ToolbarDraw.h"

#include <array>

// The panel of the colour buttons: a "自定义颜色" button over a palette of 40 colours in
// 8 columns and 5 rows, the current colour marked with the chessboard.
class ColorPanel : public DropDownPanel {
    Q_OBJECT
public:
    // The cell that cellChosen reports for the custom-colour button.
    static constexpr QPoint kCustomCell { -2, -2 };

    explicit ColorPanel(QWidget *owner);

    // The palette colour of cell (column, row).
    static OleColor paletteColor(const QPoint &cell);
    // The first cell, row by row, whose colour is exactly `color`; (-1, -1) when none is.
    static QPoint cellOf(OleColor color);

protected:
    void drawList(QPainter &painter) override;
    std::optional<QPoint> hitTest(const QPoint &point) const override;
    QRect cellFrame(const QPoint &cell) const override;

private:
    static const CellGrid kCells;
};
