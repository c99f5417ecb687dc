#pragma once

#include <QString>
#include <QStringList>

// Which examinee columns the lists show, and in which order, from the settings row '考场显示'.
class ExamRoomDisplayColumns {
public:
    // `setting` holds one comma-separated entry per field, in field order: 0 (or a missing
    // entry) hides the field, any other number is its output position. Returns the shown
    // names ordered by position, comma-separated; fields of equal position keep field order.
    static QString Shown(const QStringList &fields, const QString &setting);
};

// Sets gExamRoomColumns from the current examinee table and its '考场显示' row. Opens and
// closes gDb itself; an error ends it without a message and leaves gExamRoomColumns as it was.
void LoadExamRoomDisplayColumns();
