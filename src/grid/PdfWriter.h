#pragma once

#include <QString>

class GridData;

// Writes a grid's printed pages to a PDF file: the same pages the preview shows and the
// printer gets.
class PdfWriter {
public:
    // False, with the reason in `error`, when the file cannot be written.
    static bool write(const QString &path, const GridData &data, QString *error = nullptr);
};
