#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <memory>

// The application's data file (GetDbPath()) as a test prepares and inspects it: SQL run through
// a connection of the test's own, never the program's, and what the program's one connection
// holds. Tests of the windows and lists use this instead of the database layer.
class TestDataFile {
public:
    // Runs one statement (or several without params).
    static void Execute(const QString &sql, const QVariantList &params = {});
    // Runs `sql` once per row of values, all in one transaction.
    static void ExecuteRows(const QString &sql, const QList<QVariantList> &rows);
    static void CreateQuery(const QString &name, const QString &sql);
    // The first column of `sql` as the program shows values as text.
    static QStringList Texts(const QString &sql);
    // A table or column name quoted for SQL text.
    static QString Quoted(const QString &name);

    // The program's connection: open (at which file), inside a transaction, and how many times
    // the program has opened a file so far.
    static bool ConnectionOpen();
    static QString ConnectionPath();
    static bool ConnectionInTransaction();
    static int FilesOpened();
    // Closes the program's connection, as at the end of the program.
    static void CloseConnection();

    // Makes the file read-only (or writable again) for this process, root included; returns
    // whether it now is as asked. Close the program's connection first: an open one keeps
    // writing.
    static bool SetReadOnly(bool readOnly);

    // A write lock on the file, as another program writing to it holds one, while it lives.
    class WriteLock {
    public:
        WriteLock();
        ~WriteLock();

    private:
        struct Holder;
        std::unique_ptr<Holder> m_holder;
    };
};
