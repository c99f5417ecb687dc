#pragma once

#include "workbookreader/WorkbookContent.h"

#include <QByteArray>

class QIODevice;

// How the reader process hands a workbook's content to the program: a tag, the failure and
// its details, then each sheet row by row, each cell as its kind and value. Decode never
// trusts a count: a stream cut short or made up fails to decode instead of allocating what
// it claims.
class WorkbookStream {
public:
    static void Encode(const WorkbookContent &content, QIODevice &out);
    // False when `bytes` is not a whole stream.
    static bool Decode(const QByteArray &bytes, WorkbookContent &content);
};
