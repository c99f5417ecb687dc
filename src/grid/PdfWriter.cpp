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
bool paint(QPdfWriter &pdf, const GridData &data, const QList<Page> &pages, int pageCount)
{
    pdf.setCreator(QStringLiteral("kaowu"));
    PagePainter::setUpDevice(pdf, data.pageSetup());
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

// The runs of pages, painted at once, each into a PDF in memory. Each thread paints its own
// copy of the grid: the grid builds its indexes when first asked, which is no work to share.
std::vector<QByteArray> paintRuns(const GridData &data, const QList<Page> &pages, int runs)
{
    std::vector<QByteArray> pdfs(static_cast<size_t>(runs));
    std::vector<std::thread> threads;
    const qsizetype perRun = (pages.size() + runs - 1) / runs;
    for (int run = 0; run < runs; ++run) {
        threads.emplace_back([&, run] {
            const GridData copy = data;
            const QList<Page> part = pages.mid(run * perRun, perRun);
            QBuffer buffer(&pdfs[size_t(run)]);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter pdf(&buffer);
            if (!paint(pdf, copy, part, int(pages.size())))
                pdfs[size_t(run)].clear();
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
    const QList<Page> pages = Paginator::paginate(data);
    if (threads <= 0)
        threads = int(std::max(1u, std::thread::hardware_concurrency()));
    // Pictures keep a decoded copy shared by every copy of the grid: they stay on one thread.
    const int runs
        = data.images().Count() > 0 ? 1 : int(std::clamp<qsizetype>(pages.size() / MinPagesPerThread, 1, threads));
    if (runs == 1) {
        QPdfWriter pdf(path);
        return paint(pdf, data, pages, int(pages.size())) || fail(error, path);
    }
    const std::vector<QByteArray> pdfs = paintRuns(data, pages, runs);
    if (std::any_of(pdfs.begin(), pdfs.end(), [](const QByteArray &pdf) { return pdf.isEmpty(); }))
        return fail(error, path);
    try {
        PdfJoin::join(pdfs, path);
    } catch (const std::exception &) {
        return fail(error, path);
    }
    return true;
}
