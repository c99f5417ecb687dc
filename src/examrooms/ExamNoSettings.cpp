#include "examrooms/ExamNoSettings.h"

#include "datastore/AppState.h"
#include "datastore/MainDatabaseScope.h"
#include "db/Error.h"

QString gExamNoPrefix;
QString gExamNoForm;

void LoadExamNoSettings()
{
    try {
        MainDatabaseScope scope;
        gRs = gDb.OpenRecordset(
            QStringLiteral("SELECT s1, s2 FROM %1 WHERE 项目 = ?").arg(db::QuoteName(gSettingsTable)),
            { QStringLiteral("考号加零") });
        if (!gRs.EOF()) {
            const QString prefix = db::VbText(gRs.Fields(0).Value());
            gExamNoPrefix = prefix == QStringLiteral("buyaokc") ? QString() : prefix;
            gExamNoForm = db::VbText(gRs.Fields(1).Value());
        }
    } catch (const db::Error &) {
        // The login goes on with the values the program already had.
    }
}
