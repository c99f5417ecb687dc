#pragma once

#include <QList>
#include <QRect>
#include <QRectF>
#include <QSizeF>

// One printed sheet of a grid, worked out by the Paginator before anything is drawn.
// Positions are in layout units: pixels at 96 dpi on the paper, whatever the device.
struct Page {
    // A printed row or column: its grid index, and where it starts and how far it reaches,
    // measured from the top (rows) or left (columns) of the printed grid block.
    struct Line {
        int index = 0;
        double offset = 0;
        double size = 0;

        double end() const { return offset + size; }
        bool operator==(const Line &) const = default;
    };

    // A report title on this page, with the box its text is centred in.
    struct Title {
        int index = 0;
        QRectF rect;

        bool operator==(const Title &) const = default;
    };

    int number = 1; // 1-based, in printing order
    int rowBand = 0; // which slice of rows (down the grid)
    int colBand = 0; // which slice of columns (across the grid)
    // Body cells of the page in cell coordinates (x column, y row); repeated rows and the
    // fixed column are not part of it. Empty when the grid has no body on this page.
    QRect body;
    // Printed rows top to bottom: first the repeated rows (fixed row, title rows), then the
    // body. Hidden rows (height 0) are left out.
    QList<Line> rows;
    int repeatedRows = 0;
    // Printed columns left to right: the fixed column first when it prints, then the body.
    QList<Line> cols;
    int repeatedCols = 0;

    QSizeF paper;
    QRectF grid; // the printed grid block on the paper
    QList<Title> titles;
    QRectF header; // the header line, inside the header margin
    QRectF footer; // the footer line, inside the footer margin

    bool operator==(const Page &) const = default;
};
