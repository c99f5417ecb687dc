#pragma once

#include <QString>

class GridData;
class QPrinter;

// Prints a grid the way the print dialog left the printer: on its paper, turned as chosen
// there, the pages asked for. A PDF file is written by PdfWriter (compact, on every core);
// a printer gets the pages from PagePainter.
class PrinterOutput {
public:
    // False, with the reason in `error`, when nothing could be printed.
    static bool print(QPrinter &printer, const GridData &data, QString *error = nullptr);
};
