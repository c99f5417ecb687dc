#pragma once

class frmMain;

// Wires the list commands to the main window's menus: the arrays gkc, gbj and gxx (浏览/按考场,
// 按班级, 按学校) and the command qzkh (各考场首尾考号). The commands themselves live in
// RoomList, ClassSchoolList and RoomRangeList under their menu handlers' names.
class ListCommands {
public:
    static void Connect(frmMain &window);
};
