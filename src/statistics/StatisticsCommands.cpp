#include "statistics/StatisticsCommands.h"

#include "statistics/InformationReports.h"
#include "statistics/MixedRoomCheck.h"
#include "statistics/RoomStatistics.h"
#include "statistics/ScoreOverviewReport.h"
#include "workspace/frmMain.h"

#include <QAction>
#include <QMenu>

#include <functional>

void StatisticsCommands::Connect(frmMain &window)
{
    QObject::connect(&window, &frmMain::MenuArrayClicked, &window, [](const QString &array, int index) {
        if (array == QStringLiteral("tjschoo"))
            RoomStatistics::tjschoo_Click(index);
    });
    // The submenu itself too: a menu shows its submenu's item greyed while the submenu is
    // disabled, whatever the item's action says.
    if (QAction *full = window.Command(QStringLiteral("qmtj"))) {
        full->setEnabled(true);
        if (QMenu *schools = full->menu())
            schools->setEnabled(true);
    }
    const std::pair<const char *, std::function<void()>> commands[] = {
        { "jinjtj", [] { RoomStatistics::jinjtj_Click(); } },
        { "hbjc", [] { MixedRoomCheck::hbjc_Click(); } },
        { "anbj", [] { InformationReports::anbj_Click(); } },
        { "anxx", [] { InformationReports::anxx_Click(); } },
        { "cjbxx", [] { ScoreOverviewReport::cjbxx_Click(); } },
    };
    for (const auto &[name, command] : commands) {
        if (QAction *action = window.Command(QString::fromLatin1(name))) {
            action->setEnabled(true);
            QObject::connect(action, &QAction::triggered, &window, command);
        }
    }
}
