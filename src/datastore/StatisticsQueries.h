#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVector>

#include <optional>

// The reads and saved queries behind the statistics: the head counts per room (saved as
// "NewQry3"), the information reports on the examinee table ("NewQry5"), the examinees in
// exam-number order for the mixed-room check and the overview of the score and teacher tables.
// Every school or class is bound as a value and every column is aliased by position, so any
// name a school has ("2中", "O'Hara国际学校", "考场") counts like any other. Each function opens
// the data file for itself and raises db::Error when a read or the saved query fails.
class StatisticsQueries {
public:
    static const QString kRoomCountQuery;
    static const QString kInformationQuery;

    // A school or class that gets a count column of its own. A school or class left blank
    // (Null or "") is one key whose value is Null.
    struct Key {
        QVariant value;
        QString text;
        bool isBlank() const { return value.isNull(); }
    };

    // The distinct schools of the examinee table, in order.
    static QList<Key> Schools(const QString &examineeTable);
    // The distinct classes of one school, in order.
    static QList<Key> Classes(const QString &examineeTable, const QVariant &school);

    // Saves "NewQry3": one row per room in room order with 考场, 人数 (names given) and one
    // count column per key of `keyColumn` (学校 or 班级), named A1, A2, ... in the keys' order.
    // With `school` set only that school's examinees are counted.
    static void SaveRoomCounts(const QString &examineeTable, const QString &keyColumn, const QList<Key> &keys,
        const std::optional<QVariant> &school);
    // The same counts over all rooms: 人数, then one per key.
    static QVector<qint64> RoomCountTotals(const QString &examineeTable, const QString &keyColumn,
        const QList<Key> &keys, const std::optional<QVariant> &school);

    // Saves "NewQry5": 学校 (and 班级 when `byClass`), 学生数, 男生 and 女生, ordered by the keys.
    static void SaveInformationCounts(const QString &examineeTable, bool byClass);
    // 学生数, 男生 and 女生 over the whole examinee table.
    static QVector<qint64> InformationTotals(const QString &examineeTable);

    // One examinee as the mixed-room check walks them, each value as the program shows it.
    // An examinee without 考号 or 考场 (an import not arranged yet) sits in no room.
    struct Seat {
        QString school;
        QString className;
        QString room;
        bool arranged = true;
    };
    // The school, class and room of every examinee with 考号 and 考场, in exam-number order; when
    // the table holds examinees but none of them is arranged, one Seat that is not arranged.
    static QVector<Seat> SeatsInExamOrder(const QString &examineeTable);

    // The overview of the tables 成绩表 (one row per examinee, a score column per subject) and
    // 教师表 (one row per class, a teacher column per subject).
    struct SchoolScores {
        QString school;
        qint64 expected = 0; // rows of the score table: 应考
        qint64 classes = 0; // rows of the teacher table: 班级数
        QVector<qint64> sat; // per subject: scores present (参考)
        QVector<qint64> absent; // per subject: scores missing (缺考)
        QVector<qint64> teachers; // per subject: distinct teachers (教师)
    };
    struct ScoreOverview {
        enum class Status { Ready, MissingTable, NoSubject };
        Status status = Status::Ready;
        QStringList subjects;
        QVector<SchoolScores> schools; // every school of either table, in order
    };
    static const QString kScoreTable;
    static const QString kTeacherTable;
    static ScoreOverview ReadScoreOverview();
    // The subjects: the columns both tables hold, in the score table's order, leaving out the
    // columns that name a school, a class or a person.
    static QStringList Subjects(const QStringList &scoreColumns, const QStringList &teacherColumns);
};
