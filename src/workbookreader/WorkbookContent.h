#pragma once

#include "workbookreader/WorksheetCells.h"

#include <QString>
#include <QVector>

// What reading a workbook file gave: its sheets, or why there are none. The reader process
// and the program pass it between them through WorkbookStream.
struct WorkbookContent {
    enum class Failure {
        None,
        NotAWorkbook, // neither an .xls nor an .xlsx file
        OldFormat, // an Excel 5.0/95 or older .xls
        Protected, // saved with a password
        Damaged, // the structure inside the file does not hold together
        TooLarge, // a sheet claims more rows or columns than the format allows
        OutOfMemory, // the reader's memory limit was reached
        TooManyCells, // more cells than an import takes (see kMaxCells)
        TooMuchText, // more text than an import takes (see kMaxTextCharacters)
        TooLargeToHandOver, // read, but the reader's memory ran out while handing the cells over
    };

    // What one import takes at most, however small the file: a few shared texts or cells
    // repeated in a small file can stand for gigabytes. A school's exam is a few million
    // characters in a million cells.
    static constexpr qint64 kMaxCells = 10'000'000;
    static constexpr qint64 kMaxTextCharacters = 32 * 1024 * 1024;

    Failure failure = Failure::None;
    // For TooLarge: the sheet and what it claims.
    QString sheet;
    qint64 claimedRows = 0;
    qint64 claimedColumns = 0;
    // For TooManyCells and TooMuchText: how many cells, or characters of text, the sheets hold.
    qint64 amount = 0;
    QVector<WorksheetCells> sheets;

    static WorkbookContent Failed(Failure failure)
    {
        WorkbookContent content;
        content.failure = failure;
        return content;
    }
};
