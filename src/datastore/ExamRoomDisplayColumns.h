#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// Which examinee columns the lists show, and in which order, from the settings row '考场显示'.
class ExamRoomDisplayColumns {
public:
    // `setting` holds one comma-separated entry per field, in field order: 0 (or a missing
    // entry) hides the field, any other number is its output position. Returns the shown
    // names ordered by position, comma-separated; fields of equal position keep field order.
    static QString Shown(const QStringList &fields, const QString &setting);
    // The position one entry stands for: its leading number; 0 (hidden) when it has none.
    static double Position(const QString &entry);

    // What the display settings window starts from: the current examinee table's field names,
    // in field order, and s1 of the current area's row '考场显示' (Null when the row is
    // missing or holds Null). Raises db::Error.
    struct Stored {
        QStringList fields;
        QVariant setting;
    };
    static Stored Read();

    enum class StoreResult { Stored, NoSettingsRow, FieldsChanged };
    // Writes `setting` into s1 of the row '考场显示' and rebuilds gExamRoomColumns from it,
    // but only while the examinee table still has exactly `fields`, the fields the setting was
    // made for: a list made for another table (an import or another data area came between)
    // would show the wrong columns. Nothing is written unless Stored comes back. Raises db::Error.
    static StoreResult Store(const QStringList &fields, const QString &setting);
};

// Sets gExamRoomColumns from the current examinee table and its '考场显示' row. Opens and
// closes gDb itself; an error ends it without a message and leaves gExamRoomColumns as it was.
void LoadExamRoomDisplayColumns();
