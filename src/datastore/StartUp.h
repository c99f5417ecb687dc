#pragma once

#include <QString>

// The data part of the program's start: the database file, the current data area with its
// table names, the list titles and the shown examinee columns.
class StartUp {
public:
    // Creates the database file when it is missing, then reads the current area (the sjqtab
    // row marked 't'; area 1 when no row is marked) and loads the titles and shown columns.
    // Raises db::Error when the file can be neither made nor read.
    static void Run();

    // Points the area variables (gCurrentArea and the five table names) at `area`.
    static void SetAreaTableNames(int area);
};

// The six list titles of bttable into the gTitle... variables. Raises db::Error.
void LoadReportTitles();
