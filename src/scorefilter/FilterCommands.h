#pragma once

class frmMain;

// Wires 编辑/筛选 (shaixwan) to the score-list filter window and enables it. No login is
// needed: the filter reads only the document in front of the user.
class FilterCommands {
public:
    static void Connect(frmMain &window);
    static void shaixwan_Click();
};
