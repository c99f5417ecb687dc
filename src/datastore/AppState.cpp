#include "datastore/AppState.h"

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
    gDb.Close();
    gDb.Open(GetDbPath());
}

void AppState::ResetForTests()
{
    gRs = db::Recordset();
    gDb.Close();
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
