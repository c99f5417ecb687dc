#include "db/Field.h"

#include "db/Recordset.h"

namespace db {

Field::Field(Recordset *recordset, int index)
    : m_recordset(recordset)
    , m_index(index)
{
}

QString Field::Name() const
{
    return m_recordset->fieldName(m_index);
}

FieldType Field::Type() const
{
    return m_recordset->fieldType(m_index);
}

QVariant Field::Value() const
{
    return m_recordset->value(m_index);
}

void Field::SetValue(const QVariant &value)
{
    m_recordset->setValue(m_index, value);
}

} // namespace db
