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
TEST(ImportTable, PutFirstBringsRequiredColumnsForwardWithTheirValues)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    db::Database database;
    database.Open(dir.filePath("rooms.db"), true);

    WorksheetCells sheet;
    sheet.rows = { { "序号", "考场地点", "考生数", "考场号" }, { 1.0, "教学楼101", 30.0, 7.0 },
        { 2.0, "实验楼201", 28.0, 8.0 } };
    ImportTable rooms = ImportTable::FromSheet(sheet, { "考场号", "考生数" });
    rooms.PutFirst({ "考场号", "考生数", "考场地点", "不在表中" });
    rooms.WriteTo(database, "考场表1");

    EXPECT_EQ(database.FieldNames("考场表1"), QStringList({ "考场号", "考生数", "考场地点", "序号" }));
    EXPECT_EQ(tableRows(database, "考场表1"), QStringList({ "7|30|教学楼101|1", "8|28|实验楼201|2" }));
    EXPECT_FALSE(rooms.IsNumeric(2));
    EXPECT_TRUE(rooms.IsNumeric(3));
}
