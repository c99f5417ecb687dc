#pragma once

#include <QFont>
#include <QString>

class GridData;
struct ReportTitle;

// The texts printed around the grid (report titles, header, footer): their fonts and the
// height they take on the paper, in layout units (pixels at 96 dpi).
class PrintTexts {
public:
    static QFont titleFont(const ReportTitle &title);
    // Header and footer: the grid's font family, small.
    static QFont marginFont(const GridData &data);
    // Height of `text` set in `font` and wrapped to `width`, with a little air below it.
    static double height(const QFont &font, const QString &text, double width);
    // A header or footer with "&n" as the page count and "&p" as the page number.
    static QString expand(const QString &text, int page, int count);
};
