#pragma once

#include <QString>

// Users of the current data area (table gUserTable: feld1 the name, feld2 the password hash).
// All of these open and close gDb and raise db::Error when the database cannot be used.

// Whether `user` exists with `password`. The name compares without regard to case.
bool CheckLogin(const QString &user, const QString &password);
// CheckLogin, and on success logs the user in (gLoggedIn, gUserName). A failed attempt
// leaves whoever was logged in before logged in.
bool LogIn(const QString &user, const QString &password);
// Gives `user` the password `newPassword`; returns false when there is no such user.
bool SetPassword(const QString &user, const QString &newPassword);
