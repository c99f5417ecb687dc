#pragma once

#include "workbookreader/WorkbookContent.h"

#include <QByteArray>

// Reads a workbook from its bytes, .xls or .xlsx as its first bytes say (not its name, which
// a school may have changed), and refuses one holding more cells or text than an import
// takes (WorkbookContent::kMaxCells, kMaxTextCharacters). Runs in the reader process only: a
// file made to crash or exhaust a reader can then take nothing else down with it.
class WorkbookFile {
public:
    static WorkbookContent Read(const QByteArray &bytes);
    // `content`, or, when it holds more cells or text than an import takes, the refusal that
    // says how many: a few kilobytes of shared texts or cells can stand for gigabytes.
    static WorkbookContent Bounded(WorkbookContent content);
};
