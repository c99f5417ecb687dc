#include "settings/SettingsCommands.h"

#include "settings/shezifrm.h"
#include "workspace/LoginGuard.h"
#include "workspace/frmMain.h"

#include <QAction>

void SettingsCommands::Connect(frmMain &window)
{
    if (QAction *shezhi = window.Command(QStringLiteral("shezhi"))) {
        shezhi->setEnabled(true);
        QObject::connect(shezhi, &QAction::triggered, &window, [] { shezhi_Click(); });
    }
}

void SettingsCommands::shezhi_Click()
{
    if (!gMainForm || !RequireLogin(gMainForm))
        return;
    shezifrm::Open(gMainForm);
}
