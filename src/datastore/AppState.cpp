#include "datastore/AppState.h"

#include "db/Database.h"
#include "db/Recordset.h"

#include <QDir>
#include <QStandardPaths>

db::Database gDb;
db::Recordset gRs;
QString gDbPath;

bool gLoggedIn = false;
QString gUserName;

int gCurrentArea = 0;
QString gCurrentAreaName;
QString gDivisionTable;
QString gExamRoomTable;
QString gExamineeTable;
QString gSettingsTable;
QString gUserTable;

QString gExamRoomColumns;

QString gTitleExamRoom1;
QString gTitleExamRoom2;
QString gTitleSchool1;
QString gTitleClass1;
QString gTitleDivision1;
QString gTitleDivision2;

namespace {
QString appPathOverride;
}

QString AppPath()
{
    if (!appPathOverride.isEmpty())
        return appPathOverride;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void SetAppPath(const QString &path)
{
    appPathOverride = path;
}

QString GetDbPath()
{
    gDbPath = QDir::cleanPath(AppPath() + QStringLiteral("/suju/sujuf.mdb"));
    return gDbPath;
}

void OpenMainDatabase()
{
    OpenDatabaseAt(GetDbPath());
}

void OpenDatabaseAt(const QString &path)
{
    // A file deleted or replaced under the program is opened anew (or found missing), never
    // written through a connection to a file that is gone.
    if (gDb.IsOpen() && gDb.Path() == path && !gDb.hasMoved())
        return;
    gRs = db::Recordset();
    gDb.Close();
    gDb.Open(path);
}

void ReleaseMainDatabase()
{
    gRs = db::Recordset();
    gDb.releaseWork();
}

void CloseMainDatabase()
{
    gRs = db::Recordset();
    gDb.Close();
}

void AppState::ResetForTests()
{
    CloseMainDatabase();
    gDbPath.clear();
    gLoggedIn = false;
    gUserName.clear();
    gCurrentArea = 0;
    for (QString *text : { &gCurrentAreaName, &gDivisionTable, &gExamRoomTable, &gExamineeTable, &gSettingsTable,
             &gUserTable, &gExamRoomColumns, &gTitleExamRoom1, &gTitleExamRoom2, &gTitleSchool1, &gTitleClass1,
             &gTitleDivision1, &gTitleDivision2 })
        text->clear();
    appPathOverride.clear();
}
