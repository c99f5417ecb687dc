#include "datastore/DatabaseMessage.h"
#include "datastore/AppState.h"
#include "datastore/StartUp.h"
#include "db/Error.h"
#include "support/TestAppDir.h"

#include <QFile>
#include <gtest/gtest.h>
#include <sqlite3.h>

// Each failure of the data file in the user's words: what happened, where the file is, and
// that nothing saved was lost; never SQLite's English or the statement.
TEST(DatabaseMessage, SaysWhatHappenedWhereAndThatNothingWasLost)
{
    struct Case {
        const char *sqlite;
        int code;
        const char *what;
        const char *after;
    } cases[] = {
        { "database or disk is full\nCOMMIT", SQLITE_FULL, "数据文件所在的磁盘已满，无法写入。请腾出磁盘空间后再试。",
            "已保存的数据没有丢失，原有数据没有改变。" },
        { "database is locked\nBEGIN IMMEDIATE", SQLITE_BUSY,
            "数据文件正被另一个程序（也许是另一个正在运行的考务程序）使用，暂时无法写入。请关闭那个程序后再试。",
            "已保存的数据没有丢失，原有数据没有改变。" },
        { "attempt to write a readonly database\nDROP TABLE IF EXISTS \"考生表1\"", SQLITE_READONLY,
            "数据文件是只读的，无法写入。请检查文件的权限，或磁盘是否写保护。", "已保存的数据没有丢失，原有数据没有改变。" },
        { "database disk image is malformed\nSELECT 1", SQLITE_CORRUPT,
            "数据文件已损坏，或者不是本程序的数据文件。请用备份的数据文件替换它。", "程序没有改动这个文件。" },
        { "disk I/O error\nCOMMIT", SQLITE_IOERR, "读写数据文件时磁盘出错。", "已保存的数据没有丢失，原有数据没有改变。" },
        { "constraint failed\nUPDATE sjqtab SET x = 1", SQLITE_CONSTRAINT, "数据文件操作失败（错误代码 19）。",
            "已保存的数据没有丢失，原有数据没有改变。" },
        { "无法创建文件夹：/x\nmore", 0, "无法创建文件夹：/x", "已保存的数据没有丢失，原有数据没有改变。" },
    };
    TestAppDir app;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.sqlite);
        EXPECT_EQ(DatabaseMessage(db::Error(QString::fromUtf8(c.sqlite), c.code)),
            QString::fromUtf8(c.what) + "\n数据文件：" + app.dbPath() + '\n' + QString::fromUtf8(c.after));
    }
}

TEST(DatabaseMessage, ADamagedFileAtStartUpIsNamedAndLeftAlone)
{
    struct Case {
        QByteArray content;
        const char *what;
    } cases[] = {
        { QByteArray(4096, 'x'), "数据文件已损坏，或者不是本程序的数据文件。请用备份的数据文件替换它。" },
        // An empty file holds no tables: a new one can be made once it is moved away.
        { QByteArray(), "数据文件是空的（0 字节），或者已损坏。请用备份的数据文件替换它；没有备份时，把它移到别处"
                        "（或改名）后再启动本程序，程序会新建一个数据文件。" },
    };
    TestAppDir app;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.content.size());
        QFile file(app.dbPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.content);
        file.close();
        try {
            StartUp::Run();
            ADD_FAILURE() << "a damaged file was opened";
        } catch (const db::Error &error) {
            EXPECT_EQ(DatabaseMessage(error),
                QString::fromUtf8(c.what) + "\n数据文件：" + app.dbPath() + "\n程序没有改动这个文件。");
        }
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), c.content);
    }
}
