#include "scorefilter/FilterCommands.h"

#include "scorefilter/frmshaixuan.h"
#include "workspace/frmMain.h"

#include <QAction>

void FilterCommands::Connect(frmMain &window)
{
    if (QAction *shaixwan = window.Command(QStringLiteral("shaixwan"))) {
        shaixwan->setEnabled(true);
        QObject::connect(shaixwan, &QAction::triggered, &window, [] { shaixwan_Click(); });
    }
}

void FilterCommands::shaixwan_Click()
{
    if (gMainForm)
        frmshaixuan::Open(gMainForm);
}
