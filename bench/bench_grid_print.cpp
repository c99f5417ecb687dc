// Printing a long document: pagination of a grid full of merges and page breaks, writing a
// thousand pages to PDF, and opening and saving a ticket template and a file full of merges.
#include "grid/GridData.h"
#include "grid/GridFile.h"
#include "grid/Paginator.h"
#include "grid/PdfWriter.h"
#include "grid/PrintPreviewDialog.h"

#include <QFileInfo>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int PageRows = 40; // body rows between two page breaks
constexpr int Pages = 1001; // 1,000 breaks
constexpr int MergesWanted = 10000;

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
    PageSetup &setup = data.pageSetup();
    setup.PrintFixedRow = true;
    setup.PrintGridlines = true;
    setup.CenterHorizontally = true;
    setup.Footer = QStringLiteral("共&n页  第&p页");
    ReportTitle title;
    title.text = QStringLiteral("2024学年第一学期期末考试 考场名单");
    title.Font.Size = 14;
    title.PrintOnAllPages = true;
    data.reportTitles().Add(title);
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

// What a teacher waits for between 打印预览 and the first page: every page laid out and drawn
// into the preview.
void Preview1000Pages(benchmark::State &state)
{
    const GridData data = longList();
    for (auto _ : state) {
        PrintPreviewDialog preview(data, 75, true);
        preview.previewWidget()->updatePreview();
        state.counters["pages"] = preview.previewWidget()->pageCount();
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
BENCHMARK(Preview1000Pages)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(OpenTemplate12x16)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveTemplate12x16)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenGridFile80kMerges)->Unit(benchmark::kMillisecond)->Iterations(1);
