// The examinee lists users wait for, on an exam of 50,000 examinees in 1,700 rooms and 60
// schools, each from the menu click to the laid-out document:
// - 浏览/按考场 for all rooms and for one room;
// - 浏览/按学校 for one school, 浏览/按班级 for everyone;
// - 各考场首尾考号.
#include "datastore/AppState.h"
#include "grid/Grid.h"
#include "lists/ClassSchoolList.h"
#include "lists/RoomList.h"
#include "lists/RoomRangeList.h"
#include "support/SyntheticExam.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QAction>
#include <QApplication>
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

} // namespace
