#pragma once

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

// Pictures of a grid by key (a ticket's photo by exam number). The file's bytes are kept as
// read, so a saved grid embeds them; a picture is decoded only when drawn, and its last
// screen-sized copy is kept for the next repaint.
class GridImages {
public:
    // Reads the picture at `path` under `key`, replacing an earlier one. False (and nothing
    // kept) when the file cannot be read or is not a picture.
    bool Add(const QString &path, const QString &key);
    // Keeps already loaded bytes, as a grid file brings them.
    bool addData(const QString &key, const QByteArray &data);
    // Keeps the bytes of a picture the caller has just decoded and encoded again itself (a
    // photo shrunk to its print size), without decoding them once more to check them.
    void addPrepared(const QString &key, const QByteArray &data);
    void Remove(const QString &key);
    void Clear();
    int Count() const { return int(m_entries.size()); }
    bool contains(const QString &key) const { return m_entries.contains(key); }
    QStringList keys() const;
    QByteArray data(const QString &key) const;

    // The picture decoded at its own size; null when the key is unknown.
    QImage image(const QString &key) const;
    // The picture scaled to fit `box` with its aspect ratio kept.
    QImage scaled(const QString &key, const QSize &box) const;

    bool operator==(const GridImages &other) const;

private:
    struct Entry {
        QByteArray data;
        mutable QImage scaled;
        mutable QSize scaledFor;
    };
    QHash<QString, Entry> m_entries;
};
