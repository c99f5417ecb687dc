#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace datastore {

// The SQL a report runs on the database file: its saved query made anew, a single record read.
// The SQL is the report's own; the values it is run with are bound, never pasted.
class ReportQueries {
public:
    // Deletes the saved query `name` (a missing one is no error) and creates it anew from `sql`
    // with `params` written in as quoted literals, in one write. Returns false when the new
    // query was refused (its SQL does not run on these tables): the old one is gone all the
    // same, so nothing is read from it. Raises db::Error when the file cannot be written (read
    // only, locked by another program, full): then nothing changed and the old query stands,
    // so a report must not be read from it.
    static bool SaveQuery(const QString &name, const QString &sql, const QVariantList &params);
    // The values of the first record of `sql`; empty when there is none. Raises db::Error.
    static QVariantList FirstRecord(const QString &sql, const QVariantList &params);
};

} // namespace datastore
