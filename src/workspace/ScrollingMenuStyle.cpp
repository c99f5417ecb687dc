#include "workspace/ScrollingMenuStyle.h"

#include <QApplication>
#include <QPointer>

QStyle *ScrollingMenuStyle::instance()
{
    // Menus use it until they are gone; the application outlives every window.
    static QPointer<QStyle> style;
    if (!style) {
        style = new ScrollingMenuStyle;
        style->setParent(qApp);
    }
    return style;
}

int ScrollingMenuStyle::styleHint(
    StyleHint hint, const QStyleOption *option, const QWidget *widget, QStyleHintReturn *returnData) const
{
    if (hint == SH_Menu_Scrollable)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
