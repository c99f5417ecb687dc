// The examinee lists users wait for, on an exam of 50,000 examinees in 1,700 rooms and 60
// schools, each from the menu click to the laid-out document:
// - 浏览/按考场 for all rooms and for one room;
// - 浏览/按学校 for one school, 浏览/按班级 for everyone;
// - 各考场首尾考号;
// - the all-rooms list from the menu click to its written PDF, on one thread and on as many
//   as the program takes (argument 0).
#include "datastore/AppState.h"
#include "gridview/Grid.h"
#include "gridprint/Paginator.h"
#include "gridprint/PdfWriter.h"
#include "lists/ClassSchoolList.h"
#include "lists/RoomList.h"
#include "lists/RoomRangeList.h"
#include "support/SyntheticExam.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMdiArea>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <functional>

namespace {

constexpr int kExaminees = 50000;
constexpr int kRooms = 1700;
constexpr int kSchools = 60;

void BuildExam()
{
    SyntheticExam::BuildOnce(kExaminees, kRooms, kSchools, SyntheticExam::Numbers::RoomAndSeat);
}

void TimeList(benchmark::State &state, const std::function<void(frmMain &)> &list)
{
    BuildExam();
    frmMain main;
    int rows = 0;
    for (auto _ : state) {
        list(main);
        state.PauseTiming();
        rows = main.ActiveForm() ? main.ActiveForm()->Grid1->Rows() - 2 : -1;
        CloseDocuments(main);
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}

void BM_RoomListAllRooms(benchmark::State &state)
{
    TimeList(state, [](frmMain &) { RoomList::gkc_Click(0); });
}
BENCHMARK(BM_RoomListAllRooms)->Unit(benchmark::kMillisecond);

void BM_RoomListOneRoom(benchmark::State &state)
{
    TimeList(state, [](frmMain &main) { RoomList::gkc_Click(main.MenuItemCount(QStringLiteral("gkc")) / 2); });
}
BENCHMARK(BM_RoomListOneRoom)->Unit(benchmark::kMillisecond);

void BM_SchoolListOneSchool(benchmark::State &state)
{
    TimeList(state, [](frmMain &) { ClassSchoolList::gxx_Click(1); });
}
BENCHMARK(BM_SchoolListOneSchool)->Unit(benchmark::kMillisecond);

void BM_ClassListEveryone(benchmark::State &state)
{
    TimeList(state, [](frmMain &) { ClassSchoolList::gbj_Click(0); });
}
BENCHMARK(BM_ClassListEveryone)->Unit(benchmark::kMillisecond);

void BM_FirstAndLastNumbers(benchmark::State &state)
{
    TimeList(state, [](frmMain &) { RoomRangeList::qzkh_Click(); });
}
BENCHMARK(BM_FirstAndLastNumbers)->Unit(benchmark::kMillisecond);

void BM_AllRoomsListToPdf(benchmark::State &state)
{
    BuildExam();
    frmMain main;
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rooms.pdf"));
    QElapsedTimer timer;
    double ms = 0;
    double pages = 0;
    for (auto _ : state) {
        timer.start();
        RoomList::gkc_Click(0);
        if (!main.ActiveForm() || !PdfWriter::write(path, main.ActiveForm()->Grid1->data(), nullptr, int(state.range(0)))) {
            state.SkipWithError("no list or no PDF");
            return;
        }
        ms = double(timer.nsecsElapsed()) / 1e6;
        state.PauseTiming();
        pages = double(Paginator::paginate(main.ActiveForm()->Grid1->data()).size());
        CloseDocuments(main);
        state.ResumeTiming();
    }
    state.counters["pages"] = pages;
    state.counters["ms/page"] = ms / pages;
    state.counters["MB"] = double(QFileInfo(path).size()) / 1e6;
}
BENCHMARK(BM_AllRoomsListToPdf)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3)->Arg(1)->Arg(0);

} // namespace
