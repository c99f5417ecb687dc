#pragma once

#include <QString>

// Why a file could not be written, in the words 文件/保存 uses: the system's own are English,
// and on a full disk often only "Unknown error".
class WriteFailure {
public:
    // Looks at where the file was to go: a folder that is missing or closed to us, else the disk.
    static QString reason(const QString &path);
    // "无法写入文件 <path>：<reason>。"
    static QString message(const QString &path);
};
