#pragma once

// Opens the database file into gDb for the lifetime of the object and closes it again however
// the work inside ends (a return, a db::Error). Raises db::Error when the file cannot be opened.
class MainDatabaseScope {
public:
    MainDatabaseScope();
    ~MainDatabaseScope();
    MainDatabaseScope(const MainDatabaseScope &) = delete;
    MainDatabaseScope &operator=(const MainDatabaseScope &) = delete;
};
