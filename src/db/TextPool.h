#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace db {

// Hands out one shared QString for texts that recur in a column (a school, a class, a sex),
// so that reading a large table allocates per distinct text rather than per cell.
class TextPool {
public:
    QString Text(const char *utf8, int size);

private:
    // Columns of unique texts (names) would only fill the pool; past this it stops growing.
    static constexpr int Capacity = 512;

    QHash<QByteArray, QString> m_texts;
};

} // namespace db
