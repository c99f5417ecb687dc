#include "WriteFailure.h"

#include <QFileInfo>

QString WriteFailure::reason(const QString &path)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir() || !folder.isWritable() || (file.exists() && !file.isWritable()))
        return QStringLiteral("文件夹不存在，或者没有写入的权限");
    return QStringLiteral("磁盘已满，或者磁盘无法写入");
}

QString WriteFailure::message(const QString &path)
{
    return QStringLiteral("无法写入文件 %1：%2。").arg(path, reason(path));
}
