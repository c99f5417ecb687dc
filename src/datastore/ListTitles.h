#pragma once

#include <QString>

// The six title pieces of the printed lists, as the one row of bttable and the gTitle…
// variables hold them: by room 考场1 "第 n 考场" 考场2, by school "XX学校" 学校1, by class
// "XX学校XX班" 班级1, and the new-class list 分班1 "X班" 分班2.
struct ListTitles {
    QString examRoom1;
    QString examRoom2;
    QString school1;
    QString class1;
    QString division1;
    QString division2;

    // The pieces the lists use now (the gTitle… variables).
    static ListTitles Current();
    // Makes these the pieces every list produced from now on uses.
    void MakeCurrent() const;
    // Writes the pieces into the first row of bttable. False, with nothing written, when the
    // table has no row. Raises db::Error.
    bool Store() const;
};
