#include "gridprint/PrintPreviewDialog.h"
#include "PdfPageCount.h"
#include "griddata/GridData.h"
#include "gridprint/PreviewPages.h"

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
#include <QTransform>

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

// Where an image is red; empty when nowhere.
QRect redInk(const QImage &image)
{
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (const QColor c = image.pixelColor(x, y); c.red() > 200 && c.green() < 60 && c.blue() < 60)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

// A4 at `zoom` on a 96 dpi screen.
QSize a4At(double zoom)
{
    return QSize(qRound(210 / 25.4 * 96 * zoom), qRound(297 / 25.4 * 96 * zoom));
}

// The dark runs met going down column `x` of an image: the row lines it crosses.
std::vector<int> darkRunsDown(const QImage &image, int x)
{
    const QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    std::vector<int> runs;
    int run = 0;
    for (int y = 0; y < gray.height(); ++y) {
        if (qGray(gray.pixel(x, y)) < 128) {
            ++run;
        } else if (run > 0) {
            runs.push_back(run);
            run = 0;
        }
    }
    return runs;
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
    static void trigger(const PrintPreviewDialog &preview, const char *name)
    {
        QAction *found = preview.findChild<QAction *>(QLatin1String(name));
        ASSERT_NE(found, nullptr) << name;
        found->trigger();
    }
    static bool checked(const PrintPreviewDialog &preview, const char *name)
    {
        return preview.findChild<QAction *>(QLatin1String(name))->isChecked();
    }
    static QString zoomShown(const PrintPreviewDialog &preview)
    {
        return preview.findChild<QComboBox *>("zoomBox")->currentText();
    }
    static QString pageShown(const PrintPreviewDialog &preview)
    {
        return preview.findChild<QSpinBox *>("pageBox")->text();
    }
    static void typeZoom(const PrintPreviewDialog &preview, const QString &text)
    {
        QLineEdit *edit = preview.findChild<QComboBox *>("zoomBox")->lineEdit();
        edit->setText(text);
        emit edit->editingFinished();
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
    EXPECT_EQ(preview.pageView()->pageCount(), 3);
    EXPECT_EQ(pageShown(preview), "1 / 3");
    EXPECT_FALSE(checked(preview, "fitWidth") || checked(preview, "fitPage")) << "a zoom asked for is no fit";

    PrintPreviewDialog printable(data, 100, false);
    ASSERT_NE(printable.printAction(), nullptr);
    EXPECT_TRUE(printable.printAction()->isEnabled());
}

// Only the pages in view are drawn; going far down draws the page gone to, with its own ink,
// and drops the pages left behind.
TEST_F(PrintPreviewDialogTest, ThousandPagesAreDrawnOnlyAsTheyComeIntoView)
{
    constexpr int Marked = 500;
    GridData data; // two rows a page, a red cell on page 500 only
    data.setCols(3);
    data.setRows(2001);
    for (int row = 1; row < data.rows(); ++row)
        data.setText(row, 1, QString::number(row));
    for (int page = 1; page < 1000; ++page)
        data.hPageBreaks().Add(1 + page * 2);
    paintRed(data, 2 * Marked - 1, 1);
    PrintPreviewDialog preview(data, 100, true);
    PreviewPages *pages = preview.pageView();
    showAndPaint(preview);
    ASSERT_EQ(pages->pageCount(), 1000);
    EXPECT_EQ(pages->renderedCount(), 1);
    ASSERT_FALSE(pages->cachedImage(1).isNull());
    EXPECT_TRUE(redInk(pages->cachedImage(1)).isEmpty());

    pages->setCurrentPage(Marked);
    pages->grab();
    EXPECT_EQ(pages->renderedCount(), 2);
    EXPECT_FALSE(redInk(pages->cachedImage(Marked)).isEmpty()) << "the page gone to is drawn, and it is that page";
    EXPECT_EQ(pages->cachedPages(), QList<int> { Marked }) << "page 1 is dropped";

    // Scrolling on draws each page as it arrives and keeps a few near the view only.
    for (int step = 0; step < 5; ++step) {
        pages->verticalScrollBar()->setValue(pages->verticalScrollBar()->value() + pages->viewport()->height());
        pages->grab();
    }
    EXPECT_GT(pages->currentPage(), Marked);
    EXPECT_FALSE(pages->cachedImage(pages->currentPage()).isNull());
    EXPECT_LE(pages->cachedPages().size(), 6);
    EXPECT_GE(pages->cachedPages().first(), pages->currentPage() - 3);
}

TEST_F(PrintPreviewDialogTest, ZoomsAsTypedOrSteppedWithinItsLimits)
{
    const GridData data = threePages();
    const struct {
        const char *what;
        std::function<void(PrintPreviewDialog &)> act;
        double zoom;
    } cases[] = {
        { "as opened", [](auto &) {}, 0.75 },
        { "typed with a percent sign", [](auto &p) { typeZoom(p, "150%"); }, 1.5 },
        { "typed without", [](auto &p) { typeZoom(p, " 40 "); }, 0.4 },
        { "typed too large", [](auto &p) { typeZoom(p, "900"); }, 4.0 },
        { "typed too small", [](auto &p) { typeZoom(p, "3"); }, 0.1 },
        { "typed empty", [](auto &p) { typeZoom(p, ""); }, 0.75 },
        { "zoomed in", [](auto &p) { trigger(p, "zoomIn"); }, 1.0 },
        { "zoomed out", [](auto &p) { trigger(p, "zoomOut"); }, 0.5 },
        { "zoomed in at the top", [](auto &p) { typeZoom(p, "400"), trigger(p, "zoomIn"); }, 4.0 },
        { "zoomed out at the bottom", [](auto &p) { typeZoom(p, "10"), trigger(p, "zoomOut"); }, 0.1 },
    };
    for (const auto &c : cases) {
        PrintPreviewDialog preview(data, 75, true);
        c.act(preview);
        EXPECT_DOUBLE_EQ(preview.pageView()->zoomFactor(), c.zoom) << c.what;
        EXPECT_EQ(preview.pageView()->pageSize(), a4At(c.zoom)) << c.what;
        EXPECT_EQ(zoomShown(preview), QStringLiteral("%1%").arg(qRound(c.zoom * 100))) << c.what;
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
            trigger(preview, fit);
            const QSize spare = pages->viewport()->size() - pages->pageSize();
            const bool whole = QByteArray(fit) == "fitPage";
            const QString what = QStringLiteral("%1 %2x%3").arg(fit).arg(window.width()).arg(window.height());
            EXPECT_GE(spare.width(), 0) << qPrintable(what);
            EXPECT_GE(whole ? spare.height() : 0, 0) << qPrintable(what);
            EXPECT_LE(whole ? std::min(spare.width(), spare.height()) : spare.width(), 30) << qPrintable(what);
            EXPECT_NEAR(double(pages->pageSize().height()) / pages->pageSize().width(), 297.0 / 210, 0.01);
            EXPECT_TRUE(checked(preview, fit)) << qPrintable(what);
            EXPECT_EQ(zoomShown(preview), QStringLiteral("%1%").arg(qRound(pages->zoomFactor() * 100)));
        }
        const double fitted = pages->zoomFactor();
        preview.resize(preview.size() + QSize(200, 200));
        QCoreApplication::processEvents();
        EXPECT_GT(pages->zoomFactor(), fitted) << fit << ": resized while fitted, the fit goes along";
        trigger(preview, "zoomIn");
        EXPECT_FALSE(checked(preview, fit)) << fit;
        const double zoomed = pages->zoomFactor();
        preview.resize(preview.size() - QSize(300, 300));
        QCoreApplication::processEvents();
        EXPECT_DOUBLE_EQ(pages->zoomFactor(), zoomed) << fit;
    }
}

TEST_F(PrintPreviewDialogTest, TurningThePaperInThePreviewLaysThePagesOutAgain)
{
    GridData data = threePages();
    PrintPreviewDialog preview(data, 75, true);
    EXPECT_TRUE(checked(preview, "portrait"));
    trigger(preview, "landscape");
    // Landscape A4 holds 25 rows of 25 pixels between 2 cm margins: 86 rows need four pages.
    EXPECT_EQ(preview.pageView()->pageCount(), 4);
    EXPECT_EQ(preview.pageView()->pageSize(), a4At(0.75).transposed());
    EXPECT_EQ(pageShown(preview), "1 / 4");
    EXPECT_TRUE(checked(preview, "landscape") && !checked(preview, "portrait"));
    EXPECT_EQ(data.pageSetup().Orientation, 1) << "the grid's own page setup stays";
    trigger(preview, "portrait");
    EXPECT_EQ(preview.pageView()->pageCount(), 3);
    EXPECT_EQ(preview.pageView()->pageSize(), a4At(0.75));

    // Turned again, the view stays as far into the document as it was.
    preview.resize(600, 800);
    showAndPaint(preview);
    trigger(preview, "lastPage");
    trigger(preview, "landscape");
    EXPECT_EQ(pageShown(preview), "3 / 4");
    trigger(preview, "portrait");
    EXPECT_EQ(pageShown(preview), "2 / 3");

    // Fitted, the zoom follows the turned paper and the zoom box says so.
    trigger(preview, "fitPage");
    const double upright = preview.pageView()->zoomFactor();
    trigger(preview, "landscape");
    EXPECT_LT(preview.pageView()->zoomFactor(), upright) << "a wide page in a tall window";
    EXPECT_EQ(zoomShown(preview), QStringLiteral("%1%").arg(qRound(preview.pageView()->zoomFactor() * 100)));
}

// The page box shows the page in view as the pages scroll by, and the page buttons, the page
// box and the keys go to the pages they name; a zoom keeps the page in view.
TEST_F(PrintPreviewDialogTest, ThePageBoxFollowsTheViewAndThePageButtonsMoveIt)
{
    const GridData data = threePages();
    PrintPreviewDialog preview(data, 100, true);
    PreviewPages *pages = preview.pageView();
    QSpinBox *box = preview.findChild<QSpinBox *>("pageBox");
    showAndPaint(preview);
    QScrollBar *bar = pages->verticalScrollBar();
    const int stride = a4At(1).height() + 12;
    const auto keys = [pages](Qt::Key key, int times) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(pages, key);
    };
    const auto go = [&preview](const char *name) { return [&preview, name] { trigger(preview, name); }; };
    const struct {
        const char *what;
        std::function<void()> act;
        int page;
    } steps[] = {
        { "scrolled a little", [bar] { bar->setValue(100); }, 1 },
        { "scrolled to the middle of page 2", [bar, stride] { bar->setValue(stride + stride / 2 - 200); }, 2 },
        { "下一页", go("nextPage"), 3 },
        { "下一页 on the last page", go("nextPage"), 3 },
        { "上一页", go("previousPage"), 2 },
        { "第一页", go("firstPage"), 1 },
        { "上一页 on the first page", go("previousPage"), 1 },
        { "最后一页", go("lastPage"), 3 },
        { "Home", [&] { keys(Qt::Key_Home, 1); }, 1 },
        { "Page Down three times", [&] { keys(Qt::Key_PageDown, 3); }, 2 },
        { "End", [&] { keys(Qt::Key_End, 1); }, 3 },
        { "2 typed", [box] { box->selectAll(), QTest::keyClicks(box, "2"), QTest::keyClick(box, Qt::Key_Enter); }, 2 },
        { "Page Up three times", [&] { keys(Qt::Key_PageUp, 3); }, 1 },
        { "下一页 again", go("nextPage"), 2 },
        { "放大", go("zoomIn"), 2 },
        { "缩小", go("zoomOut"), 2 },
        { "适合宽度", go("fitWidth"), 2 },
        { "适合页面", go("fitPage"), 2 },
    };
    for (const auto &step : steps) {
        bar->setValue(bar->value() + 10);
        step.act();
        EXPECT_EQ(pages->currentPage(), step.page) << step.what;
        EXPECT_EQ(box->text(), QStringLiteral("%1 / 3").arg(step.page)) << step.what;
        const int top = 12 + (step.page - 1) * (pages->pageSize().height() + 12);
        EXPECT_LT(bar->value(), top + pages->pageSize().height()) << step.what << ": the page is in view";
        EXPECT_GT(bar->value() + pages->viewport()->height(), top) << step.what << ": the page is in view";
    }
    // A whole page fitted is shown whole.
    const int top = pages->pageSize().height() + 24;
    EXPECT_LE(bar->value(), top);
    EXPECT_GE(bar->value() + pages->viewport()->height(), top + pages->pageSize().height());
}

// A page wider than the view scrolls sideways to its right part; a zoom keeps in view the place
// on the page that was at the top of the view.
TEST_F(PrintPreviewDialogTest, AWidePageScrollsToItsRightAndAZoomKeepsThePlace)
{
    GridData data = threePages();
    data.setColWidth(4, 250);
    for (int row = 1; row < data.rows(); ++row)
        paintRed(data, row, 4);
    PrintPreviewDialog preview(data, 200, true);
    preview.resize(700, 800);
    PreviewPages *pages = preview.pageView();
    showAndPaint(preview);
    QScrollBar *across = pages->horizontalScrollBar();
    across->setValue(across->maximum());
    EXPECT_LT(redInk(pages->grab().toImage()).right(), pages->viewport()->width() / 2)
        << "the right end of the red column comes into view";

    QScrollBar *down = pages->verticalScrollBar();
    // How far down its page the top of the view stands.
    const auto place = [&] {
        const int stride = pages->pageSize().height() + 12;
        return double(down->value() - 12 - (pages->currentPage() - 1) * stride) / pages->pageSize().height();
    };
    const struct {
        const char *what;
        std::function<void()> zoom;
    } zooms[] = {
        { "放大", [&] { trigger(preview, "zoomIn"); } },
        { "缩小", [&] { trigger(preview, "zoomOut"); } },
        { "typed", [&] { typeZoom(preview, "75"); } },
    };
    for (const auto &z : zooms) {
        pages->setCurrentPage(2);
        down->setValue(down->value() + pages->pageSize().height() * 2 / 5);
        const double before = place();
        z.zoom();
        EXPECT_EQ(pages->currentPage(), 2) << z.what;
        EXPECT_NEAR(place(), before, 0.02) << z.what;
    }
}

// 打印 prints what the preview shows, on the paper turned as in the preview, and closes it.
TEST_F(PrintPreviewDialogTest, PrintsThePagesShownToThePrinter)
{
    const GridData data = threePages();
    QTemporaryDir dir;
    const struct {
        const char *what;
        bool landscape;
        QPageRanges ranges; // none: all, through the print dialog
        int printed;
    } cases[] = {
        { "all", false, {}, 3 },
        { "turned", true, {}, 4 },
        { "pages 2 to 3", false, QPageRanges::fromString("2-3"), 2 },
    };
    for (const auto &c : cases) {
        PrintPreviewDialog preview(data, 100, false);
        if (c.landscape)
            trigger(preview, "landscape");
        const QString pdf = dir.filePath(QStringLiteral("%1.pdf").arg(c.what));
        QPrinter &printer = *preview.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        if (!c.ranges.isEmpty()) {
            printer.setPageRanges(c.ranges);
            ASSERT_TRUE(preview.printTo(printer)) << c.what;
        } else {
            showAndPaint(preview);
            bool asked = false;
            QTimer::singleShot(0, [&asked] {
                if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget()))
                    asked = true, dialog->accept();
            });
            trigger(preview, "print");
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
        EXPECT_EQ(image.size(), pages->pageSize()) << zoom;
        const Page &page = pages->pages().first();
        ASSERT_TRUE(page.cols[0].index == 1 && page.rows[0].index == 1);
        const QRectF cell = QTransform::fromScale(zoom, zoom)
                                .mapRect(QRectF(page.grid.left() + page.cols[0].offset,
                                    page.grid.top() + page.rows[0].offset, page.cols[0].size, page.rows[0].size));
        const QRect ink = redInk(image);
        EXPECT_NEAR(ink.left(), cell.left(), 1.5) << zoom;
        EXPECT_NEAR(ink.right() + 1, cell.right(), 1.5) << zoom;
        EXPECT_NEAR(ink.top(), cell.top(), 1.5) << zoom;
        EXPECT_NEAR(ink.bottom() + 1, cell.bottom(), 1.5) << zoom;
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
    for (const char *name : { "nextPage", "lastPage", "previousPage", "fitWidth", "fitPage", "zoomIn", "landscape" })
        trigger(preview, name);
    EXPECT_EQ(pageShown(preview), "1 / 1");

    PreviewPages *pages = preview.pageView();
    pages->setPages({});
    for (const auto mode : { PreviewPages::FitPage, PreviewPages::FitWidth, PreviewPages::CustomZoom })
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
    const QImage shot = preview.pageView()->grab().toImage();

    // Down each column of pixels, the dark runs are the row lines crossed; a column of pixels
    // on a column line or a text is one long run or none.
    int thinnest = 1000;
    for (int x = 0; x < shot.width(); ++x) {
        const std::vector<int> runs = darkRunsDown(shot, x);
        if (runs.size() >= 5 && *std::max_element(runs.begin(), runs.end()) < 20)
            thinnest = std::min(thinnest, *std::max_element(runs.begin(), runs.end()));
    }
    ASSERT_LT(thinnest, 1000) << "no row lines found on the previewed page";
    EXPECT_LE(thinnest, 2);
}

// Zoomed to where a paper line falls between one and two screen pixels, every row line of a
// page still comes out equally thick: they were one and two pixels by turns at 150%.
TEST_F(PrintPreviewDialogTest, RowLinesAreEquallyThickAtAnyZoom)
{
    GridData data = threePages();
    data.setCols(6);
    data.pageSetup().PrintGridlines = true;
    for (const double zoom : { 0.75, 1.0, 1.25, 1.5, 1.75, 2.0, 3.0 }) {
        PrintPreviewDialog preview(data, 100, true);
        PreviewPages *pages = preview.pageView();
        pages->setZoomFactor(zoom);
        showAndPaint(preview);
        const QImage image = pages->cachedImage(1);
        ASSERT_FALSE(image.isNull()) << zoom;
        // Down the middle of an empty column, clear of texts and column lines.
        const Page &page = pages->pages().first();
        const Page::Line &empty = page.cols[3];
        const int x = qRound((page.grid.left() + empty.offset + empty.size / 2) * zoom);
        const std::vector<int> runs = darkRunsDown(image, x);
        ASSERT_GE(runs.size(), 30u) << zoom;
        const auto [thinnest, thickest] = std::minmax_element(runs.begin(), runs.end());
        EXPECT_EQ(*thinnest, *thickest) << zoom;
        EXPECT_LE(*thickest, std::max(1, qRound(zoom))) << zoom;
    }
}

} // namespace
