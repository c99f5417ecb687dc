#pragma once

#include <QPointer>
#include <QWidget>

// The windows the program shows one at a time (settings, filter): the one open is brought
// forward as it stands; when there is none, a new one is made, which reads its data afresh.
template <typename Window> Window *ShowSingleWindow(QPointer<Window> &open, QWidget *parent)
{
    if (!open)
        open = new Window(parent);
    open->show();
    open->raise();
    open->activateWindow();
    return open;
}
