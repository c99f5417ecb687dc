#include "datastore/ImportTable.h"

#include "db/Database.h"
#include "db/Error.h"
#include "db/Statement.h"

#include <cmath>
#include <sqlite3.h>

namespace {

QVariant asNumber(const QVariant &cell)
{
    if (cell.typeId() == QMetaType::Double)
        return cell;
    bool ok = false;
    const double value = cell.toString().trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? QVariant(value) : QVariant();
}

QVariant asText(const QVariant &cell)
{
    return cell.typeId() == QMetaType::Double ? QVariant(db::VbText(cell)) : cell;
}

} // namespace

ImportTable ImportTable::FromSheet(const WorksheetCells &sheet, const QSet<QString> &alwaysNumeric)
{
    ImportTable table;
    if (sheet.rows.isEmpty())
        return table;
    const QVector<QVariant> &header = sheet.rows.first();
    QVector<QVector<QVariant>> dataRows;
    for (int r = 1; r < sheet.rows.size(); ++r) {
        QVector<QVariant> row = sheet.rows[r];
        bool blank = true;
        for (QVariant &cell : row) {
            if (isBlank(cell))
                cell = QVariant();
            else
                blank = false;
        }
        if (!blank)
            dataRows.append(std::move(row));
    }
    for (int c = 0; c < header.size(); ++c) {
        QVector<QVariant> cells;
        cells.reserve(dataRows.size());
        bool anyValue = false;
        bool allNumbers = true;
        for (const QVector<QVariant> &row : dataRows) {
            cells.append(row.value(c));
            if (cells.last().isNull())
                continue;
            anyValue = true;
            allNumbers = allNumbers && cells.last().typeId() == QMetaType::Double;
        }
        if (isBlank(header[c]) && !anyValue)
            continue;
        const QString name = safeName(header[c], c);
        table.addColumn(name, cells, alwaysNumeric.contains(name) || (anyValue && allNumbers));
    }
    return table;
}

void ImportTable::addColumn(const QString &name, const QVector<QVariant> &cells, bool numeric)
{
    QString unique = name;
    for (int n = 2; m_names.contains(unique, Qt::CaseInsensitive); ++n)
        unique = name + '_' + QString::number(n);
    m_names << unique;
    m_numeric << numeric;
    m_rows.resize(cells.size());
    for (int r = 0; r < cells.size(); ++r)
        m_rows[r].append(cells[r].isNull() ? QVariant() : numeric ? asNumber(cells[r]) : asText(cells[r]));
}

QString ImportTable::safeName(const QVariant &header, int column)
{
    QString name = db::VbText(header).trimmed();
    for (QChar &ch : name)
        if (!ch.isLetterOrNumber() && ch != QLatin1Char('_'))
            ch = QLatin1Char('_');
    if (name.isEmpty() || name.front().isDigit())
        name.prepend(name.isEmpty() ? QStringLiteral("F") + QString::number(column + 1) : QStringLiteral("F"));
    const QByteArray utf8 = name.toUtf8();
    if (sqlite3_keyword_check(utf8.constData(), utf8.size()))
        name.append(QLatin1Char('_'));
    return name;
}

bool ImportTable::isBlank(const QVariant &cell)
{
    return cell.isNull() || (cell.typeId() == QMetaType::QString && cell.toString().trimmed().isEmpty());
}

QStringList ImportTable::MissingColumns(const QStringList &required) const
{
    QStringList missing;
    for (const QString &name : required)
        if (!m_names.contains(name, Qt::CaseInsensitive))
            missing << name;
    return missing;
}

int ImportTable::indexOf(const QString &name) const
{
    for (int c = 0; c < m_names.size(); ++c)
        if (m_names[c].compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

void ImportTable::PutFirst(const QStringList &names)
{
    QVector<int> order;
    for (const QString &name : names) {
        const int column = indexOf(name);
        if (column >= 0 && !order.contains(column))
            order << column;
    }
    for (int c = 0; c < m_names.size(); ++c)
        if (!order.contains(c))
            order << c;
    QStringList namesInOrder;
    QVector<bool> numericInOrder;
    for (int c : order) {
        namesInOrder << m_names[c];
        numericInOrder << m_numeric[c];
    }
    m_names = namesInOrder;
    m_numeric = numericInOrder;
    for (QVector<QVariant> &row : m_rows) {
        QVector<QVariant> reordered;
        reordered.reserve(row.size());
        for (int c : order)
            reordered << row[c];
        row = std::move(reordered);
    }
}

QString ImportTable::createStatement(const QString &table) const
{
    QStringList columns;
    for (int c = 0; c < m_names.size(); ++c)
        columns << db::QuoteName(m_names[c])
                + (m_numeric[c] ? QStringLiteral(" DOUBLE") : QStringLiteral(" TEXT COLLATE NOCASE"));
    return QStringLiteral("CREATE TABLE %1 (%2)").arg(db::QuoteName(table), columns.join(QStringLiteral(", ")));
}

void ImportTable::WriteTo(db::Database &database, const QString &table) const
{
    if (m_names.isEmpty())
        throw db::Error(QStringLiteral("工作表没有任何列。"));
    database.Execute(QStringLiteral("DROP TABLE IF EXISTS %1").arg(db::QuoteName(table)));
    database.Execute(createStatement(table));
    QStringList placeholders;
    for (int c = 0; c < m_names.size(); ++c)
        placeholders << QStringLiteral("?");
    db::Statement insert(database.handle(),
        QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(db::QuoteName(table), placeholders.join(QLatin1Char(','))));
    for (const QVector<QVariant> &row : m_rows) {
        insert.Bind(row);
        insert.Run();
    }
}
