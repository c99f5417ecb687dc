#pragma once

class frmMain;

// Wires 工具/设置 (shezhi) to the display settings window and enables it.
class SettingsCommands {
public:
    static void Connect(frmMain &window);
    // Shows the settings window when a user is logged in; otherwise says to log in first.
    static void shezhi_Click();
};
