#include "db/ChineseCollation.h"

#include "db/Statement.h"

#include <QCollator>
#include <QLocale>

#include <sqlite3.h>

namespace db {

namespace {

// One collator per thread: a connection serves one thread, and a QCollator is not to be shared
// between threads.
const QCollator &Collator()
{
    thread_local const QCollator collator = [] {
        QCollator made(QLocale(QLocale::Chinese, QLocale::China));
        made.setNumericMode(false);
        made.setCaseSensitivity(Qt::CaseSensitive);
        return made;
    }();
    return collator;
}

int Compare16(void *, int leftBytes, const void *left, int rightBytes, const void *right)
{
    return ChineseCollation::Compare(QStringView(static_cast<const char16_t *>(left), leftBytes / 2),
        QStringView(static_cast<const char16_t *>(right), rightBytes / 2));
}

} // namespace

QString ChineseCollation::Order(const QString &column)
{
    return column + QStringLiteral(" COLLATE ") + kName;
}

QString ChineseCollation::Order(const QStringList &columns)
{
    QStringList ordered;
    for (const QString &column : columns)
        ordered << Order(column);
    return ordered.join(QLatin1Char(','));
}

int ChineseCollation::Compare(QStringView left, QStringView right)
{
    const int chinese = Collator().compare(left, right);
    if (chinese != 0)
        return chinese;
    return left.compare(right, Qt::CaseSensitive);
}

void ChineseCollation::Register(sqlite3 *handle)
{
    // UTF-16 in the machine's order: the texts reach the collator without a conversion.
    if (sqlite3_create_collation_v2(handle, kName.toUtf8().constData(), SQLITE_UTF16, nullptr, Compare16, nullptr)
        != SQLITE_OK)
        throw Statement::Failure(handle, kName);
}

} // namespace db
