#include "statistics/MixedRoomCheck.h"

#include "datastore/AppState.h"
#include "db/Error.h"
#include "prompts/Prompts.h"
#include "workspace/frmMain.h"

#include <QGuiApplication>

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
    for (int i = 1; i < seats.size(); ++i) {
        const StatisticsQueries::Seat &previous = seats.at(i - 1);
        const StatisticsQueries::Seat &seat = seats.at(i);
        if (seat.school == previous.school && seat.className == previous.className)
            findings << QStringLiteral("在第") + seat.room + QStringLiteral("考场有没混排的")
                    + QString::number(findings.size() + 1);
    }
    if (findings.isEmpty() && !seats.isEmpty())
        findings << QStringLiteral("全部混排");
    return findings;
}
