#pragma once

#include "Page.h"

#include <QList>
#include <QPageRanges>
#include <QString>

class GridData;
struct PageSetup;

// Writes a grid's printed pages to a PDF file: the same pages the preview shows and the
// printer gets.
class PdfWriter {
public:
    // False, with the reason in `error`, when the file cannot be written. A long document is
    // painted by up to `threads` threads at once (0: one per processor, three at most), each a
    // run of pages into a PDF of its own, and the runs are joined page by page into the one
    // file; a short one, one with pictures or `threads` 1 is painted by one thread. The pages
    // are the same.
    static bool write(const QString &path, const GridData &data, QString *error = nullptr, int threads = 0);
    // The same for pages laid out on other paper than the grid's own (a printout's choice):
    // `setup` gives the paper, `pages` the layout, and `ranges` (numbers from 1) the pages a
    // teacher asked for, all when empty. "&n" still counts every page. `pages` may also be the
    // sheets to print, in the order and copies asked for; `pageCount` then gives the page count
    // "&n" stands for (0: as many as `pages`).
    static bool write(const QString &path, const GridData &data, const PageSetup &setup, const QList<Page> &pages,
        const QPageRanges &ranges, QString *error = nullptr, int threads = 0, int pageCount = 0);
};
