#pragma once

#include "Page.h"

#include <QList>
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
    // file; a short one or `threads` 1 is painted by one thread. The pages are the same. Each
    // picture is written once, in its own bytes where it can be (see PdfPictures).
    static bool write(const QString &path, const GridData &data, QString *error = nullptr, int threads = 0);
    // The same for the sheets of a printout (see PrinterOutput): `setup` gives the paper,
    // `sheets` the pages to print in their order, and `pageCount` the pages of the whole
    // document, which "&n" counts.
    static bool write(const QString &path, const GridData &data, const PageSetup &setup, const QList<Page> &sheets,
        int pageCount, QString *error = nullptr, int threads = 0);
};
