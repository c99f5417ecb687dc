#pragma once

#include <QFontMetricsF>
#include <QImage>

#include <unordered_map>
#include <vector>

class GridData;

// Measures the texts of a grid's cells as they print: each in its cell's own font, sized in
// points at 96 grid pixels to the inch whatever the screen, plus the room the cell painter
// leaves around a text. What it measures fits the printed cell.
class CellTextMeasure {
public:
    explicit CellTextMeasure(const GridData &data);

    // The width a cell needs to show its text whole on one line; 0 when it shows none.
    int widthNeeded(int row, int col);
    // The same when it may be more than `width`; 0 when the sum of its characters' widths says
    // it is not. Finding a column's widest text among 50,000 then costs little
    // more than reading them.
    int widthNeededOver(int row, int col, int width);
    // The height a cell `width` wide needs to show its text wrapped; 0 when it shows none.
    int heightNeeded(int row, int col, int width);
    // The width a wrapping cell needs so that no word of its text is cut: a Latin word such as
    // "O'Hara" cannot be broken, where Chinese may break after any character. 0 when it shows none.
    int widestWordNeeded(int row, int col);

private:
    struct Font {
        QFontMetricsF metrics;
        // The advance of each UTF-16 unit by itself, measured when first met; < 0 not yet.
        std::vector<float> advances;
    };

    Font &fontOf(int row, int col);
    static int padded(double textWidth);

    const GridData &m_data;
    // A 96 dpi device: fonts come out at the grid's own pixels on it.
    QImage m_device;
    // By style index: a grid has few looks, and every cell of one look has one font.
    std::unordered_map<int, Font> m_fonts;
};
