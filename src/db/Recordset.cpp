#include "db/Recordset.h"

#include "db/Database.h"
#include "db/Error.h"
#include "db/Statement.h"
#include "db/TextPool.h"

#include <sqlite3.h>

namespace db {

namespace {

struct TypeName {
    const char *part;
    FieldType type;
};

// Declared column types in the order they are tried: the first part found decides, so
// LONGTEXT is a memo and not a text, and BIGINT a long.
const TypeName typeNames[] = {
    { "INT", FieldType::Long },
    { "COUNTER", FieldType::Long },
    { "BOOL", FieldType::Boolean },
    { "BIT", FieldType::Boolean },
    { "YESNO", FieldType::Boolean },
    { "MEMO", FieldType::Memo },
    { "LONGTEXT", FieldType::Memo },
    { "CHAR", FieldType::Text },
    { "TEXT", FieldType::Text },
    { "CLOB", FieldType::Text },
    { "STRING", FieldType::Text },
    { "REAL", FieldType::Double },
    { "FLOA", FieldType::Double },
    { "DOUB", FieldType::Double },
    { "NUM", FieldType::Double },
    { "DEC", FieldType::Double },
    { "CURRENCY", FieldType::Double },
    { "SINGLE", FieldType::Double },
    { "DATE", FieldType::Date },
    { "TIME", FieldType::Date },
    { "BLOB", FieldType::LongBinary },
    { "BINARY", FieldType::LongBinary },
};

FieldType declaredType(const char *declared)
{
    const QByteArray name = QByteArray(declared).toUpper();
    for (const TypeName &entry : typeNames) {
        if (name.contains(entry.part))
            return entry.type;
    }
    return FieldType::Null;
}

FieldType valueType(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::LongLong:
        return FieldType::Long;
    case QMetaType::Double:
        return FieldType::Double;
    case QMetaType::QByteArray:
        return FieldType::LongBinary;
    default:
        return FieldType::Text;
    }
}

QVariant readCell(sqlite3_stmt *statement, int column, TextPool *pool = nullptr)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_TEXT: {
        const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
        const int size = sqlite3_column_bytes(statement, column);
        return QVariant(pool ? pool->Text(text, size) : QString::fromUtf8(text, size));
    }
    case SQLITE_BLOB: {
        const auto *bytes = static_cast<const char *>(sqlite3_column_blob(statement, column));
        return QVariant(QByteArray(bytes, sqlite3_column_bytes(statement, column)));
    }
    default:
        return {};
    }
}

Error noCurrentRecord()
{
    return Error(QStringLiteral("No current record."));
}

} // namespace

void Recordset::load(Database *db, Statement &statement, const QString &table)
{
    m_db = db;
    const int first = table.isEmpty() ? 0 : 1;
    readColumns(statement, first, table);
    const int count = int(m_columns.size());
    sqlite3_stmt *handle = statement.handle();
    QVector<TextPool> pools(count);
    while (statement.Step()) {
        if (first)
            m_rowids.append(sqlite3_column_int64(handle, 0));
        for (int column = 0; column < count; ++column)
            m_cells.append(readCell(handle, column + first, &pools[column]));
        ++m_rowCount;
    }
    settleExpressionTypes();
}

void Recordset::readColumns(Statement &statement, int first, const QString &table)
{
    sqlite3_stmt *handle = statement.handle();
    for (int i = first; i < statement.ColumnCount(); ++i) {
        Column column;
        column.name = QString::fromUtf8(sqlite3_column_name(handle, i));
        const char *declared = sqlite3_column_decltype(handle, i);
        column.type = declared ? declaredType(declared) : FieldType::Null;
        const char *source = sqlite3_column_table_name(handle, i);
        if (!table.isEmpty() && source && QString::fromUtf8(source).compare(table, Qt::CaseInsensitive) == 0) {
            column.origin = QString::fromUtf8(sqlite3_column_origin_name(handle, i));
            m_table = QString::fromUtf8(source);
        }
        m_columns.append(column);
    }
}

// An expression has no declared type: it takes the type of its first non-Null value
// (count(...) is a Long, min or max of a Double column a Double).
void Recordset::settleExpressionTypes()
{
    for (int column = 0; column < m_columns.size(); ++column) {
        if (m_columns[column].type != FieldType::Null)
            continue;
        for (int row = 0; row < m_rowCount; ++row) {
            if (!cell(row, column).isNull()) {
                m_columns[column].type = valueType(cell(row, column));
                break;
            }
        }
    }
}

void Recordset::MoveFirst()
{
    if (m_rowCount == 0)
        throw noCurrentRecord();
    m_position = 0;
    m_editing = false;
}

void Recordset::MoveLast()
{
    if (m_rowCount == 0)
        throw noCurrentRecord();
    m_position = m_rowCount - 1;
    m_editing = false;
}

void Recordset::MoveNext()
{
    if (EOF())
        throw noCurrentRecord();
    ++m_position;
    m_editing = false;
}

bool Recordset::EOF() const
{
    return m_position >= m_rowCount;
}

int Recordset::RecordCount() const
{
    return m_rowCount;
}

int Recordset::FieldCount() const
{
    return int(m_columns.size());
}

Field Recordset::Fields(int index)
{
    return Field(this, checkedIndex(index));
}

Field Recordset::Fields(const QString &name)
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return Field(this, i);
    }
    throw Error(QStringLiteral("Item not found in this collection: ") + name);
}

QStringList Recordset::FieldNames() const
{
    QStringList names;
    for (const Column &column : m_columns)
        names.append(column.name);
    return names;
}

void Recordset::Edit()
{
    if (m_table.isEmpty())
        throw Error(QStringLiteral("Cannot update: the recordset does not come from a single table."));
    checkRow();
    const int count = int(m_columns.size());
    m_pending = m_cells.mid(m_position * count, count);
    m_changed = QVector<bool>(count, false);
    m_editing = true;
}

void Recordset::Update()
{
    if (!m_editing)
        throw Error(QStringLiteral("Update without Edit."));
    if (!m_db || !m_db->IsOpen())
        throw Error(QStringLiteral("The database is not open."));
    QStringList assignments;
    QVariantList params;
    QVector<int> columns;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (!m_changed[i])
            continue;
        assignments.append(QuoteName(m_columns[i].origin) + QStringLiteral(" = ?"));
        params.append(m_pending[i]);
        columns.append(i);
    }
    if (!columns.isEmpty()) {
        params.append(m_rowids[m_position]);
        Statement update(m_db->handle(),
            QStringLiteral("UPDATE %1 SET %2 WHERE _rowid_ = ?")
                .arg(QuoteName(m_table), assignments.join(QStringLiteral(", "))));
        update.Bind(params);
        if (update.Run() == 0)
            throw Error(QStringLiteral("The record has been deleted."));
        reloadRow(columns);
    }
    m_editing = false;
}

// The row is read back after writing so that it holds what the file now holds (a text
// written to a REAL column comes back as a number).
void Recordset::reloadRow(const QVector<int> &columns)
{
    QStringList names;
    for (int i : columns)
        names.append(QuoteName(m_columns[i].origin));
    Statement select(m_db->handle(),
        QStringLiteral("SELECT %1 FROM %2 WHERE _rowid_ = ?")
            .arg(names.join(QStringLiteral(", ")), QuoteName(m_table)));
    select.Bind({ m_rowids[m_position] });
    if (!select.Step())
        throw Error(QStringLiteral("The record has been deleted."));
    const int count = int(m_columns.size());
    for (int i = 0; i < columns.size(); ++i)
        m_cells[m_position * count + columns[i]] = readCell(select.handle(), i);
}

QString Recordset::fieldName(int index) const
{
    return m_columns[checkedIndex(index)].name;
}

FieldType Recordset::fieldType(int index) const
{
    return m_columns[checkedIndex(index)].type;
}

QVariant Recordset::value(int index) const
{
    checkedIndex(index);
    checkRow();
    return m_editing ? m_pending[index] : cell(m_position, index);
}

void Recordset::setValue(int index, const QVariant &value)
{
    checkedIndex(index);
    if (!m_editing)
        throw Error(QStringLiteral("A value can only be set between Edit and Update."));
    if (m_columns[index].origin.isEmpty())
        throw Error(QStringLiteral("Field cannot be updated: ") + m_columns[index].name);
    m_pending[index] = value;
    m_changed[index] = true;
}

int Recordset::checkedIndex(int index) const
{
    if (index < 0 || index >= m_columns.size())
        throw Error(QStringLiteral("Item not found in this collection: %1").arg(index));
    return index;
}

void Recordset::checkRow() const
{
    if (EOF())
        throw noCurrentRecord();
}

} // namespace db
