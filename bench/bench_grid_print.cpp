// Printing a long document: pagination of a grid full of merges and page breaks, writing a
// thousand pages to PDF, and opening and saving a ticket template and a file full of merges.
#include "griddata/GridData.h"
#include "griddata/GridFile.h"
#include "gridprint/Paginator.h"
#include "gridprint/PdfWriter.h"
#include "gridprint/PreviewPages.h"
#include "gridprint/PrintPreviewDialog.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int PageRows = 40; // body rows between two page breaks
constexpr int Pages = 1001; // 1,000 breaks
constexpr int MergesWanted = 10000;

// The print settings every list has: the header row and grid lines printed, centred, a page
// count in the footer and the title on every page.
void printAsAList(GridData &data, double titleSize)
{
    PageSetup &setup = data.pageSetup();
    setup.PrintFixedRow = true;
    setup.PrintGridlines = true;
    setup.CenterHorizontally = true;
    setup.Footer = QStringLiteral("共&n页  第&p页");
    ReportTitle title;
    title.text = QStringLiteral("2024学年第一学期期末考试 考场名单");
    title.Font.Size = titleSize;
    title.PrintOnAllPages = true;
    data.reportTitles().Add(title);
}

// A room list of 40,000 rows, a page break every 40 rows and 10,000 two-row merges, laid out
// as the lists lay out theirs.
GridData longList()
{
    GridData data;
    data.setCols(10);
    data.setRows(PageRows * Pages + 1);
    static const QString names[] = { QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("王小五") };
    for (int row = 1; row < data.rows(); ++row) {
        data.setText(row, 1, QStringLiteral("第%1中学").arg(row % 60 + 1));
        data.setText(row, 2, names[row % 3] + QString::number(row % 100));
        data.setText(row, 3, QStringLiteral("A%1").arg(row, 6, 10, QLatin1Char('0')));
        data.setText(row, 4, QString::number(row % 30 + 1));
    }
    for (int col = 1; col < data.cols(); ++col)
        data.setColWidth(col, 70);
    for (int i = 0, row = 1; i < MergesWanted; ++i, row += 4)
        data.merge({ row, 6, row + 1, 8 });
    for (int page = 1; page < Pages; ++page)
        data.hPageBreaks().Add(1 + page * PageRows);
    printAsAList(data, 14);
    return data;
}

// A ticket template of 12 rows and 16 columns: labels, framed value cells, two photo boxes.
GridData ticketTemplate()
{
    GridData data;
    data.setCols(16);
    data.setRows(12);
    data.setText(1, 1, QStringLiteral("准考证存根"));
    data.setText(1, 9, QStringLiteral("2024年初中学业水平考试 准考证"));
    static const QString labels[] = { QStringLiteral("姓名"), QStringLiteral("考号"), QStringLiteral("座位号"),
        QStringLiteral("考场"), QStringLiteral("性别"), QStringLiteral("学校") };
    for (int i = 0; i < 6; ++i) {
        data.setText(4 + i, 3, labels[i]);
        data.setText(4 + i, 10, labels[i]);
        data.setCellType(4 + i, 11, CellTypeDropDown);
    }
    data.merge({ 1, 1, 2, 6 });
    data.merge({ 1, 9, 2, 15 });
    data.merge({ 3, 6, 8, 6 });
    data.merge({ 3, 13, 8, 13 });
    data.setBorder({ 3, 1, 10, 7 }, EdgeTop, LineThick);
    data.setBorder({ 3, 1, 10, 7 }, EdgeInsideHorizontal, LineThin);
    data.setBorder({ 3, 9, 10, 15 }, EdgeTop, LineThick);
    data.setBorder({ 3, 9, 10, 15 }, EdgeInsideHorizontal, LineThin);
    data.updateStyle({ 1, 1, 2, 15 }, [](CellStyle &style) {
        style.fontName = QStringLiteral("黑体");
        style.fontSize = 16;
        style.alignment = 10;
    });
    data.pageSetup().Orientation = 2;
    return data;
}

// The all-rooms list of 50,000 examinees as the lists lay it out: eight centred columns all
// filled, 12-point text in 27-pixel rows fitted to a portrait A4 sheet, row numbers, the
// fixed row and column and the grid lines printed in black and white, a title on every page
// and a page count in the footer: about 1,500 pages.
GridData allRoomsList()
{
    constexpr int Examinees = 50000;
    constexpr int Seats = 30;
    static const QString headers[]
        = { QStringLiteral("考号"), QStringLiteral("姓名"), QStringLiteral("性别"), QStringLiteral("学校"),
              QStringLiteral("班级"), QStringLiteral("考场"), QStringLiteral("座位号"), QStringLiteral("成绩") };
    static const QString family[] = { QStringLiteral("王"), QStringLiteral("李"), QStringLiteral("张"),
        QStringLiteral("刘"), QStringLiteral("陈"), QStringLiteral("欧阳") };
    static const QString given[] = { QStringLiteral("小明"), QStringLiteral("芳"), QStringLiteral("建国"),
        QStringLiteral("丽娟"), QStringLiteral("伟"), QStringLiteral("子涵"), QStringLiteral("浩然") };
    GridData data;
    data.setCols(9);
    data.setRows(Examinees + 2);
    QFont font = data.defaultFont();
    font.setPointSizeF(12);
    data.setDefaultFont(font);
    data.setDisplayRowIndex(true);
    for (int col = 1; col <= 8; ++col) {
        data.setText(0, col, headers[col - 1]);
        data.setColWidth(col, 75);
        data.setColAlignment(col, GridAlignment::Centred);
        data.updateStyle(CellRange::cell(0, col), [](CellStyle &style) { style.wrap = true; });
    }
    for (int row = 0; row < data.rows(); ++row)
        data.setRowHeight(row, 27);
    for (int i = 0; i < Examinees; ++i) {
        const int row = i + 1;
        const int room = i / Seats + 1;
        const int seat = i % Seats + 1;
        data.setText(
            row, 1, QStringLiteral("%1%2").arg(room, 4, 10, QLatin1Char('0')).arg(seat, 2, 10, QLatin1Char('0')));
        data.setText(row, 2, family[i % 6] + given[(i / 6) % 7]);
        data.setText(row, 3, i % 2 ? QStringLiteral("女") : QStringLiteral("男"));
        data.setText(row, 4, QStringLiteral("第%1中学").arg(i % 60 + 1));
        data.setText(row, 5, QStringLiteral("%1班").arg(i % 12 + 1));
        data.setText(row, 6, QStringLiteral("%1").arg(room, 4, 10, QLatin1Char('0')));
        data.setText(row, 7, QStringLiteral("%1").arg(seat, 2, 10, QLatin1Char('0')));
        data.setText(row, 8, QString::number(40 + (i * 7) % 61));
    }
    PageSetup &setup = data.pageSetup();
    setup.LeftMargin = setup.RightMargin = 2;
    setup.TopMargin = setup.BottomMargin = 2;
    setup.HeaderMargin = setup.FooterMargin = 1;
    setup.BlackAndWhite = true;
    setup.PrintFixedColumn = true;
    printAsAList(data, 18);
    return data;
}

void Paginate10kMerges1kBreaks(benchmark::State &state)
{
    const GridData data = longList();
    qsizetype pages = 0;
    for (auto _ : state)
        pages = Paginator::paginate(data).size();
    state.counters["pages"] = double(pages);
    state.counters["merges"] = double(data.merges().size());
    state.counters["breaks"] = double(data.hPageBreaks().Count());
}

void WritePdf1000Pages(benchmark::State &state)
{
    const GridData data = longList();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.pdf"));
    for (auto _ : state)
        benchmark::DoNotOptimize(PdfWriter::write(path, data));
    state.counters["pages"] = double(Paginator::paginate(data).size());
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
}

void WritePdfAllRooms50k(benchmark::State &state)
{
    const GridData data = allRoomsList();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rooms.pdf"));
    QElapsedTimer timer;
    double ms = 0;
    for (auto _ : state) {
        timer.start();
        benchmark::DoNotOptimize(PdfWriter::write(path, data, nullptr, int(state.range(0))));
        ms = double(timer.nsecsElapsed()) / 1e6;
    }
    const double pages = double(Paginator::paginate(data).size());
    state.counters["pages"] = pages;
    state.counters["ms/page"] = ms / pages;
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
    if (const QByteArray keep = qgetenv("KAOWU_BENCH_PDF"); !keep.isEmpty()) {
        QFile::remove(QString::fromLocal8Bit(keep));
        QFile::copy(path, QString::fromLocal8Bit(keep));
    }
}

// What a teacher waits for between 打印预览 and the first page: the pages laid out, the window
// shown and the pages in view drawn on screen.
void Preview1000Pages(benchmark::State &state)
{
    const GridData data = longList();
    for (auto _ : state) {
        PrintPreviewDialog preview(data, 75, true);
        preview.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(preview.pageView()->grab());
        state.counters["pages"] = preview.pageView()->pageCount();
        state.counters["drawn"] = preview.pageView()->renderedCount();
    }
}

void OpenTemplate12x16(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zkz2.cel"));
    GridFile::save(path, ticketTemplate());
    GridData data;
    for (auto _ : state)
        benchmark::DoNotOptimize(GridFile::load(path, data));
}

// A grid file of 80,000 merged blocks (a 1.4 MB file): opening it must not compare each block
// with every other.
void OpenGridFile80kMerges(benchmark::State &state)
{
    constexpr int Merges = 80000;
    GridData data;
    data.setCols(6);
    data.setRows(2 * Merges + 1);
    for (int i = 0; i < Merges; ++i)
        data.merge({ 1 + 2 * i, 1 + i % 2, 2 + 2 * i, 3 + i % 2 });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("merges.cel"));
    GridFile::save(path, data);
    GridData loaded;
    for (auto _ : state)
        benchmark::DoNotOptimize(GridFile::load(path, loaded));
    state.counters["merges"] = double(loaded.merges().size());
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
}

void SaveTemplate12x16(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("zkz2.cel"));
    const GridData data = ticketTemplate();
    for (auto _ : state)
        benchmark::DoNotOptimize(GridFile::save(path, data));
}

} // namespace

BENCHMARK(Paginate10kMerges1kBreaks)->Unit(benchmark::kMillisecond);
BENCHMARK(WritePdf1000Pages)->Unit(benchmark::kMillisecond)->Iterations(1);
// Threads: 1, and 0 for as many as the program takes (one a core, three at most).
BENCHMARK(WritePdfAllRooms50k)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(1)->Arg(0);
BENCHMARK(Preview1000Pages)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(OpenTemplate12x16)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveTemplate12x16)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenGridFile80kMerges)->Unit(benchmark::kMillisecond)->Iterations(1);
