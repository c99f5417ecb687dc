#include "GridImages.h"

#include <QFile>

namespace {

constexpr qsizetype MaxCachedBytes = 256 * 1024;

} // namespace

bool GridImages::Add(const QString &path, const QString &key)
{
    // Photo paths are put together with "\" the Windows way; here that separator is "/".
    QFile file(QFile::exists(path) ? path : QString(path).replace(QLatin1Char('\\'), QLatin1Char('/')));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return addData(key, file.readAll());
}

bool GridImages::addData(const QString &key, const QByteArray &data)
{
    // Decoding once here rejects what is not a picture; the decoded copy is dropped again so a
    // document of a thousand photos keeps only their compressed bytes.
    if (QImage::fromData(data).isNull())
        return false;
    m_entries.insert(key, Entry { data, QImage(), QSize() });
    return true;
}

void GridImages::addPrepared(const QString &key, const QByteArray &data)
{
    m_entries.insert(key, Entry { data, QImage(), QSize() });
}

void GridImages::Remove(const QString &key)
{
    m_entries.remove(key);
}

void GridImages::Clear()
{
    m_entries.clear();
}

QStringList GridImages::keys() const
{
    QStringList keys = m_entries.keys();
    keys.sort();
    return keys;
}

QByteArray GridImages::data(const QString &key) const
{
    const auto found = m_entries.constFind(key);
    return found == m_entries.constEnd() ? QByteArray() : found->data;
}

QImage GridImages::image(const QString &key) const
{
    const auto found = m_entries.constFind(key);
    if (found == m_entries.constEnd())
        return QImage();
    return QImage::fromData(found->data);
}

QImage GridImages::scaled(const QString &key, const QSize &box) const
{
    const auto found = m_entries.constFind(key);
    if (found == m_entries.constEnd() || box.isEmpty())
        return QImage();
    if (found->scaledFor == box)
        return found->scaled;
    // Decoded for the scaling only: a thousand full-size photos would not fit in memory.
    const QImage scaled = QImage::fromData(found->data).scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // Screen-sized copies are kept for the next repaint; print-sized ones are not, or a
    // thousand tickets with photos would hold hundreds of megabytes.
    if (scaled.sizeInBytes() <= MaxCachedBytes) {
        found->scaled = scaled;
        found->scaledFor = box;
    }
    return scaled;
}

bool GridImages::operator==(const GridImages &other) const
{
    if (m_entries.size() != other.m_entries.size())
        return false;
    for (auto it = m_entries.constBegin(); it != m_entries.constEnd(); ++it)
        if (other.data(it.key()) != it->data)
            return false;
    return true;
}
