#pragma once

#include <QString>

class GridData;

// The ticket templates: the user's working copies "zkzmb/zkz2.cel" (标准型) and "zkzmb/zkz3.cel"
// (经济型) under the application directory, and their factory copies shipped inside the program.
// A working copy is made from the factory copy whenever it is missing. Every call returns false
// with the reason in `error` when it fails; the window says what happened.
class TicketTemplate {
public:
    // Rows 0..11 and columns 0..15: one ticket in rows 1..11, columns 1..15.
    static constexpr int Rows = 12;
    static constexpr int Cols = 16;

    // `perPage` 2 (标准型) or 3 (经济型).
    static QString WorkingPath(int perPage);
    static QString FactoryPath(int perPage);

    // Loads the working copy, made from the factory copy first when missing. A file that is not
    // a grid file, or a grid that is not 12 × 16, is refused and `data` stays as it was.
    static bool Load(int perPage, GridData &data, QString *error);
    // Writes `data` over the working copy; a failed write leaves the old file whole.
    static bool Save(int perPage, const GridData &data, QString *error);
    // Puts the factory copy in place of the working copy.
    static bool Restore(int perPage, QString *error);

    // Whether `data` has the shape the builders write into.
    static bool HasTicketShape(const GridData &data);
};
