#pragma once

#include <QString>
#include <QStringList>

#include <array>

// What the ticket window asks a ticket job for, read from its controls when OK is pressed.
struct TicketOrder {
    int perPage = 2; // 2 标准型, 3 经济型: tickets to an A4 landscape page
    bool stacked = false; // 叠式打印 instead of 顺序打印
    bool byClass = true; // 按班级打印 instead of 按考场打印
    // The texts of the grouping lists the window shows, in order: the school and its class (or
    // classes), or the room (or rooms). An empty text: nothing chosen there.
    QStringList choices;
    bool photos = false;
    QString photoFolder;
    QString photoColumn; // 姓名 or 考号
    // For template rows 4 to 9, the position in the ticket columns of the column the row prints.
    std::array<int, 10> boundField { 0, 0, 0, 0, 0, 1, 2, 3, 4, 5 };
};
