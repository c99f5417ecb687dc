#pragma once

#include <QString>

// The database file of a fresh installation.
class DatabaseFile {
public:
    // Creates the database file at GetDbPath() with its fixed tables and seed rows when it is
    // missing; returns whether it did. Raises db::Error when the file cannot be made.
    static bool EnsureExists();
    // Writes a complete fresh database at `path` (its folder is created). The file appears
    // only once it is complete, so a failure never leaves a half-made file that a later start
    // would take for a real one.
    static void Create(const QString &path);

    static constexpr int AreaCount = 6;

private:
    static void writeSchema(const QString &path);
    static QString schemaText();
};
