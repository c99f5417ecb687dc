#pragma once

#include <QPrintPreviewDialog>

#include <memory>

class GridData;
class QAction;
class QPrintPreviewWidget;

// The print preview of a grid: Qt's preview window over the same pages the printer and PDF
// get. Changing paper or orientation in the preview lays the pages out afresh for this
// printout only; the grid's own page setup stays as it is.
class PrintPreviewDialog : public QPrintPreviewDialog {
public:
    // `zoom` in percent of the paper's real size. With `disablePrintButton` the preview only
    // shows: its print action is switched off.
    PrintPreviewDialog(const GridData &data, int zoom, bool disablePrintButton, QWidget *parent = nullptr);
    ~PrintPreviewDialog() override;

    // Shows the preview and returns when it is closed.
    static void run(const GridData &data, int zoom, bool disablePrintButton, QWidget *parent = nullptr);

    QPrintPreviewWidget *previewWidget() const;
    QAction *printAction() const;

private:
    PrintPreviewDialog(
        std::unique_ptr<QPrinter> printer, const GridData &data, int zoom, bool disablePrintButton, QWidget *parent);
    void paintPages(QPrinter *printer);
    QAction *actionCaptioned(const char *caption) const;

    std::unique_ptr<QPrinter> m_printer;
    const GridData &m_data;
};
