#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Joins PDF documents page by page into one file, each page's content copied as written.
class PdfJoin {
public:
    // Throws std::exception when a document cannot be read or the file cannot be written.
    static void join(const std::vector<QByteArray> &pdfs, const QString &path);
};
