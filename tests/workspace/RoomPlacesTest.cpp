#include "MainWindowFixture.h"
#include "datastore/AppState.h"
#include "support/TestDataFile.h"

namespace {

void ReplaceRooms(const QString &table, const QList<QVariantList> &rows)
{
    TestDataFile::Execute(QStringLiteral("delete from ") + TestDataFile::Quoted(table));
    TestDataFile::ExecuteRows(
        QStringLiteral("insert into ") + TestDataFile::Quoted(table) + QStringLiteral(" values (?, ?, ?)"), rows);
}

QStringList Places(int from, int to)
{
    QStringList places;
    for (int room = from; room <= to; ++room)
        places << gRoomPlaces[room];
    return places;
}

} // namespace

class RoomPlacesTest : public MainWindowFixture {
protected:
    void SetUp() override { openWindow(); }
};

TEST_F(RoomPlacesTest, BoundsAreTheSmallestAndLargestRoomAndGapsReadEmpty)
{
    ReplaceRooms(gExamRoomTable, { { 7, 30, "实验楼301" }, { 3, 30, "教学楼101" }, { 5, 30, "教学楼201" } });
    window->LoadRoomPlaces();
    EXPECT_EQ(gRoomPlaces.Lower(), 3);
    EXPECT_EQ(gRoomPlaces.Upper(), 7);
    EXPECT_EQ(Places(2, 8), (QStringList { "", "教学楼101", "", "教学楼201", "", "实验楼301", "" }));

    ReplaceRooms(gExamRoomTable, { { 12, 30, "礼堂" }, { 2000000000, 30, "远处" } });
    window->LoadRoomPlaces();
    EXPECT_EQ(gRoomPlaces.Lower(), 12);
    EXPECT_EQ(gRoomPlaces[2000000000], "远处");
    EXPECT_EQ(Places(3, 7), QStringList(5, QString()));
}

TEST_F(RoomPlacesTest, NullRoomIsSkippedAndNullPlaceReadsEmptyWithoutStopping)
{
    ReplaceRooms(gExamRoomTable,
        { { QVariant(), 30, "无号考场" }, { 1, 30, "教学楼101" }, { 2, 30, QVariant() }, { 3, 30, 305 },
            { 4, 30, "教学楼104" }, { 1e15, 30, "无此考场" } });
    window->LoadRoomPlaces();
    EXPECT_EQ(gRoomPlaces.Lower(), 1);
    EXPECT_EQ(gRoomPlaces.Upper(), 4);
    EXPECT_EQ(Places(1, 4), (QStringList { "教学楼101", "", "305", "教学楼104" }));
}

TEST_F(RoomPlacesTest, EveryLoadStartsEmptySoNoOtherAreaLeaksIn)
{
    ReplaceRooms(gExamRoomTable, { { 1, 30, "教学楼101" }, { 9, 30, "教学楼109" } });
    window->LoadRoomPlaces();
    ReplaceRooms(QStringLiteral("考场表2"), { { 2, 30, "操场" } });
    gExamRoomTable = QStringLiteral("考场表2");
    window->LoadRoomPlaces();
    EXPECT_EQ(Places(1, 9), (QStringList { "", "操场", "", "", "", "", "", "", "" }));

    gExamRoomTable = QStringLiteral("考场表3");
    window->LoadRoomPlaces();
    EXPECT_TRUE(gRoomPlaces.IsEmpty());
    gExamRoomTable = QStringLiteral("没有这张表");
    window->LoadRoomPlaces();
    EXPECT_TRUE(gRoomPlaces.IsEmpty());
    // A failed read leaves the file open for the next operation and holds nothing in it.
    EXPECT_TRUE(TestDataFile::ConnectionOpen());
    EXPECT_FALSE(TestDataFile::ConnectionInTransaction());
}
