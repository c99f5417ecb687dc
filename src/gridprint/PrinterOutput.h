#pragma once

#include "Paginator.h"

#include <QString>

class GridData;
class QPrinter;

// Prints a grid the way the print dialog left the printer: on its paper, turned as chosen
// there, the pages asked for. A PDF file is written by PdfWriter (compact, on every core);
// a printer gets the pages from PagePainter.
class PrinterOutput {
public:
    // False, with the reason in `error`, when nothing could be printed: also when the pages
    // asked for all lie past the last page, and then nothing is written.
    static bool print(QPrinter &printer, const GridData &data, QString *error = nullptr);
    // The grid as it lays out on the printer's paper, turned as the printer is, within the
    // printer's margins when PagePainter::setUpDevice prepared it (they may have been changed
    // in a dialog since); the grid's own page setup stays as it is.
    static Paginator::Input layoutInput(const QPrinter &printer, const GridData &data);
};
