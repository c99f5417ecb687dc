#include "datastore/ExamWorkbookImport.h"

#include "datastore/AppState.h"
#include "datastore/ExamRoomDisplayColumns.h"
#include "datastore/ImportTable.h"
#include "datastore/MainDatabaseScope.h"
#include "datastore/Workbook.h"
#include "db/Error.h"

#include <QFileInfo>
#include <new>

namespace {

const QString examineeSheet = QStringLiteral("Sheet1");
const QString roomSheet = QStringLiteral("Sheet2");

QStringList examineeColumns()
{
    return { QStringLiteral("学校"), QStringLiteral("班级"), QStringLiteral("姓名"), QStringLiteral("成绩"),
        QStringLiteral("考场"), QStringLiteral("考号"), QStringLiteral("座位号") };
}

QStringList roomColumns()
{
    return { QStringLiteral("考场号"), QStringLiteral("考生数"), QStringLiteral("考场地点") };
}

// Scores, rooms, exam and seat numbers and capacities are counted and compared as numbers
// everywhere, whatever the workbook's cells hold.
QSet<QString> numericColumns()
{
    return { QStringLiteral("成绩"), QStringLiteral("考场"), QStringLiteral("考号"), QStringLiteral("座位号"),
        QStringLiteral("考场号"), QStringLiteral("考生数") };
}

QString allShown(int columnCount)
{
    QStringList positions;
    for (int i = 1; i <= columnCount; ++i)
        positions << QString::number(i);
    return positions.join(',');
}

QString missingSheetsMessage(const Workbook &workbook)
{
    QStringList missing;
    for (const QString &name : { examineeSheet, roomSheet })
        if (!workbook.Sheet(name))
            missing << name;
    if (missing.isEmpty())
        return QString();
    return QStringLiteral("导入失败：工作簿中没有工作表 %1。").arg(missing.join(QStringLiteral("、")));
}

QString missingColumnsMessage(const QString &sheet, const ImportTable &table, const QStringList &required)
{
    const QStringList missing = table.MissingColumns(required);
    if (missing.isEmpty())
        return QString();
    return QStringLiteral("导入失败：工作表 %1 缺少列：%2。").arg(sheet, missing.join(QStringLiteral("、")));
}

void writeAll(const ImportTable &examinees, const ImportTable &rooms, const QString &areaName)
{
    MainDatabaseScope scope;
    db::Database::Transaction transaction(gDb);
    examinees.WriteTo(gDb, gExamineeTable);
    rooms.WriteTo(gDb, gExamRoomTable);
    gDb.Execute(QStringLiteral("UPDATE sjqtab SET 数据区名 = ? WHERE 数据区 = ?"), { areaName, gCurrentArea });
    const QString settings = db::QuoteName(gSettingsTable);
    const QString shown = allShown(examinees.Names().size());
    if (gDb.Execute(
            QStringLiteral("UPDATE %1 SET s1 = ? WHERE 项目 = ?").arg(settings), { shown, QStringLiteral("考场显示") })
        == 0)
        gDb.Execute(QStringLiteral("INSERT INTO %1 (项目, s1) VALUES (?, ?)").arg(settings),
            { QStringLiteral("考场显示"), shown });
    transaction.Commit();
}

ImportResult importExam(const QString &path)
{
    // Step 1: read every cell before touching the database.
    Workbook workbook;
    if (!workbook.Load(path))
        return ImportResult::Failure(workbook.ErrorText());
    const QString sheetsMessage = missingSheetsMessage(workbook);
    if (!sheetsMessage.isEmpty())
        return ImportResult::Failure(sheetsMessage);

    // Step 2: shape both sheets into tables and check their columns.
    const ImportTable examinees = ImportTable::FromSheet(*workbook.Sheet(examineeSheet), numericColumns());
    ImportTable rooms = ImportTable::FromSheet(*workbook.Sheet(roomSheet), numericColumns());
    // Room tables are read by position everywhere (number first, location third), whatever
    // order the sheet gave its columns in.
    rooms.PutFirst(roomColumns());
    QStringList problems;
    for (const QString &text : { missingColumnsMessage(examineeSheet, examinees, examineeColumns()),
             missingColumnsMessage(roomSheet, rooms, roomColumns()) })
        if (!text.isEmpty())
            problems << text;
    if (!problems.isEmpty())
        return ImportResult::Failure(problems.join('\n'));

    // Step 3: replace tables, area name and display setting all at once.
    const QString areaName = QFileInfo(path).completeBaseName();
    try {
        writeAll(examinees, rooms, areaName);
    } catch (const db::Error &error) {
        return ImportResult::Failure(QStringLiteral("导入失败，原有数据没有改变：%1").arg(error.message()));
    }
    gCurrentAreaName = areaName;
    LoadExamRoomDisplayColumns();
    return ImportResult::Success();
}

} // namespace

ImportResult ImportExamWorkbook(const QString &path)
{
    try {
        return importExam(path);
    } catch (const std::bad_alloc &) {
        return ImportResult::Failure(QStringLiteral("内存不足，无法导入该工作簿。"));
    }
}
