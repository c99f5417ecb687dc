#pragma once

#include "db/Database.h"
#include "db/Recordset.h"

#include <QString>

// The data store's shared state, under the names the whole program uses.
// Defined in AppState.cpp; tests reset it through AppState::ResetForTests (see below).

// The database object of the operation under way and its shared recordset. Every operation
// opens gDb with OpenMainDatabase and closes it again at its end.
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
// Closes gDb, then opens the database file into it. Raises db::Error when that fails.
void OpenMainDatabase();

namespace AppState {
// Closes gDb, clears gRs and puts every variable above back to its value before start-up
// (nobody logged in, no area, default application directory). For tests only.
void ResetForTests();
} // namespace AppState
