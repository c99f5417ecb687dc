// Admission tickets: 5,000 tickets of one job, each with its own 1600 × 1200 JPEG photo, built
// into a document and paginated, as 确定 does before the preview opens, and written to PDF; and
// a stacked job.
#include "griddata/GridData.h"
#include "gridprint/Paginator.h"
#include "gridprint/PreviewPages.h"
#include "gridprint/PrintPreviewDialog.h"
#include "tickets/TicketJob.h"
#include "tickets/TicketOrder.h"
#include "tickets/TicketTemplate.h"

#include "datastore/AppState.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtConcurrent/QtConcurrentMap>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

constexpr int Tickets = 5000;

// A photo-like picture: a gradient with a face-sized ellipse and the examinee's number, so that
// no two files are alike and each compresses like a photo.
void WritePhoto(const QString &path, int number)
{
    QImage photo(1600, 1200, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient gradient(0, 0, 1600, 1200);
    gradient.setColorAt(0, QColor::fromHsv(number % 360, 60, 230));
    gradient.setColorAt(1, QColor::fromHsv((number * 7) % 360, 120, 120));
    painter.fillRect(photo.rect(), gradient);
    painter.setBrush(QColor(230, 190, 160));
    painter.drawEllipse(QRect(550, 250, 500, 650));
    painter.setFont(QFont(QStringLiteral("Sans"), 80));
    painter.drawText(photo.rect(), Qt::AlignBottom | Qt::AlignHCenter, QString::number(number));
    painter.end();
    photo.save(path, "JPEG", 85);
}

struct Fixture {
    QTemporaryDir appDir;
    QTemporaryDir photoDir;
    GridData ticketTemplate;
    GridData economyTemplate;
    QList<QVariantList> records;

    Fixture()
    {
        SetAppPath(appDir.path());
        TicketTemplate::Load(2, ticketTemplate, nullptr);
        TicketTemplate::Load(3, economyTemplate, nullptr);
        QList<int> numbers;
        for (int i = 1; i <= Tickets; ++i) {
            numbers << i;
            records << QVariantList { QStringLiteral("考生%1").arg(i), QString::number(i), QString::number((i - 1) % 30 + 1),
                QString::number((i - 1) / 30 + 1), i % 2 ? QStringLiteral("男") : QStringLiteral("女"),
                QStringLiteral("第一中学"), QStringLiteral("%1班").arg((i - 1) / 50 + 1) };
        }
        const QString folder = photoDir.path();
        QtConcurrent::blockingMap(numbers, [folder](int i) {
            WritePhoto(QDir(folder).filePath(QStringLiteral("考生%1.jpg").arg(i)), i);
        });
    }
};

// Made once for both benchmarks: writing 5,000 photos takes a while.
Fixture &SharedFixture()
{
    static Fixture fixture;
    return fixture;
}

double PeakMegabytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// A job with photos, found by the examinee's name in the fixture's photo folder.
TicketOrder PhotoOrder(const Fixture &fixture)
{
    TicketOrder order;
    order.photos = true;
    order.photoFolder = fixture.photoDir.path();
    order.photoColumn = QStringLiteral("姓名");
    return order;
}

void BuildAndPaginate5000TicketsWithPhotos(benchmark::State &state)
{
    Fixture &fixture = SharedFixture();
    TicketOrder order = PhotoOrder(fixture);
    qsizetype pages = 0;
    qsizetype photos = 0;
    for (auto _ : state) {
        GridData out;
        TicketJob job(nullptr, order, fixture.ticketTemplate, 170);
        job.BuildInto(out, fixture.records);
        pages = Paginator::paginate(out).size();
        photos = out.images().Count();
    }
    state.counters["tickets"] = Tickets;
    state.counters["pages"] = double(pages);
    state.counters["photos"] = double(photos);
    state.counters["peakMB"] = PeakMegabytes();
}

// Three classes of 700, stacked three to an economy page.
void BuildAndPaginateStacked3x700WithPhotos(benchmark::State &state)
{
    Fixture &fixture = SharedFixture();
    TicketOrder order = PhotoOrder(fixture);
    order.perPage = 3;
    order.stacked = true;
    const QList<QList<QVariantList>> groups { fixture.records.mid(0, 700), fixture.records.mid(700, 700),
        fixture.records.mid(1400, 700) };
    qsizetype pages = 0;
    for (auto _ : state) {
        GridData out;
        TicketJob job(nullptr, order, fixture.economyTemplate, 170);
        job.BuildStackedInto(out, groups);
        pages = Paginator::paginate(out).size();
    }
    state.counters["pages"] = double(pages);
    state.counters["peakMB"] = PeakMegabytes();
}

// Ticket pages with photos in the preview, each drawn as it is scrolled to: its photos are
// decoded for it, so this is the wait for every page a teacher turns to.
void PreviewTicketPagesWithPhotos(benchmark::State &state)
{
    constexpr int Visited = 20;
    Fixture &fixture = SharedFixture();
    TicketOrder order = PhotoOrder(fixture);
    GridData out;
    TicketJob job(nullptr, order, fixture.ticketTemplate, 170);
    job.BuildInto(out, fixture.records.mid(0, 400));
    QElapsedTimer timer;
    double ms = 0;
    int drawn = 0;
    for (auto _ : state) {
        PrintPreviewDialog preview(out, 75, true);
        preview.show();
        QCoreApplication::processEvents();
        PreviewPages *pages = preview.pageView();
        const int before = pages->renderedCount();
        timer.start();
        for (int page = 0; page < Visited; ++page) {
            pages->setCurrentPage(1 + page * pages->pageCount() / Visited);
            benchmark::DoNotOptimize(pages->grab());
        }
        ms = double(timer.nsecsElapsed()) / 1e6;
        drawn = pages->renderedCount() - before;
        state.counters["pages"] = pages->pageCount();
    }
    state.counters["drawn"] = drawn;
    state.counters["ms/page"] = ms / std::max(drawn, 1);
}

// The 5,000 tickets written to a PDF file as the preview's 打印 does, once they are built: the
// wait after 确定, and the file's size.
void WriteTicketsPdf5000WithPhotos(benchmark::State &state)
{
    Fixture &fixture = SharedFixture();
    TicketOrder order = PhotoOrder(fixture);
    GridData out;
    TicketJob job(nullptr, order, fixture.ticketTemplate, 170);
    job.BuildInto(out, fixture.records);
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tickets.pdf"));
    int pages = 0;
    for (auto _ : state) {
        PrintPreviewDialog preview(out, 75, true);
        pages = preview.pageView()->pageCount();
        QPrinter &printer = *preview.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        if (!preview.printTo(printer))
            state.SkipWithError("the PDF was not written");
    }
    state.counters["pages"] = pages;
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
    state.counters["peakMB"] = PeakMegabytes();
}

} // namespace

BENCHMARK(WriteTicketsPdf5000WithPhotos)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(PreviewTicketPagesWithPhotos)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BuildAndPaginateStacked3x700WithPhotos)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BuildAndPaginate5000TicketsWithPhotos)->Unit(benchmark::kMillisecond)->Iterations(1);
