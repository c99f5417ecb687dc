#include "datastore/DatabaseMessage.h"

#include "datastore/AppState.h"
#include "db/Error.h"

#include <QDir>
#include <sqlite3.h>

namespace {

QString whatHappened(const db::Error &error)
{
    switch (error.code()) {
    case SQLITE_FULL:
        return QStringLiteral("数据文件所在的磁盘已满，无法写入。请腾出磁盘空间后再试。");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("数据文件正被另一个程序（也许是另一个正在运行的考务程序）使用，暂时无法写入。"
                              "请关闭那个程序后再试。");
    case SQLITE_READONLY:
        return QStringLiteral("数据文件是只读的，无法写入。请检查文件的权限，或磁盘是否写保护。");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("没有访问数据文件的权限。");
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return QStringLiteral("数据文件已损坏，或者不是本程序的数据文件。请用备份的数据文件替换它。");
    case SQLITE_EMPTY:
        return QStringLiteral("数据文件是空的（0 字节），或者已损坏。请用备份的数据文件替换它；没有备份时，把它移到别处"
                              "（或改名）后再启动本程序，程序会新建一个数据文件。");
    case SQLITE_CANTOPEN:
        return QStringLiteral("无法打开数据文件：文件或它所在的文件夹不存在，或者没有访问权限。");
    case SQLITE_IOERR:
        return QStringLiteral("读写数据文件时磁盘出错。");
    case SQLITE_NOMEM:
        return QStringLiteral("内存不足，无法完成数据文件的操作。");
    case SQLITE_OK:
        // The data store's own words: the first line, never the statement that follows.
        return error.message().section('\n', 0, 0);
    default:
        return QStringLiteral("数据文件操作失败（错误代码 %1）。").arg(error.code());
    }
}

} // namespace

QString DatabaseMessage(const db::Error &error)
{
    const bool damaged
        = error.code() == SQLITE_CORRUPT || error.code() == SQLITE_NOTADB || error.code() == SQLITE_EMPTY;
    return whatHappened(error) + QStringLiteral("\n数据文件：%1\n").arg(QDir::toNativeSeparators(GetDbPath()))
        + (damaged ? QStringLiteral("程序没有改动这个文件。") : QStringLiteral("已保存的数据没有丢失，原有数据没有改变。"));
}
