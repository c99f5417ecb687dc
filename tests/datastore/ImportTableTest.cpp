#include "datastore/ImportTable.h"
#include "db/Database.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList tableRows(db::Database &database, const QString &table)
{
    db::Recordset rs = database.OpenRecordset(QStringLiteral("SELECT * FROM %1").arg(db::QuoteName(table)));
    QStringList rows;
    for (; !rs.EOF(); rs.MoveNext()) {
        QStringList cells;
        for (int i = 0; i < rs.FieldCount(); ++i)
            cells << db::VbText(rs.Fields(i).Value());
        rows << cells.join('|');
    }
    return rows;
}

} // namespace

// The rest of the program reads a room table by position (room number first, location third),
// so a sheet that lists its columns in another order, or with a column of its own in front,
// must still give the required columns first, in their order, each value under its own name.
// A column with neither a name nor a value, and a row of blanks only, are left out.
TEST(ImportTable, PutFirstBringsRequiredColumnsForwardWithTheirValues)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    db::Database database;
    database.Open(dir.filePath("rooms.db"), true);

    WorksheetCells sheet;
    sheet.rows = { { "序号", "考场地点", QVariant(), "考生数", "考场号" }, { 1.0, "教学楼101", QVariant(), 30.0, 7.0 },
        { " ", "\t", QVariant(), QVariant(), " " }, { 2.0, "实验楼201", " ", 28.0, 8.0 } };
    ImportNotes notes;
    ImportNotes problems;
    ImportTable rooms = ImportTable::FromSheet(std::move(sheet), { { "考场号", "考生数" }, {}, {} }, notes, problems);
    rooms.PutFirst({ "考场号", "考生数", "考场地点", "不在表中" });
    rooms.WriteTo(database, "考场表1");

    EXPECT_EQ(database.FieldNames("考场表1"), QStringList({ "考场号", "考生数", "考场地点", "序号" }));
    EXPECT_EQ(tableRows(database, "考场表1"), QStringList({ "7|30|教学楼101|1", "8|28|实验楼201|2" }));
    EXPECT_FALSE(rooms.IsNumeric(2));
    EXPECT_TRUE(rooms.IsNumeric(3));
}

// What a workbook holds that the table cannot keep as it is: each value dropped or refused
// names its sheet, row (as Excel numbers it) and column.
TEST(ImportTable, ValuesItCannotKeepAreNamedByRowAndColumn)
{
    WorksheetCells sheet;
    sheet.name = "Sheet1";
    sheet.rows = { { "姓名", "成绩", "考场", "考号", "座位号", "考号 ", "所在考场" },
        { "张伟", "abc", 1.0, 101.0, 1.0, "A-01", "东楼" }, {}, { "王芳", 92.0, "二", "007", -1.0, "A-02", QVariant() },
        { "李娜", " 75 ", 2.0, 103.0, 1.5, QVariant(), QVariant(), "表外" } };
    ImportNotes notes;
    ImportNotes problems;
    const ImportTable table = ImportTable::FromSheet(std::move(sheet),
        { { "成绩", "考场", "考号", "座位号" }, { "考场", "考号", "座位号" }, { "所在考场" } }, notes, problems);

    EXPECT_EQ(table.Names(), QStringList({ "姓名", "成绩", "考场", "考号", "座位号", "考号_2", "所在考场_2", "F8" }));
    EXPECT_EQ(notes.Text(),
        "工作表 Sheet1 第 2 行“成绩”列：“abc”不是数字，已留空。\n"
        "工作表 Sheet1 第 6 列的列名“考号 ”已被占用，改名为“考号_2”。\n"
        "工作表 Sheet1 第 7 列的列名“所在考场”已被占用，改名为“所在考场_2”。");
    EXPECT_EQ(problems.Text(),
        "工作表 Sheet1 第 4 行“考场”列：“二”不是正整数，不能作为考场。\n"
        "工作表 Sheet1 第 4 行“座位号”列：“-1”不是正整数，不能作为座位号。\n"
        "工作表 Sheet1 第 5 行“座位号”列：“1.5”不是正整数，不能作为座位号。");
    // The second 考号 keeps its texts; digits given as text count as numbers where numbers belong.
    EXPECT_FALSE(table.IsNumeric(5));
    ASSERT_EQ(table.RowCount(), 3);
    EXPECT_EQ(table.Row(0)[5], QVariant("A-01"));
    EXPECT_EQ(table.Row(1)[3], QVariant(7.0));
    EXPECT_EQ(table.Row(2)[1], QVariant(75.0));
    EXPECT_EQ(table.Row(2)[7], QVariant("表外"));
    EXPECT_EQ(table.RowsMissingAny({ "考场", "考号", "座位号" }), 1);
}

TEST(ImportNotes, KeepsTheFirstTenAndCountsTheRest)
{
    ImportNotes notes;
    EXPECT_TRUE(notes.IsEmpty());
    for (int i = 1; i <= 25; ++i)
        notes.Add(QString::number(i));
    const QStringList lines = notes.Text().split('\n');
    EXPECT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[9], "10");
    EXPECT_EQ(lines[10], "……共 25 处。");
}
