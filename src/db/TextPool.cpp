#include "db/TextPool.h"

namespace db {

QString TextPool::Text(const char *utf8, int size)
{
    const auto found = m_texts.constFind(QByteArray::fromRawData(utf8, size)); // a view: no copy to look up
    if (found != m_texts.constEnd())
        return found.value();
    QString text = QString::fromUtf8(utf8, size);
    if (m_texts.size() < Capacity)
        m_texts.insert(QByteArray(utf8, size), text);
    return text;
}

} // namespace db
