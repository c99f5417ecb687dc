#include "tickets/TicketPhotos.h"

#include "grid/GridImages.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QtConcurrent/QtConcurrentMap>

namespace {

// The photo decoded straight to its print size (a JPEG decoder scales while it decodes) and
// kept as a small JPEG: a 1600 × 1200 photo would otherwise hold its megabytes per ticket.
QByteArray ReadAtPrintSize(const QString &path, const QSize &printSize)
{
    if (path.isEmpty())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > printSize.width() || size.height() > printSize.height()))
        reader.setScaledSize(size.scaled(printSize, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPEG", 90))
        return {};
    return bytes;
}

} // namespace

TicketPhotos::TicketPhotos(const QString &folder, const QSize &box)
    // Folders typed the Windows way ("D:\photos\") still name the folder.
    : m_folder(Folder(folder))
    , m_printSize(qRound(box.width() * PrintDpi / 96.0), qRound(box.height() * PrintDpi / 96.0))
{
    const QDir dir(m_folder);
    for (const QString &file : dir.entryList(QDir::Files | QDir::Readable)) {
        if (file.size() > 4 && file.endsWith(QStringLiteral(".jpg"), Qt::CaseInsensitive))
            m_files.insert(file.left(file.size() - 4), dir.filePath(file));
    }
}

QString TicketPhotos::Folder(const QString &folder)
{
    return QString(folder).replace(u'\\', u'/');
}

bool TicketPhotos::FolderExists(const QString &folder)
{
    return QFileInfo(Folder(folder)).isDir();
}

QString TicketPhotos::Key(const QVariant &value)
{
    return value.toString().trimmed();
}

bool TicketPhotos::IsSafe(const QString &key)
{
    return !key.isEmpty() && !key.contains(u'/') && !key.contains(u'\\') && !key.contains(QStringLiteral(".."));
}

QString TicketPhotos::FileOf(const QString &key) const
{
    return IsSafe(key) ? m_files.value(key) : QString();
}

QStringList TicketPhotos::Load(const QStringList &keys, GridImages &images) const
{
    QStringList paths;
    paths.reserve(keys.size());
    for (const QString &key : keys)
        paths << FileOf(key);
    const QSize printSize = m_printSize;
    const QList<QByteArray> photos = QtConcurrent::blockingMapped(
        paths, [printSize](const QString &path) { return ReadAtPrintSize(path, printSize); });
    QStringList missing;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (photos.at(i).isEmpty())
            missing << keys.at(i);
        else
            images.addPrepared(keys.at(i), photos.at(i));
    }
    return missing;
}
