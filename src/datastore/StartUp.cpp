#include "datastore/StartUp.h"

#include "datastore/AppState.h"
#include "datastore/DatabaseFile.h"
#include "datastore/ExamRoomDisplayColumns.h"
#include "datastore/MainDatabaseScope.h"

namespace {

void readCurrentArea()
{
    int area = 1;
    QString name;
    {
        MainDatabaseScope scope;
        gRs = gDb.OpenRecordset(
            QStringLiteral("SELECT 数据区, 数据区名 FROM sjqtab WHERE 当前数据区 = ? ORDER BY 数据区"),
            { QStringLiteral("t") });
        if (!gRs.EOF()) {
            area = static_cast<int>(gRs.Fields(0).Value().toDouble());
            name = db::VbText(gRs.Fields(1).Value());
        }
    }
    if (area < 1 || area > DatabaseFile::AreaCount)
        area = 1;
    StartUp::SetAreaTableNames(area);
    gCurrentAreaName = name;
}

} // namespace

void StartUp::Run()
{
    DatabaseFile::EnsureExists();
    readCurrentArea();
    LoadReportTitles();
    LoadExamRoomDisplayColumns();
}

void StartUp::SetAreaTableNames(int area)
{
    const QString n = QString::number(area);
    gCurrentArea = area;
    gDivisionTable = QStringLiteral("分班数据表") + n;
    gExamRoomTable = QStringLiteral("考场表") + n;
    gExamineeTable = QStringLiteral("考生表") + n;
    gSettingsTable = QStringLiteral("设置表") + n;
    gUserTable = QStringLiteral("usqmtx") + n;
}

void LoadReportTitles()
{
    MainDatabaseScope scope;
    gRs = gDb.OpenRecordset(QStringLiteral("SELECT 考场1, 考场2, 学校1, 班级1, 分班1, 分班2 FROM bttable"));
    QString *titles[]
        = { &gTitleExamRoom1, &gTitleExamRoom2, &gTitleSchool1, &gTitleClass1, &gTitleDivision1, &gTitleDivision2 };
    for (int i = 0; i < 6; ++i)
        *titles[i] = gRs.EOF() ? QString() : db::VbText(gRs.Fields(i).Value());
}
