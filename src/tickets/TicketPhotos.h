#pragma once

#include <QHash>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QVariant>

class GridImages;

// The photos of a ticket job: one file per examinee in the chosen folder, named by the value of
// the chosen column (姓名 or 考号) followed by ".jpg" in any case. Each photo is read once, shrunk
// to the size it prints at, and shared by the stub and the ticket.
class TicketPhotos {
public:
    // Photos print at most at this resolution; more would only fill memory.
    static constexpr double PrintDpi = 300.0;

    // `box`: the photo box in pixels at 96 dpi.
    TicketPhotos(const QString &folder, const QSize &box);

    // A folder as typed, Windows separators ("D:\photos\") read as "/".
    static QString Folder(const QString &folder);
    static bool FolderExists(const QString &folder);
    // The photo's name for a column value: its text, trimmed.
    static QString Key(const QVariant &value);
    // A name that stays inside the folder: no path separator, no "..", not empty.
    static bool IsSafe(const QString &key);
    // The file for a safe key, or empty when the folder holds none.
    QString FileOf(const QString &key) const;

    // Reads the photos of `keys` side by side into `images`, each under its key. Returns the
    // keys whose photo is missing, is not a picture or is cut short.
    QStringList Load(const QStringList &keys, GridImages &images) const;

private:
    QString m_folder;
    QSize m_printSize;
    // Files of the folder ending in ".jpg" in any case, by name without that ending.
    QHash<QString, QString> m_files;
};
