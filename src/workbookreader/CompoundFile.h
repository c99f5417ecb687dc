#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The streams of a compound document file (the container of an .xls workbook), read from
// the file's bytes. Every sector number, chain and size comes from the file and is checked
// before use: a chain that loops, leaves the file or runs short makes the stream unreadable,
// never a read out of bounds.
class CompoundFile {
public:
    static bool HasSignature(const QByteArray &bytes);

    // Reads the header, the allocation tables and the directory; false when they do not
    // hold together.
    bool Open(const QByteArray &bytes);
    // The stream named `name` (compared without regard to case); false when there is none
    // or its sectors cannot be followed.
    bool ReadStream(const QString &name, QByteArray &stream) const;

private:
    struct Entry {
        QString name;
        quint8 type = 0;
        quint32 start = 0;
        quint64 size = 0;
    };

    bool readChain(const QVector<quint32> &table, quint32 start, qint64 size, int sectorSize,
        const QByteArray &source, qint64 sourceOffset, QByteArray &out) const;
    bool readFat();
    bool readDirectory();

    QByteArray m_bytes;
    int m_sectorShift = 9;
    QVector<quint32> m_fat;
    QVector<quint32> m_miniFat;
    QByteArray m_miniStream;
    QVector<Entry> m_entries;
    quint32 m_miniCutoff = 4096;
};
