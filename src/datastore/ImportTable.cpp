#include "datastore/ImportTable.h"

#include "db/Database.h"
#include "db/Error.h"
#include "db/Statement.h"

#include <algorithm>
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

// Rooms, exam numbers and seats count from 1; 1e15 keeps every one exact in a double.
bool isWholeFromOne(const QVariant &number)
{
    if (number.isNull())
        return false;
    const double value = number.toDouble();
    return value >= 1 && value < 1e15 && value == std::floor(value);
}


} // namespace

ImportTable ImportTable::FromSheet(
    WorksheetCells &&sheet, const Rules &rules, ImportNotes &notes, ImportNotes &problems)
{
    ImportTable table;
    QVector<QVector<QVariant>> rows = std::move(sheet.rows);
    sheet.rows = {};
    if (rows.isEmpty())
        return table;
    QVector<QVariant> header = std::move(rows.first());
    for (QVariant &heading : header)
        if (CellError::Is(heading))
            heading = CellError::Text(heading);

    // Step 1: blank cells become Null and wholly blank rows go; each row kept remembers its
    // number in the sheet, for the notes.
    QVector<int> sheetRows;
    int width = header.size();
    qsizetype kept = 0;
    for (qsizetype r = 1; r < rows.size(); ++r) {
        bool blank = true;
        for (QVariant &cell : rows[r]) {
            if (isBlank(cell))
                cell = QVariant();
            else
                blank = false;
        }
        if (blank)
            continue;
        width = qMax(width, int(rows[r].size()));
        rows[kept++] = std::move(rows[r]);
        sheetRows << int(r + 1);
    }
    rows.resize(kept);

    // Step 2: name, type and convert each column, in place.
    QVector<int> sources;
    QStringList taken = rules.reserved;
    for (int c = 0; c < width; ++c) {
        bool anyValue = false;
        bool allNumbers = true;
        for (const QVector<QVariant> &row : std::as_const(rows)) {
            if (c >= row.size() || row[c].isNull())
                continue;
            anyValue = true;
            allNumbers = allNumbers && (row[c].typeId() == QMetaType::Double || CellError::Is(row[c]));
        }
        const QVariant heading = header.value(c);
        if (isBlank(heading) && !anyValue)
            continue;
        const QString name = safeName(heading, c);
        QString unique = name;
        for (int n = 2; taken.contains(unique, Qt::CaseInsensitive) || table.m_names.contains(unique, Qt::CaseInsensitive); ++n)
            unique = name + '_' + QString::number(n);
        if (unique != name)
            notes.Add(QStringLiteral("工作表 %1 第 %2 列的列名“%3”已被占用，改名为“%4”。")
                          .arg(sheet.name)
                          .arg(c + 1)
                          .arg(db::VbText(heading), unique));
        const bool numeric = rules.numeric.contains(unique) || (anyValue && allNumbers);
        const bool identity = rules.identities.contains(unique);
        for (qsizetype r = 0; r < rows.size(); ++r) {
            if (c >= rows[r].size() || rows[r][c].isNull())
                continue;
            QVariant &cell = rows[r][c];
            const auto where = [&] {
                return QStringLiteral("工作表 %1 第 %2 行“%3”列").arg(sheet.name).arg(sheetRows[r]).arg(unique);
            };
            if (CellError::Is(cell) && !identity) {
                notes.Add(QStringLiteral("%1：错误值“%2”，已留空。").arg(where(), CellError::Text(cell)));
                cell = QVariant();
                continue;
            }
            if (!numeric) {
                if (cell.typeId() == QMetaType::Double)
                    cell = db::VbText(cell);
                continue;
            }
            QVariant number = asNumber(cell);
            if (identity && !isWholeFromOne(number))
                problems.Add(QStringLiteral("%1：“%2”不是正整数，不能作为%3。")
                                 .arg(where(), CellError::Is(cell) ? CellError::Text(cell) : db::VbText(cell), unique));
            else if (number.isNull())
                notes.Add(QStringLiteral("%1：“%2”不是数字，已留空。").arg(where(), db::VbText(cell)));
            cell = std::move(number);
        }
        table.m_names << unique;
        table.m_numeric << numeric;
        sources << c;
    }

    // Step 3: each row keeps the columns kept, in their order (in place when that is the
    // first columns, as in most sheets).
    bool leading = true;
    for (int i = 0; i < sources.size(); ++i)
        leading = leading && sources[i] == i;
    for (QVector<QVariant> &row : rows) {
        if (leading) {
            row.resize(sources.size());
            continue;
        }
        QVector<QVariant> columns(sources.size());
        for (int i = 0; i < sources.size(); ++i)
            if (sources[i] < row.size())
                columns[i] = std::move(row[sources[i]]);
        row = std::move(columns);
    }
    table.m_rows = std::move(rows);
    return table;
}

int ImportTable::RowsMissingAny(const QStringList &names) const
{
    QVector<int> columns;
    for (const QString &name : names)
        if (const int column = indexOf(name); column >= 0)
            columns << column;
    int missing = 0;
    for (const QVector<QVariant> &row : m_rows)
        missing += std::any_of(columns.begin(), columns.end(), [&row](int c) { return row[c].isNull(); });
    return missing;
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
    if (cell.isNull())
        return true;
    if (cell.typeId() != QMetaType::QString)
        return false;
    const QString &text = *static_cast<const QString *>(cell.constData());
    return std::all_of(text.begin(), text.end(), [](QChar ch) { return ch.isSpace(); });
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
