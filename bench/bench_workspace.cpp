// What the main window makes users wait for, on an exam of 50,000 examinees in 1,700 rooms:
// - filling a new document from the whole examinee table (FillGridFromTable);
// - the examinee-list and statistics layouts of that document;
// - starting the main window (browse menus of 1,700 rooms and 60 schools, the room count);
// - rebuilding the browse menus after an import.
#include "datastore/AppState.h"
#include "gridview/Grid.h"
#include "support/SyntheticExam.h"
#include "workspace/GridFill.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QApplication>
#include <QMdiArea>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kExaminees = 50000;
constexpr int kRooms = 1700;
constexpr int kSchools = 60;

QString ExamDir()
{
    return SyntheticExam::BuildOnce(kExaminees, kRooms, kSchools);
}

void BM_FillGridFromTable(benchmark::State &state)
{
    ExamDir();
    frmMain main;
    for (auto _ : state) {
        main.LoadNewDoc();
        gDocTitle = QStringLiteral("考生表");
        FillGridFromTable(GetDbPath(), gExamineeTable);
        benchmark::DoNotOptimize(main.ActiveForm()->Grid1->Rows());
        state.PauseTiming();
        CloseDocuments(main);
        state.ResumeTiming();
    }
    state.counters["rows"] = kExaminees;
}
BENCHMARK(BM_FillGridFromTable)->Unit(benchmark::kMillisecond);

// Each round fills a new document untimed; a fixed number of rounds keeps the run short, as
// the layout itself takes a small part of a round.
template <typename Layout> void TimeLayout(benchmark::State &state, Layout layout)
{
    ExamDir();
    frmMain main;
    for (auto _ : state) {
        state.PauseTiming();
        main.LoadNewDoc();
        gDocTitle = QStringLiteral("考生表");
        FillGridFromTable(GetDbPath(), gExamineeTable);
        state.ResumeTiming();
        layout(main);
        state.PauseTiming();
        CloseDocuments(main);
        state.ResumeTiming();
    }
    state.counters["rows"] = kExaminees;
}

void BM_LayoutExamineeList(benchmark::State &state)
{
    TimeLayout(state, [](frmMain &main) { main.LayoutExamineeList(); });
}
BENCHMARK(BM_LayoutExamineeList)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LayoutRoomList(benchmark::State &state)
{
    TimeLayout(state, [](frmMain &main) { main.LayoutRoomList(QStringLiteral("考号：1--30"), QStringLiteral("b")); });
}
BENCHMARK(BM_LayoutRoomList)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LayoutListReport(benchmark::State &state)
{
    TimeLayout(state, [](frmMain &) { LayoutListReport(); });
}
BENCHMARK(BM_LayoutListReport)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MainWindowLoad(benchmark::State &state)
{
    ExamDir();
    for (auto _ : state) {
        frmMain main;
        benchmark::DoNotOptimize(main.mRoomCount);
    }
    state.counters["rooms"] = kRooms;
}
BENCHMARK(BM_MainWindowLoad)->Unit(benchmark::kMillisecond);

void BM_RefreshAreaData(benchmark::State &state)
{
    ExamDir();
    frmMain main;
    for (auto _ : state)
        main.RefreshAreaData();
    state.counters["rooms"] = kRooms;
}
BENCHMARK(BM_RefreshAreaData)->Unit(benchmark::kMillisecond);

void BM_LoadRoomPlaces(benchmark::State &state)
{
    ExamDir();
    frmMain main;
    for (auto _ : state)
        main.LoadRoomPlaces();
    state.counters["rooms"] = kRooms;
}
BENCHMARK(BM_LoadRoomPlaces)->Unit(benchmark::kMillisecond);

} // namespace
