#pragma once

#include <QString>

// A line printed above the grid: the list's title, a room's first and last number. Titles stack
// in the order they were added.
struct ReportTitle {
    struct TitleFont {
        QString Name = QStringLiteral("宋体");
        double Size = 12; // points

        bool operator==(const TitleFont &) const = default;
    };

    QString text;
    TitleFont Font;
    // 0 centres the title between the page margins, 1 centres it over the printed grid.
    int AlignTo = 0;
    // False prints the title on the first page only.
    bool PrintOnAllPages = false;

    bool operator==(const ReportTitle &) const = default;
};
