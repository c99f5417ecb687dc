// The data store's operations that users wait for, on an exam of 50,000 examinees:
// - the import click (导入数据/考场编排数据 without its questions): reading the workbook in the
//   reader process, checking it, writing it and refreshing the main window, from an .xls and
//   from an .xlsx. The .xls is written once per run by tests/fixtures/make-workbooks.pl --exam
//   50000 (Perl Spreadsheet::WriteExcel, a few seconds, not timed); the .xlsx is that workbook
//   saved by LibreOffice Calc when `soffice` is installed (shared strings, as spreadsheet
//   programs write them), else written by the same script (Excel::Writer::XLSX, also shared
//   strings). The counter "reader MiB" is the reader process's peak memory on that workbook;
//   the label says who wrote the .xlsx;
// - one round of what every command does: OpenMainDatabase, a query, close;
// - a refused login, by what the user's row holds (0 a current hash, 1 no row, 2 the earlier
//   form, 3 an empty field), with the real work factor: the four should take the same time.
#include "datastore/AppState.h"
#include "datastore/ExamWorkbookImport.h"
#include "datastore/Login.h"
#include "datastore/MainDatabaseScope.h"
#include "datastore/StartUp.h"
#include "datastore/Workbook.h"
#include "support/SyntheticExam.h"
#include "workspace/frmMain.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int examinees = 50000;

bool run(const QString &command)
{
    return std::system(command.toLocal8Bit().constData()) == 0;
}

// The exam workbook as `format` ("xls" or "xlsx") in `dir`, and who wrote it; empty when it
// could not be written.
std::pair<QString, QString> makeExamWorkbook(const QTemporaryDir &dir, const QString &format)
{
    const QString script = QStringLiteral(KAOWU_SOURCE_DIR "/tests/fixtures/make-workbooks.pl");
    const QString xls = dir.filePath(QStringLiteral("exam50000.xls"));
    if (!QFileInfo::exists(xls) && !run(QStringLiteral("perl '%1' --exam %2 '%3'").arg(script).arg(examinees).arg(xls)))
        return {};
    if (format == QLatin1String("xls"))
        return { xls, QStringLiteral("Spreadsheet::WriteExcel") };
    const QString xlsx = dir.filePath(QStringLiteral("exam50000.xlsx"));
    if (!QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty()
        && run(QStringLiteral("soffice -env:UserInstallation=file://%1/lo --headless --convert-to xlsx --outdir '%1' '%2' "
                              ">/dev/null 2>&1")
                   .arg(dir.path(), xls))
        && QFileInfo::exists(xlsx))
        return { xlsx, QStringLiteral("LibreOffice Calc") };
    if (run(QStringLiteral("perl '%1' --exam %2 '%3'").arg(script).arg(examinees).arg(xlsx)))
        return { xlsx, QStringLiteral("Excel::Writer::XLSX") };
    return {};
}

// The reader process's peak memory on `workbook`, run as the import runs it. GNU time starts
// it: a process started from this one would count the pages it shares with this one.
double readerMiB(const QTemporaryDir &dir, const QString &workbook)
{
    const QString out = dir.filePath(QStringLiteral("reader-kb"));
    if (!run(QStringLiteral("/usr/bin/time -f %M -o '%1' '%2' %3 %4 '%5' >/dev/null")
                 .arg(out, Workbook::ReaderProgram())
                 .arg(Workbook::kTimeLimitSeconds)
                 .arg(Workbook::kMemoryLimitMegabytes)
                 .arg(workbook)))
        return -1;
    QFile file(out);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toDouble() / 1024 : -1;
}

void BM_ImportClick(benchmark::State &state, const QString &format)
{
    QTemporaryDir dir;
    const auto [workbook, writer] = makeExamWorkbook(dir, format);
    if (workbook.isEmpty()) {
        state.SkipWithError("the workbook could not be written");
        return;
    }
    SetAppPath(dir.path());
    StartUp::Run();
    frmMain main;
    for (auto _ : state) {
        const ImportResult result = ImportExamWorkbook(workbook);
        main.RefreshAreaData();
        if (!result.ok) {
            state.SkipWithError(result.message.toStdString().c_str());
            return;
        }
    }
    state.SetLabel(writer.toStdString());
    state.counters["examinees"] = examinees;
    state.counters["reader MiB"] = readerMiB(dir, workbook);
}
BENCHMARK_CAPTURE(BM_ImportClick, xls, QStringLiteral("xls"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ImportClick, xlsx, QStringLiteral("xlsx"))->Unit(benchmark::kMillisecond);

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

void BM_RefusedLogin(benchmark::State &state)
{
    QTemporaryDir dir;
    SetAppPath(dir.path());
    StartUp::Run();
    {
        MainDatabaseScope scope;
        gDb.Execute(QStringLiteral("INSERT INTO usqmtx1 (feld1, feld2) VALUES (?, ?), (?, ?)"),
            { QStringLiteral("earlier"),
                QStringLiteral("sha256$00112233445566778899aabbccddeeff$"
                               "f73efbf10618a73d7b4e790ba5747144a10a2b1c5db3d5391171a9aeb87e3072"),
                QStringLiteral("empty"), QString() });
    }
    const QString users[] = { QStringLiteral("admin"), QStringLiteral("nobody"), QStringLiteral("earlier"),
        QStringLiteral("empty") };
    const QString user = users[state.range(0)];
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckLogin(user, QStringLiteral("wrong")));
}
BENCHMARK(BM_RefusedLogin)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace
