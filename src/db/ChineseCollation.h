#pragma once

#include <QString>
#include <QStringList>

struct sqlite3;

namespace db {

// Chinese text in the order a Chinese reader expects (pinyin: 阿克苏中学, 北京中学, 第一中学,
// 实验中学), not by code point. Registered on every connection under kName; two texts the
// Chinese order holds equal are told apart by their code points, so texts that differ never
// compare equal and DISTINCT, GROUP BY and ORDER BY agree. Numbers stored as numbers keep their
// numeric order: SQLite compares them before any collation is asked.
class ChineseCollation {
public:
    static inline const QString kName = QStringLiteral("CHINESE");

    // `column COLLATE CHINESE`: how the program orders text columns (schools, classes, names).
    static QString Order(const QString &column);
    // The same for several columns, in order, comma-separated.
    static QString Order(const QStringList &columns);
    // Compares as the collation does: negative, 0 or positive.
    static int Compare(QStringView left, QStringView right);
    // Raises db::Error when SQLite refuses the registration.
    static void Register(sqlite3 *handle);
};

} // namespace db
