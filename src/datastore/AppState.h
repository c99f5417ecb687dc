#pragma once

#include <QString>

namespace db {
class Database;
class Recordset;
} // namespace db

// The data store's shared state, under the names the whole program uses.
// Defined in AppState.cpp; tests reset it through AppState::ResetForTests (see below).

// The one connection to the data file and the shared recordset. Every operation opens gDb with
// OpenMainDatabase (through MainDatabaseScope), which opens the file only when it is not open
// already; the operation's end releases gRs and any transaction left open, and the file stays
// open until the program ends or another file is opened. Only src/datastore and src/db use them.
extern db::Database gDb;
extern db::Recordset gRs;
extern QString gDbPath;

// Login.
extern bool gLoggedIn;
extern QString gUserName;

// The current data area and its tables ("考生表" + area number, ...).
extern int gCurrentArea;
extern QString gCurrentAreaName;
extern QString gDivisionTable;
extern QString gExamRoomTable;
extern QString gExamineeTable;
extern QString gSettingsTable;
extern QString gUserTable;

// Display settings: shown examinee columns, comma-separated, in display order.
extern QString gExamRoomColumns;

// The six list titles of bttable.
extern QString gTitleExamRoom1;
extern QString gTitleExamRoom2;
extern QString gTitleSchool1;
extern QString gTitleClass1;
extern QString gTitleDivision1;
extern QString gTitleDivision2;

// The application directory: where "suju/sujuf.mdb" and the ticket templates live.
// Defaults to the user's data folder for the program; tests point it at a temporary folder.
QString AppPath();
void SetAppPath(const QString &path);

// Full path of the database file; also kept in gDbPath.
QString GetDbPath();
// Makes gDb the connection to the database file: opens it, closing any other file first, unless
// it is open already. Raises db::Error when the file cannot be opened.
void OpenMainDatabase();
// The same for the file at `path`: the fill of a document may read another file.
void OpenDatabaseAt(const QString &path);
// The end of an operation: gRs released, a transaction left open rolled back, the file kept open.
void ReleaseMainDatabase();
// Closes the file: at the end of the program.
void CloseMainDatabase();

namespace AppState {
// Closes gDb, clears gRs and puts every variable above back to its value before start-up
// (nobody logged in, no area, default application directory). For tests only.
void ResetForTests();
} // namespace AppState
