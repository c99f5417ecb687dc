#include "grid/PrintPreviewDialog.h"
#include "grid/GridData.h"
#include "grid/PreviewPages.h"
#include "PdfPageCount.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace {

// 86 rows of 25 pixels: three A4 pages upright.
GridData threePages()
{
    GridData data;
    data.setRows(87);
    for (int row = 0; row < data.rows(); ++row) {
        data.setRowHeight(row, 25);
        data.setText(row, 1, QString::number(row));
    }
    return data;
}

void paintRed(GridData &data, int row, int col)
{
    CellStyle red = data.style(row, col);
    red.backColor = 0x0000FF;
    data.setStyle(row, col, red);
}

bool isRed(const QColor &c)
{
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

// A thousand pages of two rows each; only page 500 carries a red cell.
constexpr int MarkedPage = 500;
GridData thousandPages()
{
    GridData data;
    data.setCols(3);
    data.setRows(2001);
    for (int row = 1; row < data.rows(); ++row)
        data.setText(row, 1, QString::number(row));
    for (int page = 1; page < 1000; ++page)
        data.hPageBreaks().Add(1 + page * 2);
    paintRed(data, 2 * MarkedPage - 1, 1);
    return data;
}

int redPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += isRed(image.pixelColor(x, y));
    return count;
}

// A4 at `zoom` on a 96 dpi screen.
QSize a4At(double zoom)
{
    return QSize(qRound(210 / 25.4 * 96 * zoom), qRound(297 / 25.4 * 96 * zoom));
}

class PrintPreviewDialogTest : public ::testing::Test {
protected:
    // Shows the preview and has its pages in view painted.
    static void showAndPaint(PrintPreviewDialog &preview)
    {
        preview.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
        preview.pageView()->grab();
    }
    static QAction *action(const PrintPreviewDialog &preview, const char *name)
    {
        QAction *found = preview.findChild<QAction *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};

TEST_F(PrintPreviewDialogTest, ShowsThePagesAtTheZoomAskedWithPrintingAsAsked)
{
    const GridData data = threePages();
    PrintPreviewDialog preview(data, 75, true);
    EXPECT_EQ(preview.windowTitle(), "打印预览");
    EXPECT_TRUE(preview.isModal());
    ASSERT_NE(preview.printAction(), nullptr);
    EXPECT_FALSE(preview.printAction()->isEnabled());
    ASSERT_NE(preview.pageView(), nullptr);
    EXPECT_DOUBLE_EQ(preview.pageView()->zoomFactor(), 0.75);
    EXPECT_EQ(preview.pageView()->pageCount(), 3);
    EXPECT_EQ(preview.pageView()->pageSize(), a4At(0.75));
    EXPECT_EQ(preview.findChild<QComboBox *>("zoomBox")->currentText(), "75%");
    EXPECT_EQ(preview.findChild<QSpinBox *>("pageBox")->text(), "1 / 3");
    EXPECT_FALSE(action(preview, "fitWidth")->isChecked()) << "a zoom asked for is no fit";
    EXPECT_FALSE(action(preview, "fitPage")->isChecked());

    PrintPreviewDialog printable(data, 100, false);
    ASSERT_NE(printable.printAction(), nullptr);
    EXPECT_TRUE(printable.printAction()->isEnabled());
}

// Only the pages in view are drawn; going far down draws the page gone to, with its own ink,
// and drops the pages left behind.
TEST_F(PrintPreviewDialogTest, ThousandPagesAreDrawnOnlyAsTheyComeIntoView)
{
    const GridData data = thousandPages();
    PrintPreviewDialog preview(data, 100, true);
    PreviewPages *pages = preview.pageView();
    showAndPaint(preview);
    ASSERT_EQ(pages->pageCount(), 1000);
    EXPECT_GE(pages->renderedCount(), 1);
    EXPECT_LE(pages->renderedCount(), 3);
    const QImage first = pages->cachedImage(1);
    ASSERT_FALSE(first.isNull());
    EXPECT_EQ(redPixels(first), 0);

    const int before = pages->renderedCount();
    pages->setCurrentPage(MarkedPage);
    pages->grab();
    EXPECT_LE(pages->renderedCount() - before, 3);
    const QImage marked = pages->cachedImage(MarkedPage);
    ASSERT_FALSE(marked.isNull()) << "the page gone to is drawn";
    EXPECT_GT(redPixels(marked), 100) << "and it is that page";
    for (int kept : pages->cachedPages())
        EXPECT_LE(std::abs(kept - MarkedPage), 3) << "page " << kept << " is still kept";

    // Scrolling on page by page draws each page as it arrives.
    for (int step = 0; step < 5; ++step) {
        pages->verticalScrollBar()->setValue(pages->verticalScrollBar()->value() + pages->viewport()->height());
        pages->grab();
    }
    EXPECT_GT(pages->currentPage(), MarkedPage);
    EXPECT_FALSE(pages->cachedImage(pages->currentPage()).isNull());
    EXPECT_LE(pages->cachedPages().size(), 6);
}

TEST_F(PrintPreviewDialogTest, ZoomsAsAskedFitsAndStepsWithinItsLimits)
{
    const GridData data = threePages();
    const auto typed = [](PrintPreviewDialog &preview, const QString &text) {
        QComboBox *box = preview.findChild<QComboBox *>("zoomBox");
        box->lineEdit()->setText(text);
        emit box->lineEdit()->editingFinished();
    };
    const struct {
        const char *what;
        std::function<void(PrintPreviewDialog &)> act;
        double zoom;
        QString shown;
    } cases[] = {
        { "typed with a percent sign", [&](auto &p) { typed(p, "150%"); }, 1.5, "150%" },
        { "typed without", [&](auto &p) { typed(p, " 40 "); }, 0.4, "40%" },
        { "typed too large", [&](auto &p) { typed(p, "900"); }, 4.0, "400%" },
        { "typed too small", [&](auto &p) { typed(p, "3"); }, 0.1, "10%" },
        { "typed empty", [&](auto &p) { typed(p, ""); }, 0.75, "75%" },
        { "zoomed in", [](auto &p) { action(p, "zoomIn")->trigger(); }, 1.0, "100%" },
        { "zoomed out", [](auto &p) { action(p, "zoomOut")->trigger(); }, 0.5, "50%" },
        { "zoomed in at the top", [&](auto &p) { typed(p, "400"); action(p, "zoomIn")->trigger(); }, 4.0, "400%" },
        { "zoomed out at the bottom", [&](auto &p) { typed(p, "10"); action(p, "zoomOut")->trigger(); }, 0.1, "10%" },
    };
    for (const auto &c : cases) {
        PrintPreviewDialog preview(data, 75, true);
        c.act(preview);
        EXPECT_DOUBLE_EQ(preview.pageView()->zoomFactor(), c.zoom) << c.what;
        EXPECT_EQ(preview.pageView()->pageSize(), a4At(c.zoom)) << c.what;
        EXPECT_EQ(preview.findChild<QComboBox *>("zoomBox")->currentText(), c.shown) << c.what;
    }
}

// A fit fills the view's width, or shows the whole page, and keeps doing so as the window is
// resized, until a zoom is chosen.
TEST_F(PrintPreviewDialogTest, AFitFollowsTheWindow)
{
    const GridData data = threePages();
    for (const char *fit : { "fitWidth", "fitPage" }) {
        PrintPreviewDialog preview(data, 100, true);
        PreviewPages *pages = preview.pageView();
        showAndPaint(preview);
        for (const QSize window : { QSize(700, 500), QSize(500, 900), QSize(1000, 700) }) {
            preview.resize(window);
            QCoreApplication::processEvents();
            action(preview, fit)->trigger();
            const QSize page = pages->pageSize();
            const QSize view = pages->viewport()->size();
            const bool wholePage = QByteArray(fit) == "fitPage";
            const int spareWidth = view.width() - page.width();
            const int spareHeight = view.height() - page.height();
            EXPECT_GE(spareWidth, 0) << fit << " " << window.width() << "x" << window.height();
            if (wholePage) {
                EXPECT_GE(spareHeight, 0) << window.width() << "x" << window.height();
                EXPECT_LE(std::min(spareWidth, spareHeight), 30) << window.width() << "x" << window.height();
            } else {
                EXPECT_LE(spareWidth, 30) << window.width() << "x" << window.height();
            }
            EXPECT_NEAR(double(page.height()) / page.width(), 297.0 / 210, 0.01);
            EXPECT_TRUE(action(preview, fit)->isChecked());
            EXPECT_EQ(preview.findChild<QComboBox *>("zoomBox")->currentText(),
                QStringLiteral("%1%").arg(qRound(pages->zoomFactor() * 100)));
        }
        // Resized while fitted: the fit goes along.
        const double fitted = pages->zoomFactor();
        preview.resize(preview.width() + 200, preview.height() + 200);
        QCoreApplication::processEvents();
        EXPECT_GT(pages->zoomFactor(), fitted) << fit;
        action(preview, "zoomIn")->trigger();
        EXPECT_FALSE(action(preview, fit)->isChecked()) << fit;
        const double zoomed = pages->zoomFactor();
        preview.resize(preview.width() - 300, preview.height() - 300);
        QCoreApplication::processEvents();
        EXPECT_DOUBLE_EQ(pages->zoomFactor(), zoomed) << fit;
    }
}

TEST_F(PrintPreviewDialogTest, TurningThePaperInThePreviewLaysThePagesOutAgain)
{
    GridData data = threePages();
    PrintPreviewDialog preview(data, 75, true);
    EXPECT_TRUE(action(preview, "portrait")->isChecked());
    action(preview, "landscape")->trigger();
    // Landscape A4 holds 25 rows of 25 pixels between 2 cm margins: 86 rows need four pages.
    EXPECT_EQ(preview.pageView()->pageCount(), 4);
    EXPECT_EQ(preview.pageView()->pageSize(), a4At(0.75).transposed());
    EXPECT_EQ(preview.findChild<QSpinBox *>("pageBox")->text(), "1 / 4");
    EXPECT_TRUE(action(preview, "landscape")->isChecked());
    EXPECT_FALSE(action(preview, "portrait")->isChecked());
    EXPECT_EQ(data.pageSetup().Orientation, 1) << "the grid's own page setup stays";

    action(preview, "portrait")->trigger();
    EXPECT_EQ(preview.pageView()->pageCount(), 3);
    EXPECT_EQ(preview.pageView()->pageSize(), a4At(0.75));

    // Turned again, the view stays as far into the document as it was.
    preview.resize(600, 800);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    action(preview, "lastPage")->trigger();
    action(preview, "landscape")->trigger();
    EXPECT_EQ(preview.findChild<QSpinBox *>("pageBox")->text(), "3 / 4");
    action(preview, "portrait")->trigger();
    EXPECT_EQ(preview.findChild<QSpinBox *>("pageBox")->text(), "2 / 3");

    // Fitted, the zoom follows the turned paper and the zoom box says so.
    action(preview, "fitPage")->trigger();
    const double upright = preview.pageView()->zoomFactor();
    action(preview, "landscape")->trigger();
    EXPECT_LT(preview.pageView()->zoomFactor(), upright) << "a wide page in a tall window";
    EXPECT_EQ(preview.findChild<QComboBox *>("zoomBox")->currentText(),
        QStringLiteral("%1%").arg(qRound(preview.pageView()->zoomFactor() * 100)));
}

// The page box shows the page in view as the pages scroll by, and the page buttons, the page
// box and the keys go to the pages they name.
TEST_F(PrintPreviewDialogTest, ThePageBoxFollowsTheViewAndThePageButtonsMoveIt)
{
    const GridData data = threePages();
    PrintPreviewDialog preview(data, 100, true);
    PreviewPages *pages = preview.pageView();
    QSpinBox *box = preview.findChild<QSpinBox *>("pageBox");
    showAndPaint(preview);
    QScrollBar *bar = pages->verticalScrollBar();
    const int stride = a4At(1).height() + 12;
    const auto key = [pages](Qt::Key key) { QTest::keyClick(pages, key); };
    const auto typed = [box](int page) {
        box->selectAll();
        QTest::keyClicks(box, QString::number(page));
        QTest::keyClick(box, Qt::Key_Enter);
    };
    const struct {
        const char *what;
        std::function<void()> act;
        int page;
    } steps[] = {
        { "scrolled a little", [bar] { bar->setValue(100); }, 1 },
        { "scrolled to the middle of page 2", [bar, stride] { bar->setValue(stride + stride / 2 - 200); }, 2 },
        { "下一页", [&] { action(preview, "nextPage")->trigger(); }, 3 },
        { "下一页 on the last page", [&] { action(preview, "nextPage")->trigger(); }, 3 },
        { "上一页", [&] { action(preview, "previousPage")->trigger(); }, 2 },
        { "第一页", [&] { action(preview, "firstPage")->trigger(); }, 1 },
        { "上一页 on the first page", [&] { action(preview, "previousPage")->trigger(); }, 1 },
        { "最后一页", [&] { action(preview, "lastPage")->trigger(); }, 3 },
        { "Home", [&] { key(Qt::Key_Home); }, 1 },
        { "Page Down three times", [&] { key(Qt::Key_PageDown), key(Qt::Key_PageDown), key(Qt::Key_PageDown); }, 2 },
        { "End", [&] { key(Qt::Key_End); }, 3 },
        { "page typed", [&] { typed(2); }, 2 },
        { "Page Up three times", [&] { key(Qt::Key_PageUp), key(Qt::Key_PageUp), key(Qt::Key_PageUp); }, 1 },
    };
    for (const auto &step : steps) {
        const int scrolled = bar->value();
        step.act();
        EXPECT_EQ(pages->currentPage(), step.page) << step.what;
        EXPECT_EQ(box->text(), QStringLiteral("%1 / 3").arg(step.page)) << step.what;
        if (QByteArray(step.what).startsWith("Page ")) {
            EXPECT_NE(bar->value(), scrolled) << step.what << ": the keys scroll";
        }
    }
    // Going to a page puts its top at the top of the view.
    action(preview, "nextPage")->trigger();
    EXPECT_EQ(bar->value(), stride);

    // A zoom keeps the page in view; a whole page fitted is shown whole.
    for (const char *zoom : { "zoomIn", "zoomOut", "zoomOut", "fitWidth", "fitPage" }) {
        bar->setValue(bar->value() + 50);
        action(preview, zoom)->trigger();
        EXPECT_EQ(pages->currentPage(), 2) << zoom;
        EXPECT_EQ(box->text(), "2 / 3") << zoom;
        const int height = pages->pageSize().height();
        const int top = 12 + height + 12;
        EXPECT_LT(bar->value(), top + height) << zoom;
        EXPECT_GT(bar->value() + pages->viewport()->height(), top) << zoom;
    }
    const int top = pages->pageSize().height() + 24;
    EXPECT_LE(bar->value(), top);
    EXPECT_GE(bar->value() + pages->viewport()->height(), top + pages->pageSize().height());
}

// 打印 prints what the preview shows, on the paper turned as in the preview, and closes it.
TEST_F(PrintPreviewDialogTest, PrintsThePagesShownToThePrinter)
{
    const GridData data = threePages();
    QTemporaryDir dir;
    const struct {
        const char *what;
        bool landscape;
        QList<int> pagesChosen; // from, to; none for all
        int printed;
    } cases[] = {
        { "all", false, {}, 3 },
        { "turned", true, {}, 4 },
        { "pages 2 to 3", false, { 2, 3 }, 2 },
    };
    for (const auto &c : cases) {
        PrintPreviewDialog preview(data, 100, false);
        if (c.landscape)
            action(preview, "landscape")->trigger();
        const QString pdf = dir.filePath(QStringLiteral("%1.pdf").arg(c.what));
        QPrinter &printer = *preview.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (!c.pagesChosen.isEmpty()) {
            printer.setPrintRange(QPrinter::PageRange);
            QPageRanges ranges;
            ranges.addRange(c.pagesChosen[0], c.pagesChosen[1]);
            printer.setPageRanges(ranges);
            ASSERT_TRUE(preview.printTo(printer)) << c.what;
        } else {
            showAndPaint(preview);
            bool asked = false;
            QTimer::singleShot(0, [&asked] {
                if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                    asked = true;
                    dialog->accept();
                }
            });
            preview.printAction()->trigger();
            EXPECT_TRUE(asked) << c.what;
            EXPECT_EQ(preview.result(), QDialog::Accepted) << c.what << ": printing closes the preview";
            EXPECT_FALSE(preview.isVisible()) << c.what;
        }
        EXPECT_EQ(pdfPageCount(pdf), c.printed) << c.what;
    }
}

// Whatever the zoom, what is drawn on a page stands where it stands on the paper: a red cell
// ends at its place on the paper times the zoom, also where 96 × zoom is no whole dpi.
TEST_F(PrintPreviewDialogTest, APageIsDrawnToScaleAtAnyZoom)
{
    GridData data;
    data.setRows(3);
    data.setCols(2);
    data.setColWidth(1, 600);
    data.setRowHeight(1, 300);
    paintRed(data, 1, 1);
    for (const double zoom : { 0.1, 0.33, 0.75, 1.0, 1.37 }) {
        PrintPreviewDialog preview(data, 100, true);
        PreviewPages *pages = preview.pageView();
        pages->setZoomFactor(zoom);
        showAndPaint(preview);
        const QImage image = pages->cachedImage(1);
        ASSERT_FALSE(image.isNull()) << zoom;
        EXPECT_EQ(image.size(), pages->pageSize()) << zoom;
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (isRed(image.pixelColor(x, y)))
                    ink |= QRect(x, y, 1, 1);
        const Page &page = pages->pages().first();
        const QRectF cell(page.grid.left() + page.cols[0].offset, page.grid.top() + page.rows[0].offset,
            page.cols[0].size, page.rows[0].size);
        ASSERT_EQ(page.cols[0].index, 1);
        ASSERT_EQ(page.rows[0].index, 1);
        EXPECT_NEAR(ink.left(), cell.left() * zoom, 1.5) << zoom;
        EXPECT_NEAR(ink.right() + 1, cell.right() * zoom, 1.5) << zoom;
        EXPECT_NEAR(ink.top(), cell.top() * zoom, 1.5) << zoom;
        EXPECT_NEAR(ink.bottom() + 1, cell.bottom() * zoom, 1.5) << zoom;
    }
}

// A grid with nothing to print still previews as one blank page whose buttons do no harm, and
// the page view copes with no pages at all.
TEST_F(PrintPreviewDialogTest, NothingToPrintPreviewsWithoutHarm)
{
    GridData headerOnly;
    headerOnly.setRows(1);
    PrintPreviewDialog preview(headerOnly, 100, false);
    showAndPaint(preview);
    for (const char *name :
        { "nextPage", "lastPage", "previousPage", "firstPage", "fitWidth", "fitPage", "zoomIn", "landscape", "portrait" })
        action(preview, name)->trigger();
    preview.pageView()->grab();
    EXPECT_EQ(preview.pageView()->pageCount(), 1);
    EXPECT_EQ(preview.findChild<QSpinBox *>("pageBox")->text(), "1 / 1");

    PreviewPages *pages = preview.pageView();
    pages->setPages({});
    for (const PreviewPages::ZoomMode mode : { PreviewPages::FitPage, PreviewPages::FitWidth, PreviewPages::CustomZoom })
        pages->setZoomMode(mode);
    pages->setCurrentPage(2);
    const int drawn = pages->renderedCount();
    pages->grab();
    EXPECT_EQ(pages->renderedCount(), drawn);
    EXPECT_TRUE(pages->cachedPages().isEmpty());
    EXPECT_EQ(pages->currentPage(), 1);
}

// The preview draws the page's lines as thin as the paper's, not at the printer's pixel width
// (1 pixel at 96 dpi came out 3 screen pixels thick at 100%, from a 300 dpi recording).
TEST_F(PrintPreviewDialogTest, LinesAreAsThinOnScreenAsOnPaper)
{
    GridData data = threePages();
    data.setCols(6);
    data.pageSetup().PrintGridlines = true;
    PrintPreviewDialog preview(data, 100, true);
    preview.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&preview));
    const QImage shot = preview.pageView()->grab().toImage().convertToFormat(QImage::Format_Grayscale8);

    // Down each column of pixels, the dark runs are the row lines crossed; a column of pixels
    // on a column line or a text is one long run or none.
    int thinnest = 1000;
    for (int x = 0; x < shot.width(); ++x) {
        std::vector<int> runs;
        int run = 0;
        for (int y = 0; y < shot.height(); ++y) {
            if (qGray(shot.pixel(x, y)) < 128) {
                ++run;
            } else if (run > 0) {
                runs.push_back(run);
                run = 0;
            }
        }
        if (runs.size() >= 5 && *std::max_element(runs.begin(), runs.end()) < 20)
            thinnest = std::min(thinnest, *std::max_element(runs.begin(), runs.end()));
    }
    ASSERT_LT(thinnest, 1000) << "no row lines found on the previewed page";
    EXPECT_LE(thinnest, 2);
}

} // namespace
