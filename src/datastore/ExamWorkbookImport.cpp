#include "datastore/ExamWorkbookImport.h"

#include "datastore/AppState.h"
#include "datastore/DatabaseMessage.h"
#include "datastore/ExamRoomDisplayColumns.h"
#include "datastore/MainDatabaseScope.h"
#include "datastore/Workbook.h"
#include "db/Error.h"
#include "memory/FreedMemory.h"

#include <QFileInfo>
#include <new>
#include <tuple>
#include <utility>

namespace {

const QString examineeSheet = QStringLiteral("Sheet1");
const QString roomSheet = QStringLiteral("Sheet2");
const QString unchanged = QStringLiteral("原有数据没有改变。");

QStringList examineeColumns()
{
    return { QStringLiteral("学校"), QStringLiteral("班级"), QStringLiteral("姓名"), QStringLiteral("成绩"),
        QStringLiteral("考场"), QStringLiteral("考号"), QStringLiteral("座位号") };
}

QStringList arrangementColumns()
{
    return { QStringLiteral("考场"), QStringLiteral("考号"), QStringLiteral("座位号") };
}

QStringList roomColumns()
{
    return { QStringLiteral("考场号"), QStringLiteral("考生数"), QStringLiteral("考场地点") };
}

ImportTable::Rules columnRules()
{
    ImportTable::Rules rules;
    // Scores, rooms, exam and seat numbers and capacities are counted and compared as numbers
    // everywhere, whatever the workbook's cells hold.
    rules.numeric = { QStringLiteral("成绩"), QStringLiteral("考场"), QStringLiteral("考号"), QStringLiteral("座位号"),
        QStringLiteral("考场号"), QStringLiteral("考生数") };
    rules.identities
        = { QStringLiteral("考场"), QStringLiteral("考号"), QStringLiteral("座位号"), QStringLiteral("考场号") };
    // The lists select each examinee's room once more under this name, and hide that column.
    rules.reserved = { QStringLiteral("所在考场") };
    return rules;
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

QString tooManyColumnsMessage(const QString &sheet, const ImportTable &table)
{
    if (table.Names().size() <= ImportTable::kMaxColumns)
        return QString();
    return QStringLiteral("导入失败：工作表 %1 有 %2 列，一个工作表最多只能有 %3 列。")
        .arg(sheet)
        .arg(table.Names().size())
        .arg(ImportTable::kMaxColumns);
}

// The current examinees, and how many of them have a room, an exam number or a seat.
std::pair<int, int> examineeCounts()
{
    try {
        MainDatabaseScope scope;
        // A table without the arrangement columns has nobody arranged.
        const QStringList present = gDb.FieldNames(gExamineeTable);
        QStringList set;
        for (const QString &column : arrangementColumns())
            if (present.contains(column))
                set << QStringLiteral("nullif(%1, '') IS NOT NULL").arg(db::QuoteName(column));
        const QString arranged = set.isEmpty()
            ? QStringLiteral("0")
            : QStringLiteral("count(CASE WHEN %1 THEN 1 END)").arg(set.join(QStringLiteral(" OR ")));
        db::Recordset count = gDb.OpenRecordset(
            QStringLiteral("SELECT count(*), %1 FROM %2").arg(arranged, db::QuoteName(gExamineeTable)));
        if (count.EOF())
            return { 0, 0 };
        return { count.Fields(0).Value().toInt(), count.Fields(1).Value().toInt() };
    } catch (const db::Error &) {
        return { 0, 0 }; // no table yet: nothing to replace
    }
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

} // namespace

ImportResult ExamWorkbookImport::Read(const QString &path, ReaderWait *wait)
{
    m_ready = false;
    ImportResult result;
    try {
        result = readChecked(path, wait);
    } catch (const std::bad_alloc &) {
        m_examinees = ImportTable();
        m_rooms = ImportTable();
        result = ImportResult::Failure(QStringLiteral("内存不足，无法导入该工作簿。"));
    }
    if (result.cancelled)
        return result;
    if (!result.ok)
        return ImportResult::Failure(result.message + '\n' + unchanged);
    m_ready = true;
    return result;
}

ImportResult ExamWorkbookImport::readChecked(const QString &path, ReaderWait *wait)
{
    // Step 1: read every cell before touching the database.
    Workbook workbook;
    if (!workbook.Load(path, wait)) {
        ImportResult failure = ImportResult::Failure(workbook.ErrorText());
        failure.cancelled = workbook.Cancelled();
        return failure;
    }
    const QString sheetsMessage = missingSheetsMessage(workbook);
    if (!sheetsMessage.isEmpty())
        return ImportResult::Failure(sheetsMessage);

    // Step 2: shape both sheets into tables and check their columns and values.
    ImportNotes notes;
    ImportNotes problems;
    const ImportTable::Rules rules = columnRules();
    m_examinees = ImportTable::FromSheet(workbook.TakeSheet(examineeSheet), rules, notes, problems);
    m_rooms = ImportTable::FromSheet(workbook.TakeSheet(roomSheet), rules, notes, problems);
    // Room tables are read by position everywhere (number first, location third), whatever
    // order the sheet gave its columns in.
    m_rooms.PutFirst(roomColumns());
    QStringList refusals;
    for (const QString &text : { tooManyColumnsMessage(examineeSheet, m_examinees),
             tooManyColumnsMessage(roomSheet, m_rooms),
             missingColumnsMessage(examineeSheet, m_examinees, examineeColumns()),
             missingColumnsMessage(roomSheet, m_rooms, roomColumns()) })
        if (!text.isEmpty())
            refusals << text;
    if (!problems.IsEmpty())
        refusals << QStringLiteral("导入失败：以下单元格不能作为考场、考号或座位号：\n") + problems.Text();
    if (!refusals.isEmpty())
        return ImportResult::Failure(refusals.join('\n'));

    m_areaName = QFileInfo(path).completeBaseName();
    m_notes = notes.IsEmpty() ? QString() : notes.Text();
    std::tie(m_replaced, m_replacedArranged) = examineeCounts();
    return ImportResult::Success(m_notes);
}

int ExamWorkbookImport::ExamineesUnarranged() const
{
    return m_examinees.RowsMissingAny(arrangementColumns());
}

ImportResult ExamWorkbookImport::Write()
{
    if (!m_ready)
        return ImportResult::Failure(unchanged);
    m_ready = false;
    // The read cells are written once: let them go, whatever happens, and their memory with
    // them (50,000 examinees are tens of megabytes).
    struct Release {
        ExamWorkbookImport &import;
        ~Release()
        {
            import.m_examinees = ImportTable();
            import.m_rooms = ImportTable();
            memory::ReturnFreedMemory();
        }
    } release { *this };
    // Step 3: replace tables, area name and display setting all at once.
    try {
        writeAll(m_examinees, m_rooms, m_areaName);
    } catch (const db::Error &error) {
        return ImportResult::Failure(QStringLiteral("导入失败。") + DatabaseMessage(error));
    } catch (const std::bad_alloc &) {
        return ImportResult::Failure(QStringLiteral("内存不足，导入失败。") + unchanged);
    }
    gCurrentAreaName = m_areaName;
    LoadExamRoomDisplayColumns();
    return ImportResult::Success(m_notes);
}

ImportResult ImportExamWorkbook(const QString &path)
{
    ExamWorkbookImport import;
    const ImportResult read = import.Read(path);
    return read.ok ? import.Write() : read;
}
