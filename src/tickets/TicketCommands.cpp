#include "tickets/TicketCommands.h"

#include "tickets/zizhuo.h"
#include "workspace/LoginGuard.h"
#include "workspace/frmMain.h"

#include <QAction>
#include <QPointer>

namespace {

QPointer<zizhuo> &TheWindow()
{
    static QPointer<zizhuo> window;
    return window;
}

} // namespace

void TicketCommands::Connect(frmMain &window)
{
    if (QAction *command = window.Command(QStringLiteral("zhizhuo"))) {
        command->setEnabled(true);
        QObject::connect(command, &QAction::triggered, &window, [] { zhizhuo_Click(); });
    }
    QObject::connect(&window, &frmMain::AreaDataChanged, &window, [] {
        if (zizhuo *open = Window())
            open->RefreshAreaData();
    });
}

void TicketCommands::zhizhuo_Click()
{
    if (!RequireLogin(gMainForm))
        return;
    QPointer<zizhuo> &window = TheWindow();
    if (!window)
        window = new zizhuo(gMainForm);
    window->show();
    window->raise();
    window->activateWindow();
}

zizhuo *TicketCommands::Window()
{
    return TheWindow();
}
