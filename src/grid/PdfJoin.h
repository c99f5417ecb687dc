#pragma once

#include <QString>

#include <vector>

// Joins PDF documents page by page into one file. The pages' texts are written compactly on
// the way (see PdfTextCompactor); everything else is copied as written.
class PdfJoin {
public:
    // Throws std::exception when a document cannot be read or the file cannot be written.
    static void join(const std::vector<QString> &pdfs, const QString &path);
};
