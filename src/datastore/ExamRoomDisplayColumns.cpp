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
        const double position = Position(entries[i]);
        if (position > 0)
            shown.emplace_back(position, fields[i]);
    }
    std::stable_sort(shown.begin(), shown.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList names;
    for (const auto &entry : shown)
        names << entry.second;
    return names.join(',');
}

namespace {

const QString kSettingRow = QStringLiteral("考场显示");

} // namespace

double ExamRoomDisplayColumns::Position(const QString &entry)
{
    return db::Val(entry);
}

ExamRoomDisplayColumns::Stored ExamRoomDisplayColumns::Read()
{
    MainDatabaseScope scope;
    Stored stored;
    stored.fields = gDb.FieldNames(gExamineeTable);
    db::Recordset row = gDb.OpenRecordset(
        QStringLiteral("SELECT s1 FROM %1 WHERE 项目 = ?").arg(db::QuoteName(gSettingsTable)), { kSettingRow });
    if (!row.EOF())
        stored.setting = row.Fields(0).Value();
    return stored;
}

ExamRoomDisplayColumns::StoreResult ExamRoomDisplayColumns::Store(const QStringList &fields, const QString &setting)
{
    {
        MainDatabaseScope scope;
        db::Database::Transaction transaction(gDb);
        if (gDb.FieldNames(gExamineeTable) != fields)
            return StoreResult::FieldsChanged;
        const int changed
            = gDb.Execute(QStringLiteral("UPDATE %1 SET s1 = ? WHERE 项目 = ?").arg(db::QuoteName(gSettingsTable)),
                { setting, kSettingRow });
        if (changed == 0)
            return StoreResult::NoSettingsRow;
        transaction.Commit();
    }
    LoadExamRoomDisplayColumns();
    return StoreResult::Stored;
}

void LoadExamRoomDisplayColumns()
{
    try {
        MainDatabaseScope scope;
        const QStringList fields = gDb.FieldNames(gExamineeTable);
        gRs = gDb.OpenRecordset(
            QStringLiteral("SELECT s1 FROM %1 WHERE 项目 = ?").arg(db::QuoteName(gSettingsTable)), { kSettingRow });
        if (!gRs.EOF())
            gExamRoomColumns = ExamRoomDisplayColumns::Shown(fields, db::VbText(gRs.Fields(0).Value()));
    } catch (const db::Error &) {
        // As before: the lists keep the columns they had.
    }
}
