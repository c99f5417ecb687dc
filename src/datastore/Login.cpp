#include "datastore/Login.h"

#include "datastore/AppState.h"
#include "datastore/MainDatabaseScope.h"
#include "datastore/PasswordHash.h"

bool CheckLogin(const QString &user, const QString &password)
{
    MainDatabaseScope scope;
    db::Recordset users = gDb.OpenRecordset(
        QStringLiteral("SELECT feld2 FROM %1 WHERE feld1 = ?").arg(db::QuoteName(gUserTable)), { user });
    for (; !users.EOF(); users.MoveNext())
        if (PasswordHash::Matches(db::VbText(users.Fields(0).Value()), password))
            return true;
    return false;
}

bool LogIn(const QString &user, const QString &password)
{
    if (!CheckLogin(user, password))
        return false;
    gLoggedIn = true;
    gUserName = user;
    return true;
}

bool SetPassword(const QString &user, const QString &newPassword)
{
    MainDatabaseScope scope;
    return gDb.Execute(QStringLiteral("UPDATE %1 SET feld2 = ? WHERE feld1 = ?").arg(db::QuoteName(gUserTable)),
               { PasswordHash::Make(newPassword), user })
        > 0;
}
