// The data store's operations that users wait for, on an exam of 50,000 examinees:
// - importing the exam workbook (导入数据/考场编排数据). The .xls is written once per run by
//   tests/fixtures/make-workbooks.pl --exam 50000 (Perl Spreadsheet::WriteExcel, a few seconds,
//   not timed);
// - one round of what every command does: OpenMainDatabase, a query, close.
#include "datastore/AppState.h"
#include "datastore/ExamWorkbookImport.h"
#include "datastore/MainDatabaseScope.h"
#include "datastore/StartUp.h"
#include "support/SyntheticExam.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int examinees = 50000;

QString makeExamWorkbook(const QTemporaryDir &dir)
{
    const QString script
        = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../tests/fixtures/make-workbooks.pl");
    const QString workbook = dir.filePath(QStringLiteral("exam50000.xls"));
    const QString command = QStringLiteral("perl '%1' --exam %2 '%3'").arg(script).arg(examinees).arg(workbook);
    if (std::system(command.toLocal8Bit().constData()) != 0)
        return QString();
    return workbook;
}

void BM_ImportExamWorkbook(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString workbook = makeExamWorkbook(dir);
    if (workbook.isEmpty()) {
        state.SkipWithError("perl could not write the workbook");
        return;
    }
    SetAppPath(dir.path());
    StartUp::Run();
    for (auto _ : state) {
        const ImportResult result = ImportExamWorkbook(workbook);
        if (!result.ok) {
            state.SkipWithError(result.message.toStdString().c_str());
            return;
        }
    }
    state.counters["examinees"] = examinees;
    state.SetItemsProcessed(state.iterations() * examinees);
}
BENCHMARK(BM_ImportExamWorkbook)->Unit(benchmark::kMillisecond);

void BM_OpenQueryClose(benchmark::State &state)
{
    QTemporaryDir dir;
    SyntheticExam::Build(dir.path(), examinees, 1700, 60);
    for (auto _ : state) {
        OpenMainDatabase();
        gRs = gDb.OpenRecordset(QStringLiteral("SELECT DISTINCT 学校, 班级 FROM %1 ORDER BY 学校, 班级")
                                    .arg(db::QuoteName(gExamineeTable)));
        benchmark::DoNotOptimize(gRs.RecordCount());
        gRs = db::Recordset();
        gDb.Close();
    }
}
BENCHMARK(BM_OpenQueryClose)->Unit(benchmark::kMillisecond);

} // namespace
