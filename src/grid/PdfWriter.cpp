#include "PdfWriter.h"

#include "GridData.h"
#include "PagePainter.h"
#include "Paginator.h"
#include "PdfJoin.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

namespace {

// A thread is worth starting for this many pages at least.
constexpr qsizetype MinPagesPerThread = 40;

// Paints `pages` onto a PDF writer; false when the device would not open.
bool paint(QPdfWriter &pdf, const GridData &data, const PageSetup &setup, const QList<Page> &pages, int pageCount)
{
    pdf.setCreator(QStringLiteral("kaowu"));
    PagePainter::setUpDevice(pdf, setup);
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0)
            pdf.newPage();
        PagePainter::paintPage(painter, data, pages[i], pageCount);
    }
    return painter.end();
}

// Paints pages into a PDF in memory; empty when the device would not open.
QByteArray paintInMemory(const GridData &data, const PageSetup &setup, const QList<Page> &pages, int pageCount)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    if (!paint(pdf, data, setup, pages, pageCount))
        bytes.clear();
    return bytes;
}

// The runs of pages, painted at once, each into a PDF in memory. Each thread paints its own
// copy of the grid: the grid builds its indexes when first asked, which is no work to share.
std::vector<QByteArray> paintRuns(
    const GridData &data, const PageSetup &setup, const QList<Page> &pages, int pageCount, int runs)
{
    if (runs == 1)
        return { paintInMemory(data, setup, pages, pageCount) };
    std::vector<QByteArray> pdfs(static_cast<size_t>(runs));
    std::vector<std::thread> threads;
    const qsizetype perRun = (pages.size() + runs - 1) / runs;
    for (int run = 0; run < runs; ++run) {
        threads.emplace_back([&, run] {
            const GridData copy = data;
            pdfs[size_t(run)] = paintInMemory(copy, setup, pages.mid(run * perRun, perRun), pageCount);
        });
    }
    for (std::thread &thread : threads)
        thread.join();
    return pdfs;
}

bool fail(QString *error, const QString &path)
{
    if (error)
        *error = QStringLiteral("无法写入文件：%1").arg(path);
    return false;
}

} // namespace

bool PdfWriter::write(const QString &path, const GridData &data, QString *error, int threads)
{
    return write(path, data, data.pageSetup(), Paginator::paginate(data), {}, error, threads);
}

bool PdfWriter::write(const QString &path, const GridData &data, const PageSetup &setup, const QList<Page> &pages,
    const QPageRanges &ranges, QString *error, int threads)
{
    QList<Page> chosen;
    for (const Page &page : pages)
        if (ranges.isEmpty() || ranges.contains(page.number))
            chosen.append(page);
    const int pageCount = int(pages.size());
    if (threads <= 0)
        threads = int(std::max(1u, std::thread::hardware_concurrency()));
    if (data.images().Count() > 0) {
        // Pictures keep a decoded copy shared by every copy of the grid, and make files too
        // big to hold twice in memory: one thread, straight to the file, as Qt writes it.
        QPdfWriter pdf(path);
        return paint(pdf, data, setup, chosen, pageCount) || fail(error, path);
    }
    const int runs = int(std::clamp<qsizetype>(chosen.size() / MinPagesPerThread, 1, threads));
    const std::vector<QByteArray> pdfs = paintRuns(data, setup, chosen, pageCount, runs);
    if (std::any_of(pdfs.begin(), pdfs.end(), [](const QByteArray &pdf) { return pdf.isEmpty(); }))
        return fail(error, path);
    try {
        PdfJoin::join(pdfs, path);
    } catch (const std::exception &) {
        return fail(error, path);
    }
    return true;
}
