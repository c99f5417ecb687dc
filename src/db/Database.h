#pragma once

#include "db/Conversions.h"
#include "db/Recordset.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <memory>

struct sqlite3;

namespace db {

class SavedQueries;
class Statement;

// One open database file. The program's SQL is written in the Jet dialect of the original
// program (`&` for concatenation, iif, Val, ...); every statement passes through one
// translation step before SQLite sees it.
//
// Values that come from data or from the user are passed as `params` and bound to `?`
// placeholders, never pasted into the SQL text. Names of tables and columns that come from
// data are quoted with QuoteName.
//
// Saved queries ("NewQry1".."NewQry6") are kept as SQL texts inside the file and shown as
// temporary views while the file is open, so dropping and re-creating a table never leaves a
// broken view behind.
class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens (creating when `create` is true) the file; raises db::Error when it cannot.
    // An open database is closed first.
    void Open(const QString &path, bool create = false);
    void Close();
    bool IsOpen() const;
    QString Path() const;

    // Ends what an operation left behind without closing the file: a transaction still open is
    // rolled back. The connection stays for the next operation, which then need not open the
    // file, register its functions and show its saved queries again.
    void releaseWork();
    bool inTransaction() const;
    // Whether the open file has been deleted, renamed or replaced since it was opened: the
    // connection would then read and write a file nobody can see any more.
    bool hasMoved() const;
    // How many times a file has been opened since the program started: the one connection
    // stays open, and tests and benchmarks check that an operation does not reopen it.
    static int openCount();

    Recordset OpenRecordset(const QString &sql, const QVariantList &params = {});
    // Runs one or more statements (params apply to a single statement); returns the number of
    // rows changed by the last one.
    int Execute(const QString &sql, const QVariantList &params = {});

    // Saved queries. CreateQueryDef checks the SQL at once (a bad statement raises here) and
    // raises when the name is taken; DeleteQueryDef raises when there is no such query.
    // A saved query keeps no parameters, so `params` are written into its text as quoted
    // literals in place of the `?` placeholders (a school named O'Hara stays one value).
    void CreateQueryDef(const QString &name, const QString &sql, const QVariantList &params = {});
    void DeleteQueryDef(const QString &name);
    bool HasQueryDef(const QString &name) const;

    // The file's own tables (not the saved queries), and a table's columns in order.
    QStringList TableNames() const;
    bool HasTable(const QString &name) const;
    QStringList FieldNames(const QString &table) const;

    // All-or-nothing groups of writes. A Transaction rolls back unless Commit is called.
    class Transaction {
    public:
        explicit Transaction(Database &db);
        ~Transaction();
        void Commit();
        Transaction(const Transaction &) = delete;
        Transaction &operator=(const Transaction &) = delete;

    private:
        Database &m_db;
        bool m_done = false;
        bool m_nested = false; // inside another transaction: a savepoint of its own
    };

    sqlite3 *handle() const { return m_handle; }

private:
    QString translate(const QString &statement) const;
    std::unique_ptr<Statement> prepare(const QString &jetStatement);
    SavedQueries savedQueries() const;
    int executeOne(const QString &statement, const QVariantList &params);

    sqlite3 *m_handle = nullptr;
    QString m_path;
};

} // namespace db
