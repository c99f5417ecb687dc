#pragma once

#include "datastore/StatisticsQueries.h"

#include <QStringList>
#include <QVector>

// 考场编排/混排检测: an arrangement is mixed when no two examinees of one class follow each other
// in exam-number order. Every such pair is reported with the room of its second examinee, across
// room boundaries too; "全部混排" when there is none. Needs no login and changes nothing.
class MixedRoomCheck {
public:
    static const QString kNoneArranged;

    static void hbjc_Click();

    // The messages of the walk over `seats` (in exam-number order): one per pair, numbered from
    // 1; "全部混排" alone when there is no pair; none for no examinee. Examinees in no room are
    // left out of the walk; when no examinee sits in a room, kNoneArranged alone. A class is one school's
    // class: school and class are compared apart, so 一中 class 12 is not 一中1 class 2.
    static QStringList Findings(const QVector<StatisticsQueries::Seat> &seats);
};
