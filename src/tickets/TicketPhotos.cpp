#include "tickets/TicketPhotos.h"

#include "griddata/GridImages.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QtConcurrent/QtConcurrentMap>

namespace {

quint16 BigEndian16(const QByteArray &bytes, qsizetype at)
{
    return quint16((quint8(bytes.at(at)) << 8) | quint8(bytes.at(at + 1)));
}

// Whether a JPEG's scans run to its end-of-image marker. The decoder pads a cut-off file
// silently with grey; a file cut short ends inside a segment or a scan instead.
bool WholeJpeg(const QByteArray &bytes)
{
    const qsizetype size = bytes.size();
    qsizetype at = 2;
    while (at + 1 < size) {
        if (quint8(bytes.at(at)) != 0xFF)
            return false;
        const quint8 marker = quint8(bytes.at(at + 1));
        if (marker == 0xD9) // end of image
            return true;
        if (marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += marker == 0xFF ? 1 : 2; // fill byte, or a marker without a segment
            continue;
        }
        if (at + 3 >= size)
            return false;
        at += 2 + BigEndian16(bytes, at + 2);
        if (at > size)
            return false;
        if (marker != 0xDA) // start of scan: entropy-coded data follows up to the next marker
            continue;
        for (;; at += 2) {
            at = bytes.indexOf('\xFF', at);
            if (at < 0 || at + 1 >= size)
                return false;
            const quint8 next = quint8(bytes.at(at + 1));
            if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7))
                break; // a marker; a stuffed 0xFF 0x00 or a restart marker belongs to the scan
        }
    }
    return false;
}

// The photo decoded straight to its print size (a JPEG decoder scales while it decodes) and
// kept as a small JPEG: a 1600 × 1200 photo would otherwise hold its megabytes per ticket. A
// JPEG no larger than that, and upright, is kept in its own bytes, which a PDF takes as they are.
QByteArray ReadAtPrintSize(const QString &path, const QSize &printSize)
{
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xFF\xD8") && !WholeJpeg(bytes))
        return {};
    QBuffer source(&bytes);
    QImageReader reader(&source);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    const bool larger = size.isValid() && (size.width() > printSize.width() || size.height() > printSize.height());
    if (larger)
        reader.setScaledSize(size.scaled(printSize, Qt::KeepAspectRatio));
    const bool asItIs = !larger && reader.format() == "jpeg" && reader.transformation() == QImageIOHandler::TransformationNone;
    const QImage image = reader.read();
    if (image.isNull())
        return {};
    if (asItIs)
        return bytes;
    QByteArray kept;
    QBuffer buffer(&kept);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(85);
    writer.setOptimizedWrite(true);
    if (!writer.write(image))
        return {};
    return kept;
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
