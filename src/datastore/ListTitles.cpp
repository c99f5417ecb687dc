#include "datastore/ListTitles.h"

#include "datastore/AppState.h"
#include "datastore/MainDatabaseScope.h"

ListTitles ListTitles::Current()
{
    return { gTitleExamRoom1, gTitleExamRoom2, gTitleSchool1, gTitleClass1, gTitleDivision1, gTitleDivision2 };
}

void ListTitles::MakeCurrent() const
{
    gTitleExamRoom1 = examRoom1;
    gTitleExamRoom2 = examRoom2;
    gTitleSchool1 = school1;
    gTitleClass1 = class1;
    gTitleDivision1 = division1;
    gTitleDivision2 = division2;
}

bool ListTitles::Store() const
{
    MainDatabaseScope scope;
    // The table is meant to hold one row; should it hold more, the one the start-up reads is
    // the one that changes.
    const int changed
        = gDb.Execute(QStringLiteral("UPDATE bttable SET 考场1 = ?, 考场2 = ?, 学校1 = ?, 班级1 = ?, "
                                     "分班1 = ?, 分班2 = ? WHERE rowid = (SELECT min(rowid) FROM bttable)"),
            { examRoom1, examRoom2, school1, class1, division1, division2 });
    return changed > 0;
}
