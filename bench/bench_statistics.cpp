// The statistics users wait for, on an exam of 50,000 examinees in 1,700 rooms and 30 schools:
// - 精简统计, from the click to the laid-out document;
// - 全面统计 of one school, 考生表信息/按班级;
// - 混排检测, reading the examinees in exam-number order and walking them, its messages answered
//   by a script.
#include "gridview/Grid.h"
#include "prompts/Prompts.h"
#include "statistics/InformationReports.h"
#include "statistics/MixedRoomCheck.h"
#include "statistics/RoomStatistics.h"
#include "support/SyntheticExam.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QApplication>
#include <QMdiArea>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <functional>

namespace {

constexpr int kExaminees = 50000;
constexpr int kRooms = 1700;
constexpr int kSchools = 30;

void BuildExam()
{
    SyntheticExam::BuildOnce(kExaminees, kRooms, kSchools);
}

// Answers every message at once and counts them.
class CountingPrompts : public Prompts {
public:
    CountingPrompts() { Prompts::install(this); }
    ~CountingPrompts() override { Prompts::install(nullptr); }
    int messages = 0;

    QMessageBox::StandardButton message(
        QWidget *, const QString &, const QString &, QMessageBox::Icon, QMessageBox::StandardButtons) override
    {
        ++messages;
        return QMessageBox::Ok;
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString folder(QWidget *, const QString &, const QString &) override { return {}; }
    bool font(QWidget *, QFont &) override { return false; }
    bool color(QWidget *, QColor &) override { return false; }
};

void TimeReport(benchmark::State &state, const std::function<frmDocument *()> &report)
{
    BuildExam();
    frmMain main;
    CountingPrompts prompts;
    int rows = 0;
    int cols = 0;
    for (auto _ : state) {
        frmDocument *document = report();
        state.PauseTiming();
        rows = document ? document->Grid1->Rows() : -1;
        cols = document ? document->Grid1->Cols() : -1;
        CloseDocuments(main);
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.counters["cols"] = cols;
    state.counters["messages"] = prompts.messages;
}

void BM_CompactStatistics(benchmark::State &state)
{
    TimeReport(state, [] { return RoomStatistics::jinjtj_Click(); });
}
BENCHMARK(BM_CompactStatistics)->Unit(benchmark::kMillisecond);

void BM_OneSchoolStatistics(benchmark::State &state)
{
    TimeReport(state, [] { return RoomStatistics::tjschoo_Click(1); });
}
BENCHMARK(BM_OneSchoolStatistics)->Unit(benchmark::kMillisecond);

void BM_InformationByClass(benchmark::State &state)
{
    TimeReport(state, [] { return InformationReports::anbj_Click(); });
}
BENCHMARK(BM_InformationByClass)->Unit(benchmark::kMillisecond);

void BM_MixedRoomCheck(benchmark::State &state)
{
    BuildExam();
    frmMain main;
    CountingPrompts prompts;
    for (auto _ : state)
        MixedRoomCheck::hbjc_Click();
    state.counters["messages"] = double(prompts.messages) / double(state.iterations());
}
BENCHMARK(BM_MixedRoomCheck)->Unit(benchmark::kMillisecond);

} // namespace
