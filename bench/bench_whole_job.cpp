// What a school's exam office does with 50,000 examinees, start to end, in a program of its
// own so that its peak memory is the job's: the exam workbook imported (导入数据/考场编排数据),
// 浏览/按考场/全部考场, and that list printed to a PDF file. The .xls is written first by
// tests/fixtures/make-workbooks.pl (not timed). Reports each stage's time, the pages, the
// file's size and the peak memory of the program and of the workbook reader it starts.
// The PDF is written as the program writes it; KAOWU_PDF_THREADS=1 (or another count) asks
// for that many threads instead. One job per run: a second would count the first's memory.
#include "datastore/AppState.h"
#include "datastore/ExamWorkbookImport.h"
#include "datastore/StartUp.h"
#include "gridview/Grid.h"
#include "gridprint/Paginator.h"
#include "gridprint/PdfWriter.h"
#include "lists/RoomList.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdlib>

namespace {

constexpr int kExaminees = 50000;

double peakMiB(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    return double(usage.ru_maxrss) / 1024; // kilobytes on Linux
}

void WholeJob50k(benchmark::State &state)
{
    const QTemporaryDir dir;
    const QString script
        = QStringLiteral(KAOWU_SOURCE_DIR "/tests/fixtures/make-workbooks.pl");
    const QString workbook = dir.filePath(QStringLiteral("exam.xls"));
    if (std::system(QStringLiteral("perl '%1' --exam %2 '%3'").arg(script).arg(kExaminees).arg(workbook).toLocal8Bit())
        != 0) {
        state.SkipWithError("perl could not write the workbook");
        return;
    }
    SetAppPath(dir.path());
    StartUp::Run();
    gLoggedIn = true;
    const double before = peakMiB(RUSAGE_SELF);
    frmMain main;
    const QString pdf = dir.filePath(QStringLiteral("rooms.pdf"));
    const int threads = qEnvironmentVariableIntValue("KAOWU_PDF_THREADS");
    QElapsedTimer timer;
    double importMs = 0, listMs = 0, pdfMs = 0, pages = 0;
    for (auto _ : state) {
        timer.start();
        const ImportResult imported = ImportExamWorkbook(workbook);
        main.RefreshAreaData();
        importMs = double(timer.nsecsElapsed()) / 1e6;
        state.counters["import MiB"] = peakMiB(RUSAGE_SELF);
        RoomList::gkc_Click(0);
        listMs = double(timer.nsecsElapsed()) / 1e6 - importMs;
        state.counters["list MiB"] = peakMiB(RUSAGE_SELF);
        frmDocument *list = main.ActiveForm();
        if (!imported.ok || !list || !PdfWriter::write(pdf, list->Grid1->data(), nullptr, threads)) {
            state.SkipWithError("the import, the list or the PDF failed");
            return;
        }
        pdfMs = double(timer.nsecsElapsed()) / 1e6 - importMs - listMs;
        pages = double(Paginator::paginate(list->Grid1->data()).size());
    }
    state.counters["import ms"] = importMs;
    state.counters["list ms"] = listMs;
    state.counters["pdf ms"] = pdfMs;
    state.counters["pages"] = pages;
    state.counters["MB"] = double(QFileInfo(pdf).size()) / 1e6;
    state.counters["start MiB"] = before;
    state.counters["peak MiB"] = peakMiB(RUSAGE_SELF);
    state.counters["reader MiB"] = peakMiB(RUSAGE_CHILDREN);
}
BENCHMARK(WholeJob50k)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
