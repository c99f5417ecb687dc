#pragma once

#include "CellPainter.h"
#include "Page.h"

#include <QList>

#include <vector>

class GridData;
class PdfPictures;
class QPagedPaintDevice;
class QPainter;
struct PageSetup;

// Draws printed pages of a grid: titles, header, footer and the cells, each cell through the
// same CellPainter as the screen. Serves the preview, the printer and PDF alike.
class PagePainter {
public:
    // Draws one page with the painter's origin at the paper's top-left corner. Layout units
    // (pixels at 96 dpi) are scaled to the device's resolution here.
    // Pictures go onto the page as `pdfPictures` draws them, when given (see PdfPictures).
    static void paintPage(QPainter &painter, const GridData &data, const Page &page, int pageCount,
        const PdfPictures *pdfPictures = nullptr);
    // Draws sheets one after another onto a printer or PDF writer that painter is open on:
    // the pages of a document, or those a printout asked for (see PrinterOutput). "&n" counts
    // `pageCount`, the pages of the whole document.
    static void paintPages(
        QPainter &painter, QPagedPaintDevice &device, const GridData &data, const QList<Page> &sheets, int pageCount);
    // Paper size and orientation of the device from the page setup, with the whole sheet
    // addressable (the grid's own margins do the rest).
    static void setUpDevice(QPagedPaintDevice &device, const PageSetup &setup);

    // The cells a page shows and where, on the paper. A merged block appears on the page where
    // its first printed row stands, as far as that page reaches down; across a column split it
    // appears on each sheet with its columns, its content on the sheet where it starts.
    static std::vector<PlacedCell> placedCells(const GridData &data, const Page &page);
    static CellPaintOptions paperOptions(const PageSetup &setup);
};
