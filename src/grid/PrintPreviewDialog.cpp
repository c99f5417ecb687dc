#include "PrintPreviewDialog.h"

#include "GridData.h"
#include "PagePainter.h"
#include "Paginator.h"

#include <QAction>
#include <QCoreApplication>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>

PrintPreviewDialog::PrintPreviewDialog(const GridData &data, int zoom, bool disablePrintButton, QWidget *parent)
    : PrintPreviewDialog(std::make_unique<QPrinter>(), data, zoom, disablePrintButton, parent)
{
}

PrintPreviewDialog::PrintPreviewDialog(
    std::unique_ptr<QPrinter> printer, const GridData &data, int zoom, bool disablePrintButton, QWidget *parent)
    : QPrintPreviewDialog(printer.get(), parent)
    , m_printer(std::move(printer))
    , m_data(data)
{
    setWindowTitle(QStringLiteral("打印预览"));
    if (const QScreen *screen = this->screen())
        resize(screen->availableSize() * 0.8);
    PagePainter::setUpDevice(*m_printer, data.pageSetup());
    connect(this, &QPrintPreviewDialog::paintRequested, this, &PrintPreviewDialog::paintPages);
    if (QPrintPreviewWidget *preview = previewWidget()) {
        preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
        preview->setZoomFactor(std::max(zoom, 1) / 100.0);
        // The dialog opens with "fit page" pressed; a set zoom is no fit.
        for (const char *fit : { "Fit width", "Fit page" })
            if (QAction *action = actionCaptioned(fit))
                action->setChecked(false);
    }
    if (QAction *print = printAction())
        print->setEnabled(!disablePrintButton);
}

PrintPreviewDialog::~PrintPreviewDialog() = default;

void PrintPreviewDialog::run(const GridData &data, int zoom, bool disablePrintButton, QWidget *parent)
{
    PrintPreviewDialog dialog(data, zoom, disablePrintButton, parent);
    dialog.exec();
}

QPrintPreviewWidget *PrintPreviewDialog::previewWidget() const
{
    return findChild<QPrintPreviewWidget *>();
}

QAction *PrintPreviewDialog::printAction() const
{
    return actionCaptioned("Print");
}

QAction *PrintPreviewDialog::actionCaptioned(const char *caption) const
{
    // Qt gives its preview actions no names; they are known by their captions.
    const QString text = QCoreApplication::translate("QPrintPreviewDialog", caption);
    for (QAction *action : findChildren<QAction *>())
        if (action->text() == text)
            return action;
    return nullptr;
}

void PrintPreviewDialog::paintPages(QPrinter *printer)
{
    // The preview's own paper and orientation buttons act on the printer: follow them.
    Paginator::Input input = Paginator::inputOf(m_data);
    const QPageLayout layout = printer->pageLayout();
    input.setup.Orientation = layout.orientation() == QPageLayout::Landscape ? 2 : 1;
    input.setup.PaperSize = layout.pageSize().id();
    // Choosing a printer in the print dialog may bring that printer's own settings along.
    PagePainter::setUpDevice(*printer, input.setup);
    QPainter painter(printer);
    PagePainter::paintPages(painter, *printer, m_data, Paginator::paginate(input), printer->pageRanges());
}
