#pragma once

#include <QString>

#include <functional>

class Grid;
class frmDocument;
struct PageSetup;

// The print layouts of the documents: report titles, page setup, column widths, header
// wrapping, alignment and masks, applied to one document after its grid is filled. The
// layouts add titles and never clear them, so they expect a grid without titles.
class PrintLayouts {
public:
    // The layout of the lists by class and by school: widths 70, the last column 100.
    static void ExamineeList(frmDocument &document);
    // The layout of a room's list: larger titles, widths 83, rows 27 high; the second title
    // line `secondTitle` only when `mode` is "b".
    static void RoomList(frmDocument &document, const QString &secondTitle, const QString &mode);
    static void ListReport(frmDocument &document);
    static void StatisticsReport(frmDocument &document);

    // Keeps a laid-out list one sheet wide. With every examinee column shown (the setting after
    // an import) the fixed list widths are wider than a portrait A4 page, and the list would
    // print as sheets side by side. A list that is too wide has its columns narrowed in
    // proportion until it fits; one that fits keeps the widths its layout gave it.
    static void FitToPageWidth(Grid &grid);
    // The statistics' rule: every column as wide as its texts need, none narrower than its
    // layout made it (a wrapping header by its widest word, which cannot break); the paper's
    // orientation chosen by `orientation` from the sum of those widths; then the columns fitted
    // into the page (ColumnFit: spare, then smaller type), a table still too wide printing on
    // sheets side by side rather than cutting a count.
    static void FitReport(Grid &grid, const std::function<int(int width)> &orientation);
    // Width in pixels that the paper of `page` offers between its side margins.
    static double PrintableWidth(const ::PageSetup &page);

    // The pieces every layout is made of. The first title is the title box's text in 宋体, the
    // second a line in Arial over the grid; both print on every page. The paper: gridlines in
    // black and white, centred, the fixed row repeated, 2 cm top and bottom with the header and
    // footer 1 cm from the edge, kFooter at the foot.
    static void AddMainTitle(Grid &grid, const QString &text, double size);
    static void AddSecondTitle(Grid &grid, const QString &text, double size);
    static void SetPaper(::PageSetup &page, int orientation, double sideMargin);

    static inline const QString kFooter = QStringLiteral("共&n页  第&p页");
};
