#pragma once

class frmMain;
class zizhuo;

// Wires the menu command 制作准考证 (zhizhuo) to the ticket window: shown for a logged-in user,
// made on first use, one at a time. The window follows imports and changes of data area.
class TicketCommands {
public:
    static void Connect(frmMain &window);
    static void zhizhuo_Click();
    // The open ticket window, or nullptr.
    static zizhuo *Window();
};
