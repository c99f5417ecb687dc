#pragma once

class frmMain;

// Wires the statistics to the main window's menus and enables their items: 考场编排/统计
// (精简统计 jinjtj, the array tjschoo of 全面统计), 考场编排/混排检测 (hbjc), 数据信息/考生表信息
// (anbj, anxx) and 数据信息/成绩表信息 (cjbxx).
class StatisticsCommands {
public:
    static void Connect(frmMain &window);
};
