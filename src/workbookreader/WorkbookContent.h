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
    };

    Failure failure = Failure::None;
    // For TooLarge: the sheet and what it claims.
    QString sheet;
    qint64 claimedRows = 0;
    qint64 claimedColumns = 0;
    QVector<WorksheetCells> sheets;

    static WorkbookContent Failed(Failure failure)
    {
        WorkbookContent content;
        content.failure = failure;
        return content;
    }
};
