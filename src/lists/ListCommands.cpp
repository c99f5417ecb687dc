#include "lists/ListCommands.h"

#include "lists/ClassSchoolList.h"
#include "lists/RoomList.h"
#include "lists/RoomRangeList.h"
#include "workspace/frmMain.h"

#include <QAction>

void ListCommands::Connect(frmMain &window)
{
    QObject::connect(&window, &frmMain::MenuArrayClicked, &window, [](const QString &array, int index) {
        if (array == QStringLiteral("gkc"))
            RoomList::gkc_Click(index);
        else if (array == QStringLiteral("gbj"))
            ClassSchoolList::gbj_Click(index);
        else if (array == QStringLiteral("gxx"))
            ClassSchoolList::gxx_Click(index);
    });
    if (QAction *qzkh = window.Command(QStringLiteral("qzkh"))) {
        QObject::connect(qzkh, &QAction::triggered, &window, [] { RoomRangeList::qzkh_Click(); });
    }
}
