#include "statistics/MixedRoomCheck.h"

#include "datastore/AppState.h"
#include "db/Error.h"
#include "prompts/Prompts.h"
#include "workspace/frmMain.h"

#include <QGuiApplication>

const QString MixedRoomCheck::kNoneArranged
    = QStringLiteral("考生都没有考号或考场（考场还没有编排），没有可检测混排的考生。");

void MixedRoomCheck::hbjc_Click()
{
    QVector<StatisticsQueries::Seat> seats;
    try {
        seats = StatisticsQueries::SeatsInExamOrder(gExamineeTable);
    } catch (const db::Error &) {
        // No examinee table, or one without the columns of an arrangement: nothing to check.
        return;
    }
    for (const QString &finding : Findings(seats))
        Prompts::instance().message(
            gMainForm, finding, QGuiApplication::applicationDisplayName(), QMessageBox::NoIcon, QMessageBox::Ok);
}

QStringList MixedRoomCheck::Findings(const QVector<StatisticsQueries::Seat> &seats)
{
    QStringList findings;
    const StatisticsQueries::Seat *previous = nullptr;
    for (const StatisticsQueries::Seat &seat : seats) {
        if (!seat.arranged)
            continue;
        if (previous && seat.school == previous->school && seat.className == previous->className)
            findings << QStringLiteral("在第") + seat.room + QStringLiteral("考场有没混排的")
                    + QString::number(findings.size() + 1);
        previous = &seat;
    }
    if (!previous && !seats.isEmpty())
        findings << kNoneArranged;
    else if (findings.isEmpty() && previous)
        findings << QStringLiteral("全部混排");
    return findings;
}
