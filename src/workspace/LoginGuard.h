#pragma once

#include <QString>

class QWidget;

// The text every guarded command shows when nobody is logged in.
inline const QString kNotLoggedInMessage = QStringLiteral("你还没有登录，请先登录。在菜单：文件/登录 下 登录。");

// The test at the head of every command that changes or lists arrangement data: true when a
// user is logged in; otherwise shows kNotLoggedInMessage (under the program's title, OK only)
// and returns false, and the command does nothing else.
bool RequireLogin(QWidget *parent = nullptr);
