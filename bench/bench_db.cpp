// The database layer on its own: reading a whole examinee table of a large exam into a
// recordset, as the lists and the grid fill do.
#include "db/Database.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int Examinees = 50000;

QString writeExam(const QTemporaryDir &dir)
{
    const QString path = dir.filePath("sujuf.mdb");
    db::Database db;
    db.Open(path, true);
    db.Execute("CREATE TABLE 考生表1 (学校 TEXT COLLATE NOCASE, 班级 TEXT COLLATE NOCASE, 姓名 TEXT COLLATE NOCASE, "
               "性别 TEXT COLLATE NOCASE, 成绩 DOUBLE, 考场 DOUBLE, 考号 DOUBLE, 座位号 DOUBLE)");
    db::Database::Transaction transaction(db);
    for (int i = 0; i < Examinees; ++i) {
        db.Execute("INSERT INTO 考生表1 VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
            { QString("第%1中学").arg(i % 60), QString::number(i % 1000 / 60 + 1), QString("考生%1").arg(i),
                i % 2 ? "男" : "女", 40 + (i * 37 % 600) / 10.0, i / 30 + 1, 20260000 + i, i % 30 + 1 });
    }
    transaction.Commit();
    return path;
}

void OpenSelectAllClose(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = writeExam(dir);
    for (auto _ : state) {
        db::Database db;
        db.Open(path);
        db::Recordset rs = db.OpenRecordset("select * from 考生表1");
        benchmark::DoNotOptimize(rs.RecordCount());
        db.Close();
    }
    state.counters["rows"] = Examinees;
}

} // namespace

BENCHMARK(OpenSelectAllClose)->Unit(benchmark::kMillisecond);
