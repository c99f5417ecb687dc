#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace datastore {

// Every record of a table or saved query of a database file, read at once for a document to be
// filled from: the field names, which fields hold numbers, and the typed values.
class SourceRecords {
public:
    // Reads `source` of the file at `dbPath` through the one connection, which it opens when
    // another file or none is open and leaves open. Raises db::Error when the source cannot be read.
    SourceRecords(const QString &dbPath, const QString &source);

    int fieldCount() const { return int(m_names.size()); }
    int recordCount() const { return m_recordCount; }
    const QStringList &names() const { return m_names; }
    // A Double field: the fill gives it the number mask.
    bool isNumber(int field) const { return m_numbers.at(field); }
    const QVariant &value(int record, int field) const { return m_values.at(record * fieldCount() + field); }
    // The values of one record, field after field.
    const QVariant *record(int record) const { return m_values.constData() + record * fieldCount(); }

private:
    QStringList m_names;
    QVector<bool> m_numbers;
    QVector<QVariant> m_values;
    int m_recordCount = 0;
};

} // namespace datastore
