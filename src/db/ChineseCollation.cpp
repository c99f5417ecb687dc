#include "db/ChineseCollation.h"

#include "db/Statement.h"

#include <QCollator>
#include <QLocale>

#include <sqlite3.h>

#include <cstring>

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

int CompareUtf8(void *, int leftBytes, const void *left, int rightBytes, const void *right)
{
    // A sort by school meets the same school thousands of times: equal texts are told at once,
    // in the file's own encoding, without a conversion or the collator.
    if (leftBytes == rightBytes && std::memcmp(left, right, size_t(leftBytes)) == 0)
        return 0;
    const QString leftText = QString::fromUtf8(static_cast<const char *>(left), leftBytes);
    const QString rightText = QString::fromUtf8(static_cast<const char *>(right), rightBytes);
    return ChineseCollation::Compare(leftText, rightText);
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
    if (sqlite3_create_collation_v2(handle, kName.toUtf8().constData(), SQLITE_UTF8, nullptr, CompareUtf8, nullptr)
        != SQLITE_OK)
        throw Statement::Failure(handle, kName);
}

} // namespace db
