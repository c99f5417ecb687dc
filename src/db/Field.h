#pragma once

#include "db/FieldType.h"

#include <QString>
#include <QVariant>

namespace db {

class Recordset;

// One column of a recordset's current row. A light handle: it refers back to its recordset,
// so it is valid only while that recordset lives and stays on the same row.
class Field {
public:
    Field(Recordset *recordset, int index);

    QString Name() const;
    FieldType Type() const;
    // The value of the current row: a null QVariant for Null, qint64 for integers,
    // double for reals, QString for text, QByteArray for binary data. Raises db::Error at EOF.
    QVariant Value() const;
    // Only between Recordset::Edit and Recordset::Update.
    void SetValue(const QVariant &value);

private:
    Recordset *m_recordset;
    int m_index;
};

} // namespace db
