#include "support/TestDataFile.h"

#include "datastore/AppState.h"
#include "db/Database.h"

#include <QFile>
#include <QProcess>

#include <unistd.h>

namespace {

QString Path()
{
    return GetDbPath();
}

} // namespace

void TestDataFile::Execute(const QString &sql, const QVariantList &params)
{
    db::Database file;
    file.Open(Path());
    file.Execute(sql, params);
}

void TestDataFile::ExecuteRows(const QString &sql, const QList<QVariantList> &rows)
{
    db::Database file;
    file.Open(Path());
    db::Database::Transaction transaction(file);
    for (const QVariantList &row : rows)
        file.Execute(sql, row);
    transaction.Commit();
}

void TestDataFile::CreateQuery(const QString &name, const QString &sql)
{
    db::Database file;
    file.Open(Path());
    file.CreateQueryDef(name, sql);
}

QStringList TestDataFile::Texts(const QString &sql)
{
    db::Database file;
    file.Open(Path());
    QStringList texts;
    for (db::Recordset records = file.OpenRecordset(sql); !records.EOF(); records.MoveNext())
        texts << db::VbText(records.Fields(0).Value());
    return texts;
}

QString TestDataFile::Quoted(const QString &name)
{
    return db::QuoteName(name);
}

bool TestDataFile::ConnectionOpen()
{
    return gDb.IsOpen();
}

QString TestDataFile::ConnectionPath()
{
    return gDb.Path();
}

bool TestDataFile::ConnectionInTransaction()
{
    return gDb.inTransaction();
}

int TestDataFile::FilesOpened()
{
    return db::Database::openCount();
}

void TestDataFile::CloseConnection()
{
    CloseMainDatabase();
}

bool TestDataFile::SetReadOnly(bool readOnly)
{
    const QString path = Path();
    QFile::setPermissions(path,
        readOnly ? QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther
                 : QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup);
    // Permissions do not stop root; the immutable flag does.
    if (geteuid() == 0)
        QProcess::execute(QStringLiteral("chattr"), { readOnly ? QStringLiteral("+i") : QStringLiteral("-i"), path });
    QFile file(path);
    const bool writable = file.open(QIODevice::ReadWrite);
    return writable != readOnly;
}

struct TestDataFile::WriteLock::Holder {
    db::Database file;
};

TestDataFile::WriteLock::WriteLock()
    : m_holder(std::make_unique<Holder>())
{
    m_holder->file.Open(Path());
    m_holder->file.Execute(QStringLiteral("BEGIN IMMEDIATE"));
}

TestDataFile::WriteLock::~WriteLock()
{
    m_holder->file.Execute(QStringLiteral("ROLLBACK"));
}
