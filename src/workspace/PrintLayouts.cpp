#include "workspace/PrintLayouts.h"

#include "gridview/Grid.h"
#include "gridprint/Paginator.h"
#include "workspace/ColumnFit.h"
#include "workspace/frmDocument.h"

#include <QLineEdit>

#include <algorithm>


namespace {

constexpr int kExamineeWidth = 70;
constexpr int kExamineeLastWidth = 100;
constexpr int kRoomWidth = 83;
constexpr int kRoomRowHeight = 27;
constexpr double kRoomFontSize = 12;
constexpr int kReportHeaderHeight = 32;
// A fitted column is never narrower than this, whatever its texts.
constexpr int kFitMinWidth = 40;
constexpr int kStatisticsCountWidth = 45;
constexpr int kStatisticsSchoolWidth = 120;
constexpr int kStatisticsClassWidth = 70;

// The examinee and room lists: the columns that the lists rewrite with zero-filled and
// prefixed numbers lose their number mask, so those show exactly as written.
void FormatListColumn(Grid &grid, int col, int width)
{
    grid.Column(col).SetWidth(width);
    grid.Cell(0, col).SetWrapText(true);
    grid.Column(col).SetAlignment(GridAlignment::Centred);
    const QString header = grid.Cell(0, col).text();
    if (header == QStringLiteral("考号") || header == QStringLiteral("座位号") || header == QStringLiteral("考场"))
        grid.Column(col).SetMask(MaskNone);
}

// Statistics columns are counts, but for the key columns that name a school, a class or a
// person; a room column also takes the "合计" caption of the totals row.
void FormatStatisticsColumn(Grid &grid, int col)
{
    const QString header = grid.Cell(0, col).text();
    grid.Cell(0, col).SetWrapText(true);
    grid.Column(col).SetAlignment(GridAlignment::Centred);
    if (header == QStringLiteral("学校")) {
        grid.Column(col).SetWidth(kStatisticsSchoolWidth);
        grid.Column(col).SetMask(MaskNone);
    } else if (header == QStringLiteral("班级") || header == QStringLiteral("姓名")) {
        grid.Column(col).SetWidth(kStatisticsClassWidth);
        grid.Column(col).SetMask(MaskNone);
    } else if (header == QStringLiteral("考场")) {
        grid.Column(col).SetWidth(kStatisticsCountWidth);
        grid.Column(col).SetMask(MaskNone);
    } else {
        grid.Column(col).SetWidth(kStatisticsCountWidth);
        grid.Column(col).SetMask(MaskNumber);
        if (header.contains(QStringLiteral("平均")))
            grid.Column(col).SetFormatString(QStringLiteral("0.00"));
    }
}

// The room the columns from 1 on share on the paper, once the row numbers have theirs.
double RoomForColumns(Grid &grid, const ColumnFit &fit)
{
    if (fit.needed(0) > grid.Column(0).Width())
        grid.Column(0).SetWidth(fit.needed(0));
    double available = PrintLayouts::PrintableWidth(grid.PageSetup());
    if (grid.PageSetup().PrintFixedColumn)
        available -= grid.Column(0).Width();
    return available;
}

// The opening the two report layouts share: both titles, portrait paper with 1 cm sides, drawing
// off until the layout is done, a tall header row.
Grid &BeginReport(frmDocument &document)
{
    Grid &grid = *document.Grid1;
    PrintLayouts::AddMainTitle(grid, document.Text1->text(), 14);
    PrintLayouts::AddSecondTitle(grid, QStringLiteral("||"), 10);
    PrintLayouts::SetPaper(grid.PageSetup(), 1, 1);
    grid.SetAutoRedraw(false);
    grid.SetRowHeight(0, kReportHeaderHeight);
    return grid;
}

} // namespace

// A report's first line: the title box's text.
void PrintLayouts::AddMainTitle(Grid &grid, const QString &text, double size)
{
    ReportTitle title;
    title.text = text;
    title.Font.Name = QStringLiteral("宋体");
    title.Font.Size = size;
    title.PrintOnAllPages = true;
    grid.ReportTitles().Add(title);
}

void PrintLayouts::AddSecondTitle(Grid &grid, const QString &text, double size)
{
    ReportTitle title;
    title.text = text;
    title.Font.Name = QStringLiteral("Arial");
    title.Font.Size = size;
    title.AlignTo = 1;
    title.PrintOnAllPages = true;
    grid.ReportTitles().Add(title);
}

void PrintLayouts::SetPaper(::PageSetup &page, int orientation, double sideMargin)
{
    page.Orientation = orientation;
    page.LeftMargin = sideMargin;
    page.RightMargin = sideMargin;
    page.BlackAndWhite = true;
    page.PrintFixedRow = true;
    page.PrintGridlines = true;
    page.PrintTitleRows = 0;
    page.CenterHorizontally = true;
    page.TopMargin = 2;
    page.HeaderMargin = page.TopMargin - 1;
    page.BottomMargin = 2;
    page.FooterMargin = page.BottomMargin - 1;
    page.Footer = kFooter;
}

void PrintLayouts::ExamineeList(frmDocument &document)
{
    Grid &grid = *document.Grid1;
    AddMainTitle(grid, document.Text1->text(), 14);
    AddSecondTitle(grid, QStringLiteral("||"), 10);
    SetPaper(grid.PageSetup(), 1, 2);
    grid.PageSetup().PrintFixedColumn = true;
    grid.SetAutoRedraw(false);
    const int last = grid.Cols() - 1;
    for (int col = 1; col <= last; ++col)
        FormatListColumn(grid, col, col == last ? kExamineeLastWidth : kExamineeWidth);
    grid.Refresh();
    grid.SetAutoRedraw(true);
}

void PrintLayouts::RoomList(frmDocument &document, const QString &secondTitle, const QString &mode)
{
    Grid &grid = *document.Grid1;
    AddMainTitle(grid, document.Text1->text(), 18);
    if (mode == QStringLiteral("b"))
        AddSecondTitle(grid, secondTitle, 14);
    SetPaper(grid.PageSetup(), 1, 2);
    grid.PageSetup().PrintFixedColumn = true;
    grid.SetAutoRedraw(false);
    if (grid.Cols() > 1)
        grid.SetDefaultFontSize(kRoomFontSize);
    for (int col = 1; col < grid.Cols(); ++col)
        FormatListColumn(grid, col, kRoomWidth);
    for (int row = 0; row < grid.Rows(); ++row)
        grid.SetRowHeight(row, kRoomRowHeight);
    grid.Refresh();
    grid.SetAutoRedraw(true);
}

void PrintLayouts::ListReport(frmDocument &document)
{
    Grid &grid = BeginReport(document);
    ColumnFit fit(grid);
    for (int col = 1; col < grid.Cols(); ++col) {
        grid.Column(col).SetWidth(std::max(kFitMinWidth, fit.needed(col)));
        grid.Cell(0, col).SetWrapText(true);
        grid.Column(col).SetAlignment(GridAlignment::Centred);
    }
    fit.fitInto(RoomForColumns(grid, fit));
    grid.Refresh();
    grid.SetAutoRedraw(true);
}

void PrintLayouts::StatisticsReport(frmDocument &document)
{
    Grid &grid = BeginReport(document);
    for (int col = 1; col < grid.Cols(); ++col)
        FormatStatisticsColumn(grid, col);
    const double portrait = PrintableWidth(grid.PageSetup());
    FitReport(grid, [&](int width) { return grid.Column(0).Width() + width > portrait ? 2 : 1; });
    grid.Refresh();
    grid.SetAutoRedraw(true);
}

double PrintLayouts::PrintableWidth(const ::PageSetup &page)
{
    return Paginator::paperSize(page).width() - Paginator::fromCm(page.LeftMargin)
        - Paginator::fromCm(page.RightMargin);
}

void PrintLayouts::FitToPageWidth(Grid &grid)
{
    ColumnFit fit(grid);
    fit.fitInto(RoomForColumns(grid, fit));
}

void PrintLayouts::FitReport(Grid &grid, const std::function<int(int)> &orientation)
{
    ColumnFit fit(grid, ColumnFit::Wrapped::ByWidestWord);
    int width = 0;
    for (int col = 1; col < grid.Cols(); ++col)
        if (grid.Column(col).Width() > 0)
            width += std::max(grid.Column(col).Width(), fit.needed(col));
    grid.PageSetup().Orientation = orientation(width);
    fit.fitInto(RoomForColumns(grid, fit), ColumnFit::TooWide::SpanSheets);
}
