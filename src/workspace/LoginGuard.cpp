#include "workspace/LoginGuard.h"

#include "datastore/AppState.h"
#include "prompts/Prompts.h"

#include <QGuiApplication>

bool RequireLogin(QWidget *parent)
{
    if (gLoggedIn)
        return true;
    Prompts::instance().message(
        parent, kNotLoggedInMessage, QGuiApplication::applicationDisplayName(), QMessageBox::NoIcon, QMessageBox::Ok);
    return false;
}
