#pragma once

#include <QString>

namespace db {
class Error;
}

// What a failure of the data file means to the user, in their words and without SQLite's
// English or SQL: what happened (disk full, file in use, read-only, damaged ...), where the
// file is, and that what was saved before is still there. The one place the windows take
// these words from.
QString DatabaseMessage(const db::Error &error);
