#include "PagePainter.h"

#include "griddata/GridData.h"
#include "PdfTexts.h"
#include "PrintTexts.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>

namespace {

constexpr double LayoutDpi = 96.0;
// Pages are drawn at least this fine, so that photos and thin lines come out sharp on paper;
// a printer that resolves more keeps its own resolution.
constexpr int PrintDpi = 300;

Qt::Alignment horizontalFlag(int alignment)
{
    switch (alignment) {
    case 0:
        return Qt::AlignLeft;
    case 2:
        return Qt::AlignRight;
    default:
        return Qt::AlignHCenter;
    }
}

// Rows and columns of a page come in two runs: the repeated ones, then the body. A merged
// block is drawn within one run.
struct Run {
    int begin = 0;
    int end = 0;
};

Run runOf(int line, int repeated, qsizetype count)
{
    return line < repeated ? Run { 0, repeated } : Run { repeated, int(count) };
}

// The first row of a block that prints anywhere in the document: row 0 only when the fixed
// row prints, and never a hidden row. -1 when none does.
int anchorRow(const GridData &data, const CellRange &block)
{
    for (int row = block.row1; row <= block.row2; ++row)
        if (data.rowHeight(row) > 0 && (row > 0 || data.pageSetup().PrintFixedRow))
            return row;
    return -1;
}

int anchorCol(const GridData &data, const CellRange &block)
{
    for (int col = block.col1; col <= block.col2; ++col)
        if (data.colWidth(col) > 0 && (col > 0 || data.pageSetup().PrintFixedColumn))
            return col;
    return -1;
}

// The last line of the run, from `line` on, that still belongs to the block.
int lastLineWithin(const QList<Page::Line> &lines, int line, Run run, int lastIndex)
{
    while (line + 1 < run.end && lines[line + 1].index <= lastIndex)
        ++line;
    return line;
}

// The part of a block a page shows, stretched over the block's hidden rows and columns next
// to it, so that a page showing all that prints of a block shows the whole block.
CellRange widenedOverHidden(const GridData &data, const CellRange &block, CellRange part)
{
    while (part.row1 > block.row1 && data.rowHeight(part.row1 - 1) == 0)
        --part.row1;
    while (part.row2 < block.row2 && data.rowHeight(part.row2 + 1) == 0)
        ++part.row2;
    while (part.col1 > block.col1 && data.colWidth(part.col1 - 1) == 0)
        --part.col1;
    while (part.col2 < block.col2 && data.colWidth(part.col2 + 1) == 0)
        ++part.col2;
    return part;
}

void paintTitles(QPainter &painter, const GridData &data, const Page &page)
{
    for (const Page::Title &title : page.titles) {
        const ReportTitle &source = data.reportTitles().Item(title.index);
        painter.setFont(CellPainter::fontForPainter(PrintTexts::titleFont(source), painter));
        // A title over the grid keeps to one line, centred on the grid even where it is wider;
        // one between the margins wraps there, as it was measured.
        const int wrap = source.AlignTo == 1 ? 0 : Qt::TextWordWrap;
        const std::array<QString, 3> parts = PrintTexts::titleParts(source.text);
        const Qt::Alignment sides[] = { Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight };
        for (size_t i = 0; i < parts.size(); ++i)
            if (!parts[i].isEmpty())
                PdfTexts::drawText(painter, title.rect, sides[i] | Qt::AlignTop | wrap, parts[i]);
    }
}

void paintMargins(QPainter &painter, const GridData &data, const Page &page, int pageCount)
{
    const PageSetup &setup = data.pageSetup();
    painter.setFont(CellPainter::fontForPainter(PrintTexts::marginFont(data), painter));
    if (!setup.Header.isEmpty())
        PdfTexts::drawText(painter, page.header, horizontalFlag(setup.HeaderAlignment) | Qt::AlignTop | Qt::TextWordWrap,
            PrintTexts::expand(setup.Header, page.number, pageCount));
    if (!setup.Footer.isEmpty())
        PdfTexts::drawText(painter, page.footer, horizontalFlag(setup.FooterAlignment) | Qt::AlignBottom | Qt::TextWordWrap,
            PrintTexts::expand(setup.Footer, page.number, pageCount));
}

} // namespace

std::vector<PlacedCell> PagePainter::placedCells(const GridData &data, const Page &page)
{
    std::vector<PlacedCell> cells;
    cells.reserve(size_t(page.rows.size()) * size_t(page.cols.size()));
    const QPointF origin = page.grid.topLeft();
    for (int i = 0; i < page.rows.size(); ++i) {
        const Page::Line &row = page.rows[i];
        for (int j = 0; j < page.cols.size(); ++j) {
            const Page::Line &col = page.cols[j];
            const CellRange block = data.mergeAt(row.index, col.index);
            if (block.isSingleCell()) {
                cells.push_back(PlacedCell { row.index, col.index,
                    QRectF(origin.x() + col.offset, origin.y() + row.offset, col.size, row.size) });
                continue;
            }
            const Run colRun = runOf(j, page.repeatedCols, page.cols.size());
            const bool firstColHere = j == colRun.begin || page.cols[j - 1].index < block.col1;
            if (row.index != anchorRow(data, block) || !firstColHere)
                continue;
            const int lastRow = lastLineWithin(page.rows, i, runOf(i, page.repeatedRows, page.rows.size()), block.row2);
            const int lastCol = lastLineWithin(page.cols, j, colRun, block.col2);
            const QRectF rect(QPointF(origin.x() + col.offset, origin.y() + row.offset),
                QPointF(origin.x() + page.cols[lastCol].end(), origin.y() + page.rows[lastRow].end()));
            const bool startsHere = col.index == anchorCol(data, block);
            const CellRange part { row.index, col.index, page.rows[lastRow].index, page.cols[lastCol].index };
            PlacedCell placed(block.row1, block.col1, rect);
            placed.part = widenedOverHidden(data, block, part);
            placed.withContent = startsHere;
            cells.push_back(placed);
        }
    }
    return cells;
}

CellPaintOptions PagePainter::paperOptions(const PageSetup &setup)
{
    CellPaintOptions options;
    options.gridlines = setup.PrintGridlines;
    options.gridlineColor = Qt::black;
    options.blackAndWhite = setup.BlackAndWhite;
    options.fixedAsHeader = false;
    options.selectionTint = Qt::transparent;
    options.paper = Qt::white;
    options.cosmeticLines = true;
    return options;
}

void PagePainter::paintPage(
    QPainter &painter, const GridData &data, const Page &page, int pageCount, const PdfPictures *pdfPictures)
{
    painter.save();
    const QPaintDevice *device = painter.device();
    painter.scale(device->logicalDpiX() / LayoutDpi, device->logicalDpiY() / LayoutDpi);
    painter.setPen(Qt::black);
    paintTitles(painter, data, page);
    paintMargins(painter, data, page, pageCount);
    CellPaintOptions options = paperOptions(data.pageSetup());
    options.pdfPictures = pdfPictures;
    CellPainter::paintCells(painter, data, placedCells(data, page), options);
    painter.restore();
}

void PagePainter::paintPages(
    QPainter &painter, QPagedPaintDevice &device, const GridData &data, const QList<Page> &sheets, int pageCount)
{
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        if (i > 0)
            device.newPage();
        paintPage(painter, data, sheets[i], pageCount);
    }
}

void PagePainter::setUpDevice(QPagedPaintDevice &device, const PageSetup &setup)
{
    // Layout units are scaled to the device when a page is drawn, fonts included, so the
    // resolution only decides how sharp the paper comes out.
    if (auto *printer = dynamic_cast<QPrinter *>(&device)) {
        printer->setFullPage(true);
        printer->setResolution(std::max(printer->resolution(), PrintDpi));
    } else if (auto *pdf = dynamic_cast<QPdfWriter *>(&device)) {
        // A PDF is drawn in layout units as they are: with no scale on the painter, Qt writes
        // lines, fills and texts as they come instead of wrapping each in a transform, and
        // draws lines as lines rather than as outlines. Its photos keep 300 dpi all the same.
        pdf->setResolution(int(LayoutDpi));
    }
    const QPageSize paper(setup.PaperSize);
    QPageLayout layout(paper.isValid() ? paper : QPageSize(QPageSize::A4),
        setup.Orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
    // A printer draws on the whole sheet all the same; its margins are the grid's, so that the
    // print and page setup dialogs show the margins the paper gets, and a change made there
    // reaches the printout (PrinterOutput reads them back).
    if (auto *printer = dynamic_cast<QPrinter *>(&device)) {
        QPageLayout withMargins = layout;
        withMargins.setMode(QPageLayout::FullPageMode);
        withMargins.setUnits(QPageLayout::Millimeter);
        if (withMargins.setMargins(
                QMarginsF(setup.LeftMargin, setup.TopMargin, setup.RightMargin, setup.BottomMargin) * 10)
            && printer->setPageLayout(withMargins))
            return;
    }
    device.setPageLayout(layout);
}
