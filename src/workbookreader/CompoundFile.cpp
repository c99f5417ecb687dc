#include "workbookreader/CompoundFile.h"

#include <QtEndian>

namespace {

constexpr quint32 endOfChain = 0xFFFFFFFE;
constexpr quint32 freeSector = 0xFFFFFFFF;
constexpr int headerSize = 512;
constexpr int headerDifatEntries = 109;
constexpr int entrySize = 128;
constexpr quint8 streamEntry = 2;
constexpr quint8 rootEntry = 5;

const char signature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";

quint32 u32(const QByteArray &bytes, qint64 offset)
{
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

quint16 u16(const QByteArray &bytes, qint64 offset)
{
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

} // namespace

bool CompoundFile::HasSignature(const QByteArray &bytes)
{
    return bytes.startsWith(QByteArray::fromRawData(signature, 8));
}

bool CompoundFile::Open(const QByteArray &bytes)
{
    m_bytes = bytes;
    if (m_bytes.size() < headerSize || !HasSignature(m_bytes))
        return false;
    m_sectorShift = u16(m_bytes, 0x1E);
    if (m_sectorShift != 9 && m_sectorShift != 12)
        return false;
    m_miniCutoff = u32(m_bytes, 0x38);
    return readFat() && readDirectory();
}

bool CompoundFile::readFat()
{
    const int sectorSize = 1 << m_sectorShift;
    const qint64 sectorCount = (m_bytes.size() - headerSize + sectorSize - 1) / sectorSize;
    const quint32 fatSectors = u32(m_bytes, 0x2C);
    if (fatSectors > sectorCount)
        return false;
    // The sectors of the allocation table: 109 listed in the header, the rest in a chain
    // of further lists, each ending with the number of the next.
    QVector<quint32> fatList;
    for (int i = 0; i < headerDifatEntries && quint32(fatList.size()) < fatSectors; ++i)
        fatList << u32(m_bytes, 0x4C + 4 * i);
    quint32 difat = u32(m_bytes, 0x44);
    const int perDifat = sectorSize / 4 - 1;
    for (qint64 steps = 0; quint32(fatList.size()) < fatSectors; ++steps) {
        const qint64 offset = (qint64(difat) + 1) << m_sectorShift;
        if (difat >= endOfChain - 1 || steps > sectorCount || offset + sectorSize > m_bytes.size())
            return false;
        for (int i = 0; i < perDifat && quint32(fatList.size()) < fatSectors; ++i)
            fatList << u32(m_bytes, offset + 4 * i);
        difat = u32(m_bytes, offset + 4 * perDifat);
    }
    m_fat.clear();
    m_fat.reserve(fatList.size() * sectorSize / 4);
    for (quint32 sector : fatList) {
        const qint64 offset = (qint64(sector) + 1) << m_sectorShift;
        if (sector >= endOfChain - 1 || offset + sectorSize > m_bytes.size())
            return false;
        for (int i = 0; i < sectorSize / 4; ++i)
            m_fat << u32(m_bytes, offset + 4 * i);
    }
    return true;
}

bool CompoundFile::readChain(const QVector<quint32> &table, quint32 start, qint64 size, int sectorSize,
    const QByteArray &source, qint64 sourceOffset, QByteArray &out) const
{
    // size < 0: follow the chain to its end (the directory, whose size the header omits).
    out.clear();
    if (size > source.size())
        return false;
    if (size >= 0)
        out.reserve(size);
    quint32 sector = start;
    for (qint64 steps = 0; sector != endOfChain; ++steps) {
        if (size >= 0 && out.size() >= size)
            break;
        const qint64 offset = sourceOffset + qint64(sector) * sectorSize;
        if (sector >= quint32(table.size()) || steps > table.size() || offset + sectorSize > source.size())
            return false;
        out.append(source.constData() + offset, sectorSize);
        sector = table[sector];
    }
    if (size >= 0) {
        if (out.size() < size)
            return false;
        out.truncate(size);
    }
    return true;
}

bool CompoundFile::readDirectory()
{
    const int sectorSize = 1 << m_sectorShift;
    QByteArray directory;
    if (!readChain(m_fat, u32(m_bytes, 0x30), -1, sectorSize, m_bytes, sectorSize, directory))
        return false;
    m_entries.clear();
    for (qint64 offset = 0; offset + entrySize <= directory.size(); offset += entrySize) {
        Entry entry;
        const int nameBytes = qMin<int>(u16(directory, offset + 64), 64);
        const int nameChars = qMax(0, nameBytes / 2 - 1);
        entry.name = QString::fromUtf16(reinterpret_cast<const char16_t *>(directory.constData() + offset), nameChars);
        entry.type = quint8(directory[offset + 66]);
        entry.start = u32(directory, offset + 116);
        entry.size = m_sectorShift == 9 ? u32(directory, offset + 120) : qFromLittleEndian<quint64>(directory.constData() + offset + 120);
        m_entries << entry;
    }
    if (m_entries.isEmpty() || m_entries[0].type != rootEntry)
        return false;
    // Small streams live in the mini stream (held by the root entry) in 64-byte sectors.
    const Entry &root = m_entries[0];
    if (root.start != endOfChain && root.start != freeSector
        && !readChain(m_fat, root.start, qint64(root.size), sectorSize, m_bytes, sectorSize, m_miniStream))
        return false;
    QByteArray miniFat;
    const quint32 miniFatStart = u32(m_bytes, 0x3C);
    if (miniFatStart != endOfChain && miniFatStart != freeSector) {
        if (!readChain(m_fat, miniFatStart, -1, sectorSize, m_bytes, sectorSize, miniFat))
            return false;
        m_miniFat.clear();
        for (qint64 i = 0; i + 4 <= miniFat.size(); i += 4)
            m_miniFat << u32(miniFat, i);
    }
    return true;
}

bool CompoundFile::ReadStream(const QString &name, QByteArray &stream) const
{
    for (const Entry &entry : m_entries) {
        if (entry.type != streamEntry || entry.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (entry.size > quint64(m_bytes.size()))
            return false;
        if (entry.size < m_miniCutoff)
            return readChain(m_miniFat, entry.start, qint64(entry.size), 64, m_miniStream, 0, stream);
        const int sectorSize = 1 << m_sectorShift;
        return readChain(m_fat, entry.start, qint64(entry.size), sectorSize, m_bytes, sectorSize, stream);
    }
    return false;
}
