#pragma once

#include "workbookreader/NumberFormats.h"
#include "workbookreader/WorksheetCells.h"
#include "workbookreader/XlsxXml.h"

#include <QStringList>

namespace xlsx {

// Reads a sheet part that `open` opens (giving its size, and a reader that is empty when it
// cannot be opened): a large one in pieces on several threads, else (or when the pieces cannot
// be read on their own) in one go.
bool ReadSheet(const std::function<PartReader(qint64 &size)> &open, const QStringList &sharedStrings,
    const NumberFormats &formats, WorksheetCells &sheet);

// Tests have every sheet read in pieces of `pieceSize` bytes (0: as the program does).
void ReadSheetsInPiecesForTests(qsizetype pieceSize);

} // namespace xlsx
