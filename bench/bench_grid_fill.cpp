// Filling a document grid cell by cell with painting off, as a list of 100,000 examinees does,
// and repainting a window of that grid while the user scrolls through it.
#include "gridview/Grid.h"

#include <QImage>
#include <QScrollBar>
#include <benchmark/benchmark.h>

#include <malloc.h>

namespace {

constexpr int FillRows = 100000;
constexpr int FillCols = 10;

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

// One examinee row: the texts a list writes, each made afresh as a recordset hands them over.
void writeRow(Grid &grid, int row)
{
    static const QString names[] = { QStringLiteral("张三"), QStringLiteral("李四"), QStringLiteral("王小五") };
    grid.Cell(row, 0).SetTag(QStringLiteral("U"));
    grid.Cell(row, 1).SetText(QStringLiteral("第%1中学").arg(row % 60 + 1));
    grid.Cell(row, 2).SetText(QStringLiteral("%1班").arg(row % 12 + 1));
    grid.Cell(row, 3).SetText(names[row % 3] + QString::number(row % 100));
    grid.Cell(row, 4).SetText(QStringLiteral("A%1").arg(row, 6, 10, QLatin1Char('0')));
    grid.Cell(row, 5).SetText(QString::number(row / 30 + 1));
    grid.Cell(row, 6).SetText(QString::number(row % 30 + 1));
    grid.Cell(row, 7).SetText(QString::number(60 + row % 40) + QStringLiteral(".5"));
    grid.Cell(row, 8).SetText(row % 2 ? QStringLiteral("男") : QStringLiteral("女"));
    grid.Cell(row, 9).SetText(QStringLiteral("教学楼%1室").arg(row / 30 % 50 + 101));
}

void fill(Grid &grid)
{
    grid.SetAutoRedraw(false);
    grid.SetCols(FillCols);
    grid.SetRows(1);
    for (int row = 1; row < FillRows; ++row) {
        grid.SetRows(row + 1);
        writeRow(grid, row);
    }
    grid.SetAutoRedraw(true);
}

void FillGrid100kBy10(benchmark::State &state)
{
    size_t bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto *grid = new Grid;
        const size_t before = heapInUse();
        state.ResumeTiming();
        fill(*grid);
        state.PauseTiming();
        bytes = heapInUse() - before;
        delete grid;
        state.ResumeTiming();
    }
    state.counters["bytes_per_cell"] = double(bytes) / (double(FillRows) * FillCols);
}

// A list grown one row at a time, a room's location line merged across it every 30 rows: the
// time per row must not grow with the rows already there.
void GrowGridRowByRow(benchmark::State &state)
{
    const int rows = int(state.range(0));
    for (auto _ : state) {
        Grid grid;
        grid.SetAutoRedraw(false);
        grid.SetCols(FillCols);
        grid.SetRows(1);
        for (int row = 1; row < rows; ++row) {
            grid.SetRows(row + 1);
            if (row % 30 == 1) {
                grid.Cell(row, 1).SetText(QStringLiteral("考场地点：教学楼%1室").arg(row / 30 % 50 + 101));
                grid.Range(row, 1, row, FillCols - 1).Merge();
            } else {
                writeRow(grid, row);
            }
        }
    }
    state.SetComplexityN(rows);
}

void RepaintScrolledWindow(benchmark::State &state)
{
    Grid grid;
    fill(grid);
    grid.resize(1280, 800);
    grid.show();
    QImage frame(grid.viewport()->size(), QImage::Format_RGB32);
    QScrollBar *bar = grid.verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        // Scroll three rows and repaint the whole window, as a wheel step does.
        bar->setValue((step++ * 3 * GridData::DefaultRowHeight) % bar->maximum());
        grid.viewport()->render(&frame);
    }
}

} // namespace

BENCHMARK(FillGrid100kBy10)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(GrowGridRowByRow)->RangeMultiplier(2)->Range(5000, 40000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
BENCHMARK(RepaintScrolledWindow)->Unit(benchmark::kMillisecond);
