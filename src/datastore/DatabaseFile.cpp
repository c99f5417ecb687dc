#include "datastore/DatabaseFile.h"

#include "datastore/AppState.h"
#include "datastore/PasswordHash.h"
#include "db/Database.h"
#include "db/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <sqlite3.h>

#include <future>
#include <vector>

namespace {
const QString areaMarker = QStringLiteral("-- each area");
}

bool DatabaseFile::EnsureExists()
{
    const QString path = GetDbPath();
    const QFileInfo file(path);
    // A file of no bytes (a copy or a disk that failed) holds no tables: said as such, and
    // left alone, for a new file is made only where there is none.
    if (file.isFile() && file.size() == 0)
        throw db::Error(QStringLiteral("数据文件是空的。"), SQLITE_EMPTY);
    if (file.exists())
        return false;
    Create(path);
    return true;
}

void DatabaseFile::Create(const QString &path)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        throw db::Error(QStringLiteral("无法创建文件夹：%1").arg(QFileInfo(path).absolutePath()));
    const QString partial = path + QStringLiteral(".new");
    QFile::remove(partial);
    try {
        writeSchema(partial);
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        throw db::Error(QStringLiteral("无法创建数据库文件：%1").arg(path));
    }
}

void DatabaseFile::writeSchema(const QString &path)
{
    const QString schema = schemaText();
    const qsizetype split = schema.indexOf(areaMarker);
    const QString shared = schema.left(split);
    const QString perArea = schema.mid(split + areaMarker.size());

    db::Database file;
    file.Open(path, true);
    {
        db::Database::Transaction transaction(file);
        file.Execute(shared);
        // Each seeded user gets a salt of its own, so that no two rows look alike; each hash
        // takes a noticeable moment, so they are made side by side.
        std::vector<std::future<QString>> emptyPasswords;
        for (int area = 1; area <= AreaCount; ++area)
            emptyPasswords.push_back(std::async(std::launch::async, [] { return PasswordHash::Make(QString()); }));
        for (int area = 1; area <= AreaCount; ++area) {
            QString sql = perArea;
            sql.replace(QStringLiteral("{n}"), QString::number(area));
            sql.replace(QStringLiteral("{current}"), area == 1 ? QStringLiteral("t") : QStringLiteral("f"));
            file.Execute(sql);
            file.Execute(QStringLiteral("INSERT INTO %1 (feld1, feld2) VALUES (?, ?)")
                             .arg(db::QuoteName(QStringLiteral("usqmtx") + QString::number(area))),
                { QStringLiteral("admin"), emptyPasswords[area - 1].get() });
        }
        transaction.Commit();
    }
    file.Close();
}

// The schema resource without its comment lines, which only explain it to a reader.
QString DatabaseFile::schemaText()
{
    QFile resource(QStringLiteral(":/schema.sql"));
    if (!resource.open(QIODevice::ReadOnly))
        throw db::Error(QStringLiteral("数据库结构资源缺失。"));
    QStringList kept;
    const QStringList lines = QString::fromUtf8(resource.readAll()).split('\n');
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed == areaMarker || !trimmed.startsWith(QStringLiteral("--")))
            kept << line;
    }
    return kept.join('\n');
}
