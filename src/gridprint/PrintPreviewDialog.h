#pragma once

#include "PreviewPages.h"

#include <QDialog>
#include <QPageLayout>

#include <memory>

class GridData;
class QAction;
class QComboBox;
class QPrinter;
class QSpinBox;

// The print preview of a grid: the pages the printer and PDF get, drawn one by one as they
// come into view. Changing paper or orientation in the preview lays the pages out afresh for
// this printout only; the grid's own page setup stays as it is.
class PrintPreviewDialog : public QDialog {
    Q_OBJECT

public:
    // `zoom` in percent of the paper's real size. With `disablePrintButton` the preview only
    // shows: its print action is switched off.
    PrintPreviewDialog(const GridData &data, int zoom, bool disablePrintButton, QWidget *parent = nullptr);
    ~PrintPreviewDialog() override;

    // Shows the preview and returns when it is closed.
    static void run(const GridData &data, int zoom, bool disablePrintButton, QWidget *parent = nullptr);

    PreviewPages *pageView() const { return m_pages; }
    QAction *printAction() const { return m_print; }
    // The printer the preview's paper and orientation are set on, and 打印 prints to.
    QPrinter *printer() const { return m_printer.get(); }
    // Prints the pages with the paper and orientation `printer` is set to, those of its page
    // ranges only when it has some. False, with the reason in `error`, when nothing printed.
    bool printTo(QPrinter &printer, QString *error = nullptr);

private:
    void addToolBar();
    void layOutPages();
    void setOrientation(QPageLayout::Orientation orientation);
    void showOrientation();
    void showZoom(double zoom);
    void fit(PreviewPages::ZoomMode mode);
    void zoomToTyped();
    void zoomStep(int direction);
    void showPage(int page);
    void pageSetup();
    void print();

    std::unique_ptr<QPrinter> m_printer;
    const GridData &m_data;
    PreviewPages *m_pages = nullptr;
    QAction *m_print = nullptr;
    QAction *m_fitWidth = nullptr;
    QAction *m_fitPage = nullptr;
    QAction *m_portrait = nullptr;
    QAction *m_landscape = nullptr;
    QComboBox *m_zoomBox = nullptr;
    QSpinBox *m_pageBox = nullptr;
};
