#pragma once

#include "griddata/HPageBreaks.h"
#include "Page.h"
#include "griddata/PageSetup.h"

#include <QList>
#include <QRect>

#include <climits>

class GridData;

// Splits a grid into printed pages. A pure computation: it sees sizes, merges and settings,
// never a printer, so what lands on which page can be checked without paper.
//
// Rows run down the pages; columns that do not fit the paper width go to further pages.
// Pages are numbered across, then down: all column slices of the first rows, then all column
// slices of the next rows, so the sheets of one stretch of rows lie side by side.
//
// Down the pages a merged block is kept whole: when a page would end inside it, the page ends
// before it instead and the block starts the next page. Only a block taller than a page, or one
// cut by an explicit page break, is split; it is then drawn on the page where it starts and
// left blank after, never drawn twice.
//
// Across the sheets every sheet takes as many columns as fit, merges or not: holding a wide
// block back would leave sheets nearly empty (a location line over most of a room list would
// push all but two columns off the first sheet). A block that a column split cuts is drawn on
// each sheet it reaches, as far as that sheet's columns go, with its text (or picture) once,
// on the sheet where it starts, set within the part that stands there. Its text is then never
// cut in two at the paper's edge nor printed twice.
class Paginator {
public:
    struct TitleBlock {
        double height = 0; // layout units
        bool onAllPages = false;
        int alignTo = 0; // 0 between the margins, 1 over the printed grid
    };

    // The grid as pagination sees it. Sizes in pixels at 96 dpi, 0 hides a row or column.
    struct Input {
        QList<int> rowHeights;
        QList<int> colWidths;
        QList<QRect> merges; // cell coordinates: x column, y row
        HPageBreaks pageBreaks;
        PageSetup setup;
        QList<TitleBlock> titles;
        double headerHeight = 0;
        double footerHeight = 0;
        // The last row with something to print. Pages past it would come out blank (a page
        // break after the last ticket, the empty row that ends a list) and are left out.
        int lastContentRow = INT_MAX;
    };

    static QList<Page> paginate(const Input &input);
    static QList<Page> paginate(const GridData &data);
    // What pagination needs of a grid: its sizes, merges and settings, and the measured
    // heights of its titles, header and footer.
    static Input inputOf(const GridData &data);

    // Paper size in layout units, turned for landscape.
    static QSizeF paperSize(const PageSetup &setup);
    // Centimetres to layout units.
    static double fromCm(double cm);
};
