#pragma once

#include <QString>
#include <QVector>
#include <functional>

struct sqlite3;

namespace db {

// The saved queries of a file ("NewQry1".."NewQry6"). Their SQL texts live in a table of
// their own inside the file, and while the file is open each one whose tables exist is shown
// as a temporary view, so it can be read by name as a source. A persistent view would break
// the moment a report's table is dropped and imported anew; a temporary one is simply made
// again from its text.
class SavedQueries {
public:
    // The table holding the texts; not one of the file's own tables.
    static const QString TableName;
    using Translator = std::function<QString(const QString &jetSql)>;

    SavedQueries(sqlite3 *handle, Translator translate);

    // Raises db::Error when the name is taken or the SQL does not compile as a select.
    void Create(const QString &name, const QString &sql);
    // Raises db::Error when there is no such query.
    void Delete(const QString &name);
    bool Has(const QString &name) const;

    // Drops every temporary view: before a schema change, so no stale view stands in its way.
    void Withdraw();
    // (Re)creates the temporary view of every saved query that compiles against the tables
    // as they are now; returns false when the file has no saved queries at all.
    bool Expose();

private:
    struct Saved {
        QString name;
        QString sql;
    };

    QVector<Saved> stored() const;
    bool hasStore() const;
    bool nameTaken(const QString &name) const;
    void drop(const QString &name);
    bool expose(const Saved &saved);

    sqlite3 *m_handle;
    Translator m_translate;
};

} // namespace db
