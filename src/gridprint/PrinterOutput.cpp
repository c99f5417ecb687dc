#include "PrinterOutput.h"

#include "griddata/GridData.h"
#include "PagePainter.h"
#include "PdfWriter.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {

// The sheets to print, in the order the print dialog asked for: its pages only, the last first
// when so chosen, and each copy asked for when the printer cannot make copies itself (a PDF
// file cannot), the copies collated or each page's together.
QList<Page> sheets(const QPrinter &printer, const QList<Page> &pages)
{
    const QPageRanges ranges = printer.pageRanges();
    QList<Page> chosen;
    for (const Page &page : pages)
        if (ranges.isEmpty() || ranges.contains(page.number))
            chosen.append(page);
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        std::reverse(chosen.begin(), chosen.end());
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
    QList<Page> sheets;
    sheets.reserve(chosen.size() * copies);
    if (printer.collateCopies()) {
        for (int copy = 0; copy < copies; ++copy)
            sheets.append(chosen);
    } else {
        for (const Page &page : chosen)
            for (int copy = 0; copy < copies; ++copy)
                sheets.append(page);
    }
    return sheets;
}

} // namespace

bool PrinterOutput::print(QPrinter &printer, const GridData &data, QString *error)
{
    // Paper and orientation chosen for this printout lay the pages out afresh.
    const Paginator::Input input = layoutInput(printer, data);
    const QList<Page> pages = Paginator::paginate(input);
    const QList<Page> toPrint = sheets(printer, pages);
    // Pages asked for that the document does not have would print one blank sheet.
    if (toPrint.isEmpty() && !printer.pageRanges().isEmpty()) {
        if (error)
            *error = QStringLiteral("所选的页不在文档中：文档共 %1 页。没有打印。").arg(pages.size());
        return false;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return PdfWriter::write(printer.outputFileName(), data, input.setup, toPrint, int(pages.size()), error);
    PagePainter::setUpDevice(printer, input.setup);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = QStringLiteral("无法开始打印：%1").arg(printer.printerName());
        return false;
    }
    PagePainter::paintPages(painter, printer, data, toPrint, int(pages.size()));
    return painter.end();
}

Paginator::Input PrinterOutput::layoutInput(const QPrinter &printer, const GridData &data)
{
    Paginator::Input input = Paginator::inputOf(data);
    const QPageLayout layout = printer.pageLayout();
    input.setup.Orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    input.setup.PaperSize = layout.pageSize().id();
    // A printer set up from a grid draws on the whole sheet and carries the grid's margins,
    // perhaps changed in the print or page setup dialog; any other keeps the grid's own.
    if (printer.fullPage()) {
        // To a hundredth of a millimetre, so that the grid's own margins come back unchanged.
        const auto cm = [](double mm) { return std::round(mm * 100) / 1000; };
        const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
        input.setup.LeftMargin = cm(margins.left());
        input.setup.TopMargin = cm(margins.top());
        input.setup.RightMargin = cm(margins.right());
        input.setup.BottomMargin = cm(margins.bottom());
    }
    return input;
}
