#include "PdfWriter.h"

#include "GridData.h"
#include "PagePainter.h"
#include "Paginator.h"
#include "PdfJoin.h"

#include "memory/FreedMemory.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <algorithm>
#include <exception>
#include <memory>
#include <thread>
#include <vector>

namespace {

// A thread is worth starting for this many pages at least.
constexpr qsizetype MinPagesPerThread = 40;
// Each thread maps the fonts anew (some 7 MiB of a Chinese font, counted once a thread):
// three write a 50,000-examinee list in about a second and keep the job under 120 MiB.
constexpr unsigned MostThreads = 3;

// Paints `pages` onto a PDF writer; false when the device would not open.
bool paint(QPdfWriter &pdf, const GridData &data, const PageSetup &setup, const QList<Page> &pages, int pageCount)
{
    pdf.setCreator(QStringLiteral("kaowu"));
    PagePainter::setUpDevice(pdf, setup);
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    PagePainter::paintPages(painter, pdf, data, pages, pageCount);
    return painter.end();
}

// Paints pages into a temporary PDF file of their own; false when it cannot be written.
// Parts wait on disk rather than in memory until they are joined.
bool paintPart(
    QTemporaryFile &file, const GridData &data, const PageSetup &setup, const QList<Page> &pages, int pageCount)
{
    if (!file.open())
        return false;
    bool painted = false;
    {
        QPdfWriter pdf(&file);
        painted = paint(pdf, data, setup, pages, pageCount);
    }
    return painted && file.flush() && file.error() == QFileDevice::NoError;
}

// The runs of pages, painted at once from the one grid, each into a PDF file of its own.
bool paintRuns(std::vector<std::unique_ptr<QTemporaryFile>> &parts, const GridData &data, const PageSetup &setup,
    const QList<Page> &pages, int pageCount)
{
    const int runs = int(parts.size());
    if (runs == 1)
        return paintPart(*parts.front(), data, setup, pages, pageCount);
    // The grid builds its indexes on first use; built now, the threads only read.
    data.buildIndexes();
    std::vector<char> painted(size_t(runs), 0);
    std::vector<std::thread> threads;
    const qsizetype perRun = (pages.size() + runs - 1) / runs;
    for (int run = 0; run < runs; ++run)
        threads.emplace_back([&, run] {
            painted[size_t(run)]
                = paintPart(*parts[size_t(run)], data, setup, pages.mid(run * perRun, perRun), pageCount);
        });
    for (std::thread &thread : threads)
        thread.join();
    return std::all_of(painted.begin(), painted.end(), [](char ok) { return ok != 0; });
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
    return write(path, data, data.pageSetup(), pages, int(pages.size()), error, threads);
}

bool PdfWriter::write(const QString &path, const GridData &data, const PageSetup &setup, const QList<Page> &sheets,
    int pageCount, QString *error, int threads)
{
    // Each thread leaves a pool of freed memory behind.
    struct Release {
        ~Release() { memory::ReturnFreedMemory(); }
    } release;
    if (threads <= 0)
        threads = int(std::clamp(std::thread::hardware_concurrency(), 1u, MostThreads));
    if (data.images().Count() > 0) {
        // Pictures keep a copy scaled on first use, which threads must not make at once, and
        // their pages are mostly the photos: one thread, straight to the file, as Qt writes it.
        QPdfWriter pdf(path);
        return paint(pdf, data, setup, sheets, pageCount) || fail(error, path);
    }
    const int runs = int(std::clamp<qsizetype>(sheets.size() / MinPagesPerThread, 1, threads));
    std::vector<std::unique_ptr<QTemporaryFile>> parts;
    std::vector<QString> partNames;
    for (int run = 0; run < runs; ++run)
        parts.push_back(std::make_unique<QTemporaryFile>());
    if (!paintRuns(parts, data, setup, sheets, pageCount))
        return fail(error, path);
    for (const auto &part : parts)
        partNames.push_back(part->fileName());
    try {
        PdfJoin::join(partNames, path);
    } catch (const std::exception &) {
        return fail(error, path);
    }
    return true;
}
