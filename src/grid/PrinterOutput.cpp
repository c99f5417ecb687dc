#include "PrinterOutput.h"

#include "GridData.h"
#include "PagePainter.h"
#include "PdfWriter.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

bool PrinterOutput::print(QPrinter &printer, const GridData &data, QString *error)
{
    // Paper and orientation chosen for this printout lay the pages out afresh.
    const Paginator::Input input = layoutInput(printer, data);
    const QList<Page> pages = Paginator::paginate(input);
    // Pages asked for that the document does not have would print one blank sheet.
    const QPageRanges ranges = printer.pageRanges();
    if (!ranges.isEmpty() && std::none_of(pages.begin(), pages.end(), [&ranges](const Page &page) {
            return ranges.contains(page.number);
        })) {
        if (error)
            *error = QStringLiteral("所选的页不在文档中：文档共 %1 页。没有打印。").arg(pages.size());
        return false;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        return PdfWriter::write(printer.outputFileName(), data, input.setup, pages, printer.pageRanges(), error);
    PagePainter::setUpDevice(printer, input.setup);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = QStringLiteral("无法开始打印：%1").arg(printer.printerName());
        return false;
    }
    PagePainter::paintPages(painter, printer, data, pages, printer.pageRanges());
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
