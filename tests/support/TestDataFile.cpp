#include "support/TestDataFile.h"

#include "datastore/AppState.h"
#include "db/Database.h"

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
