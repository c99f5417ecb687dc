#include "PdfWriter.h"

#include "griddata/GridData.h"
#include "PagePainter.h"
#include "Paginator.h"
#include "PdfJoin.h"
#include "PdfPictures.h"
#include "PdfTexts.h"
#include "WriteFailure.h"

#include "memory/FreedMemory.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryFile>

#include <qpdf/QPDF.hh>

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace {

// A thread is worth starting for this many pages at least.
constexpr qsizetype MinPagesPerThread = 40;
// Each thread maps the fonts anew (some 7 MiB of a Chinese font, counted once a thread):
// three write a 50,000-examinee list in about a second and keep the job under 120 MiB.
constexpr unsigned MostThreads = 3;

// Paints `pages` onto a PDF writer, the log (if any) told of each new page; false when the
// device would not open.
bool paint(QPdfWriter &pdf, const GridData &data, const PageSetup &setup, const QList<Page> &pages, int pageCount,
    PdfTexts::Recording *recording, const PdfPictures *pictures)
{
    pdf.setCreator(QStringLiteral("kaowu"));
    PagePainter::setUpDevice(pdf, setup);
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0)
            pdf.newPage();
        PagePainter::paintPage(painter, data, pages[i], pageCount, pictures);
        if (recording)
            recording->endPage();
    }
    return painter.end();
}

// Paints pages into a temporary PDF file of their own, which Qt compresses page by page, and
// writes their texts onto it; null when it cannot be written. The part waits on disk rather
// than in memory until it is joined, and keeps its file open.
std::unique_ptr<QPDF> paintPart(QTemporaryFile &file, const GridData &data, const PageSetup &setup,
    const QList<Page> &pages, int pageCount, const PdfPictures *pictures)
{
    if (!file.open())
        return nullptr;
    const auto painted = [&](PdfTexts::Recording *recording) {
        bool done = false;
        {
            QPdfWriter pdf(&file);
            done = paint(pdf, data, setup, pages, pageCount, recording, pictures);
        }
        return done && file.flush() && file.error() == QFileDevice::NoError;
    };
    // The pictures' stand-ins take the pictures' own bytes.
    const auto withPictures = [pictures](std::unique_ptr<QPDF> part) {
        if (part && pictures)
            pictures->embed(*part);
        return part;
    };
    try {
        {
            PdfTexts::Recording recording;
            if (!painted(&recording))
                return nullptr;
            if (std::unique_ptr<QPDF> part = PdfJoin::part(file.fileName(), recording.log()))
                return withPictures(std::move(part));
        }
        // Qt did not show the glyphs as the program handed them (a font it makes bold or
        // slanted itself): the pages as Qt draws them.
        if (!file.resize(0) || !file.seek(0) || !painted(nullptr))
            return nullptr;
        PdfTexts::Log none;
        return withPictures(PdfJoin::part(file.fileName(), none));
    } catch (const std::exception &) {
        return nullptr;
    }
}

// The runs of pages, painted at once from the one grid, each into a PDF of its own.
bool paintRuns(std::vector<std::unique_ptr<QTemporaryFile>> &files, std::vector<std::unique_ptr<QPDF>> &parts,
    const GridData &data, const PageSetup &setup, const QList<Page> &pages, int pageCount,
    const PdfPictures *pictures)
{
    const int runs = int(files.size());
    parts.resize(files.size());
    if (runs == 1) {
        parts.front() = paintPart(*files.front(), data, setup, pages, pageCount, pictures);
        return parts.front() != nullptr;
    }
    // The grid builds its indexes on first use; built now, the threads only read.
    data.buildIndexes();
    std::vector<std::thread> threads;
    const qsizetype perRun = (pages.size() + runs - 1) / runs;
    for (int run = 0; run < runs; ++run)
        threads.emplace_back([&, run] {
            parts[size_t(run)]
                = paintPart(*files[size_t(run)], data, setup, pages.mid(run * perRun, perRun), pageCount, pictures);
        });
    for (std::thread &thread : threads)
        thread.join();
    return std::all_of(parts.begin(), parts.end(), [](const auto &part) { return part != nullptr; });
}

bool fail(QString *error, const QString &path)
{
    if (error)
        *error = WriteFailure::message(path);
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
    // Pictures are drawn as stand-ins, which several threads may do at once, and take their own
    // bytes in each part (see PdfPictures).
    std::optional<PdfPictures> pictures;
    if (data.images().Count() > 0)
        pictures.emplace(data.images());
    const int runs = int(std::clamp<qsizetype>(sheets.size() / MinPagesPerThread, 1, threads));
    std::vector<std::unique_ptr<QTemporaryFile>> files;
    for (int run = 0; run < runs; ++run)
        files.push_back(std::make_unique<QTemporaryFile>());
    std::vector<std::unique_ptr<QPDF>> parts;
    if (!paintRuns(files, parts, data, setup, sheets, pageCount, pictures ? &*pictures : nullptr))
        return fail(error, path);
    try {
        PdfJoin::join(parts, path);
    } catch (const std::exception &) {
        return fail(error, path);
    }
    return true;
}
