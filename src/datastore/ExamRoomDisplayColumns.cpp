#include "datastore/ExamRoomDisplayColumns.h"

#include "datastore/AppState.h"
#include "datastore/MainDatabaseScope.h"
#include "db/Error.h"

#include <algorithm>
#include <utility>
#include <vector>

QString ExamRoomDisplayColumns::Shown(const QStringList &fields, const QString &setting)
{
    const QStringList entries = setting.split(',');
    std::vector<std::pair<double, QString>> shown;
    for (int i = 0; i < fields.size() && i < entries.size(); ++i) {
        const double position = db::Val(entries[i]);
        if (position > 0)
            shown.emplace_back(position, fields[i]);
    }
    std::stable_sort(shown.begin(), shown.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList names;
    for (const auto &entry : shown)
        names << entry.second;
    return names.join(',');
}

void LoadExamRoomDisplayColumns()
{
    try {
        MainDatabaseScope scope;
        const QStringList fields = gDb.FieldNames(gExamineeTable);
        gRs = gDb.OpenRecordset(QStringLiteral("SELECT s1 FROM %1 WHERE 项目 = ?").arg(db::QuoteName(gSettingsTable)),
            { QStringLiteral("考场显示") });
        if (!gRs.EOF())
            gExamRoomColumns = ExamRoomDisplayColumns::Shown(fields, db::VbText(gRs.Fields(0).Value()));
    } catch (const db::Error &) {
        // As before: the lists keep the columns they had.
    }
}
