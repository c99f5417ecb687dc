#include "TabText.h"

namespace {

QString quoted(const QString &cell)
{
    const bool needsQuotes = cell.contains(QLatin1Char('\t')) || cell.contains(QLatin1Char('\n'))
        || cell.contains(QLatin1Char('\r')) || cell.startsWith(QLatin1Char('"'));
    if (!needsQuotes)
        return cell;
    QString inner = cell;
    inner.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

} // namespace

QString TabText::write(const QList<QStringList> &rows)
{
    QString text;
    for (const QStringList &row : rows) {
        QStringList cells;
        cells.reserve(row.size());
        for (const QString &cell : row)
            cells.append(quoted(cell));
        text += cells.join(QLatin1Char('\t'));
        text += QLatin1String("\r\n");
    }
    return text;
}

QList<QStringList> TabText::parse(const QString &text)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool inQuotes = false;
    bool cellStarted = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = text.at(i);
        if (inQuotes) {
            if (ch == QLatin1Char('"') && i + 1 < n && text.at(i + 1) == QLatin1Char('"')) {
                cell += ch;
                ++i;
            } else if (ch == QLatin1Char('"')) {
                inQuotes = false;
            } else {
                cell += ch;
            }
        } else if (ch == QLatin1Char('"') && !cellStarted) {
            inQuotes = true;
            cellStarted = true;
        } else if (ch == QLatin1Char('\t')) {
            row.append(cell);
            cell.clear();
            cellStarted = false;
        } else if (ch == QLatin1Char('\n') || ch == QLatin1Char('\r')) {
            if (ch == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            row.append(cell);
            rows.append(row);
            row.clear();
            cell.clear();
            cellStarted = false;
        } else {
            cell += ch;
            cellStarted = true;
        }
    }
    // The last line needs no line end.
    if (cellStarted || !row.isEmpty() || !cell.isEmpty()) {
        row.append(cell);
        rows.append(row);
    }
    return rows;
}
