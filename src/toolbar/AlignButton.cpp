#include "toolbar/AlignButton.h"

namespace {

SpriteLayout alignLayout()
{
    SpriteLayout layout;
    for (const char *row : { "top", "middle", "bottom" })
        for (const char *column : { "left", "centre", "right" })
            layout.icons << QStringLiteral(":/icons/align-%1-%2").arg(QLatin1String(row), QLatin1String(column));
    layout.faceIcon = QPoint(3, 3);
    layout.iconInset = QPoint(3, 3);
    layout.panel = QSize(88, 85);
    layout.cells = CellGrid { QPoint(5, 5), QSize(28, 27), QSize(22, 21), 3, 3 };
    layout.tooltip = QStringLiteral("对齐方式");
    return layout;
}

} // namespace

AlignButton::AlignButton(QWidget *parent)
    : SpriteButton(alignLayout(), parent)
{
}

void AlignButton::ShowAlignList()
{
    showList();
}

void AlignButton::openPanel()
{
    ShowAlignList();
}
