#pragma once

#include <QDir>
#include <QString>

// Where a test may leave a picture or a printout for a person to look at: a file in the folder
// named by KAOWU_SNAPSHOT_DIR, or "" when that is not set (the usual run writes nothing).
inline QString SnapshotPath(const QString &name)
{
    const QString folder = qEnvironmentVariable("KAOWU_SNAPSHOT_DIR");
    return folder.isEmpty() ? QString() : QDir(folder).filePath(name);
}
