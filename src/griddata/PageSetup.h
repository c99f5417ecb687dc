#pragma once

#include <QPageSize>
#include <QString>

// How a grid goes onto paper. Margins are in centimetres, as a teacher measures them on the
// sheet; the header is printed inside the header margin and the footer inside the footer
// margin, each measured from its paper edge. "&n" in a header or footer stands for the page
// count and "&p" for the page number.
struct PageSetup {
    int Orientation = 1; // 1 portrait, 2 landscape
    double LeftMargin = 2.0;
    double RightMargin = 2.0;
    double TopMargin = 2.0;
    double BottomMargin = 2.0;
    double HeaderMargin = 1.0;
    double FooterMargin = 1.0;
    bool BlackAndWhite = false; // colours print as black on white
    bool PrintFixedRow = false; // row 0 repeats at the top of every page
    bool PrintFixedColumn = false; // column 0 repeats at the left of every page
    bool PrintGridlines = false; // thin lines where cells have no border of their own
    int PrintTitleRows = 0; // rows 1..N repeat at the top of every page
    bool CenterHorizontally = false;
    QString Header;
    int HeaderAlignment = 1; // 0 left, 1 centred, 2 right
    QString Footer;
    int FooterAlignment = 1; // 0 left, 1 centred, 2 right
    QPageSize::PageSizeId PaperSize = QPageSize::A4;

    bool operator==(const PageSetup &) const = default;
};
