#pragma once

#include "PdfTexts.h"

#include <QString>

#include <memory>
#include <vector>

class QPDF;

// Makes the PDF Qt painted a run of pages into the one the program writes (its texts written
// by the program itself, see PdfTexts), and joins such runs page by page into one file.
class PdfJoin {
public:
    // The PDF at `path` with the texts of `log` (written and compressed as they were painted)
    // put onto its pages, which take them over, and its fonts showing and reading back the
    // glyphs drawn. Null when Qt's pages do not show the glyphs the log handed it as expected:
    // the pages must then be painted without a log. Throws std::exception when the file cannot
    // be read.
    static std::unique_ptr<QPDF> part(const QString &path, PdfTexts::Log &log);
    // Writes the parts' pages in order into one file, copying their contents as they are.
    // Throws std::exception when the file cannot be written.
    static void join(std::vector<std::unique_ptr<QPDF>> &parts, const QString &path);
};
