#include "datastore/Login.h"

#include "datastore/AppState.h"
#include "datastore/MainDatabaseScope.h"
#include "datastore/PasswordHash.h"

bool CheckLogin(const QString &user, const QString &password)
{
    MainDatabaseScope scope;
    db::Recordset users = gDb.OpenRecordset(
        QStringLiteral("SELECT feld1, feld2 FROM %1 WHERE feld1 = ?").arg(db::QuoteName(gUserTable)), { user });
    if (users.EOF()) {
        PasswordHash::MatchNothing(password);
        return false;
    }
    for (; !users.EOF(); users.MoveNext()) {
        const QString stored = db::VbText(users.Fields(1).Value());
        if (!PasswordHash::Matches(stored, password))
            continue;
        // A hash of an older form is replaced now that the password is known; the next login
        // reads the current one.
        if (PasswordHash::NeedsRehash(stored))
            gDb.Execute(
                QStringLiteral("UPDATE %1 SET feld2 = ? WHERE feld1 = ? AND feld2 = ?").arg(db::QuoteName(gUserTable)),
                { PasswordHash::Make(password), users.Fields(0).Value(), stored });
        return true;
    }
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
