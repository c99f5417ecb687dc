#include "toolbar/BorderButton.h"

namespace {

SpriteLayout borderLayout()
{
    SpriteLayout layout;
    for (const char *name : { "none", "top", "bottom", "left", "right", "rising", "falling", "cross", "frame",
             "thick-frame", "all", "thick-all" })
        layout.icons << QStringLiteral(":/icons/border-%1").arg(QLatin1String(name));
    layout.faceIcon = QPoint(4, 4);
    layout.iconInset = QPoint(3, 3);
    layout.panel = QSize(104, 79);
    layout.cells = CellGrid { QPoint(5, 5), QSize(25, 25), QSize(19, 19), 4, 3 };
    layout.tooltip = QStringLiteral("框线");
    return layout;
}

} // namespace

BorderButton::BorderButton(QWidget *parent)
    : SpriteButton(borderLayout(), parent)
{
}

void BorderButton::ShowBorderList()
{
    showList();
}

void BorderButton::openPanel()
{
    ShowBorderList();
}
