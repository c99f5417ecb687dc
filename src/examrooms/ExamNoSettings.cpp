#include "examrooms/ExamNoSettings.h"

#include "datastore/AppState.h"
#include "datastore/ArrangementTables.h"
#include "db/Error.h"

QString gExamNoPrefix;
QString gExamNoForm;

void LoadExamNoSettings()
{
    try {
        const QStringList row = datastore::ArrangementTables::SettingsRow(gSettingsTable, QStringLiteral("考号加零"));
        if (row.size() == 2) {
            gExamNoPrefix = row.at(0) == QStringLiteral("buyaokc") ? QString() : row.at(0);
            gExamNoForm = row.at(1);
        }
    } catch (const db::Error &) {
        // The login goes on with the values the program already had.
    }
}
