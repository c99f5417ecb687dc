#pragma once

#include "workbookreader/NumberFormats.h"
#include "workbookreader/WorkbookContent.h"

#include <QByteArray>
#include <QStringList>

// Reads the worksheets of an Excel workbook (.xlsx: XML parts in a zip archive). Cells are
// taken from the sheets' own cell references, so columns and rows left out of the file stay
// empty; shared and inline texts, numbers, TRUE/FALSE and a formula's last value read as in
// an .xls (numbers styled as dates as their date text), errors as error values. The parts are
// parsed with expat as they are unzipped; a large sheet is read in pieces on several threads.
class XlsxReader {
public:
    static constexpr qint64 kMaxRows = 1048576;
    static constexpr qint64 kMaxColumns = 16384;

    static bool HasSignature(const QByteArray &bytes);
    static WorkbookContent Read(const QByteArray &fileBytes);

    // The parts on their own, for the reader and its tests.
    static bool ReadSharedStrings(const QByteArray &xml, QStringList &strings);
    static bool ReadStyles(const QByteArray &xml, NumberFormats &formats);
    static bool ReadSheet(
        const QByteArray &xml, const QStringList &sharedStrings, const NumberFormats &formats, WorksheetCells &sheet);
    // A large sheet is read in pieces on several threads; tests have every sheet read so, in
    // pieces of `pieceSize` bytes (0: as the program does).
    static void ReadSheetsInPiecesForTests(qsizetype pieceSize);
};
