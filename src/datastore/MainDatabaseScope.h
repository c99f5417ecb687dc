#pragma once

// Every operation's code works on gDb and gRs: it gets their types with the scope.
#include "datastore/AppState.h"
#include "db/Database.h"
#include "db/Recordset.h"

// One operation on the database file: gDb is open for the lifetime of the object, and however
// the work inside ends (a return, a db::Error) gRs is released and a transaction left open is
// rolled back. The file itself stays open for the next operation. Raises db::Error when the
// file cannot be opened.
class MainDatabaseScope {
public:
    MainDatabaseScope();
    ~MainDatabaseScope();
    MainDatabaseScope(const MainDatabaseScope &) = delete;
    MainDatabaseScope &operator=(const MainDatabaseScope &) = delete;
};
