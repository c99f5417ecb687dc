#pragma once

#include <QFont>
#include <QString>

#include <array>

class GridData;
struct ReportTitle;

// The texts printed around the grid (report titles, header, footer): their fonts and the
// height they take on the paper, in layout units (pixels at 96 dpi).
class PrintTexts {
public:
    static QFont titleFont(const ReportTitle &title);
    // A report title's texts: "|" parts it into its left, centred and right texts, so "||" is a
    // line of the title's height with nothing on it; a title without "|" is centred.
    static std::array<QString, 3> titleParts(const QString &text);
    // The height of a title's line wrapped to `width`: that of its tallest part.
    static double titleHeight(const ReportTitle &title, double width);
    // Header and footer: the grid's font family, small.
    static QFont marginFont(const GridData &data);
    // Height of `text` set in `font` and wrapped to `width`, with a little air below it.
    static double height(const QFont &font, const QString &text, double width);
    // A header or footer with "&n" as the page count and "&p" as the page number.
    static QString expand(const QString &text, int page, int count);
};
