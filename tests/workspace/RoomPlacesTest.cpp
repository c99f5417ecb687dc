#include "MainWindowFixture.h"
#include "datastore/AppState.h"
#include "db/Database.h"

namespace {

void ReplaceRooms(const QString &table, const QList<QVariantList> &rows)
{
    gDb.Open(GetDbPath());
    gDb.Execute(QStringLiteral("delete from ") + db::QuoteName(table));
    for (const QVariantList &row : rows)
        gDb.Execute(QStringLiteral("insert into ") + db::QuoteName(table) + QStringLiteral(" values (?, ?, ?)"), row);
    gDb.Close();
}

QVariant Null()
{
    return QVariant();
}

} // namespace

class RoomPlacesTest : public MainWindowFixture {
protected:
    void SetUp() override { openWindow(); }
};

TEST_F(RoomPlacesTest, GapsBetweenRoomsReadEmpty)
{
    ReplaceRooms(gExamRoomTable, { { 7, 30, "实验楼301" }, { 3, 30, "教学楼101" }, { 5, 30, "教学楼201" } });
    window->LoadRoomPlaces();
    EXPECT_EQ(gRoomPlaces.Lower(), 3);
    EXPECT_EQ(gRoomPlaces.Upper(), 7);
    const QStringList expected { "教学楼101", "", "教学楼201", "", "实验楼301" };
    for (int room = 3; room <= 7; ++room)
        EXPECT_EQ(gRoomPlaces.value(room), expected[room - 3]) << room;
    EXPECT_EQ(gRoomPlaces[2], "");
    EXPECT_EQ(gRoomPlaces[8], "");
}

TEST_F(RoomPlacesTest, SingleRoomIsBothBounds)
{
    ReplaceRooms(gExamRoomTable, { { 12, 30, "礼堂" } });
    window->LoadRoomPlaces();
    EXPECT_EQ(gRoomPlaces.Lower(), 12);
    EXPECT_EQ(gRoomPlaces.Upper(), 12);
    EXPECT_EQ(gRoomPlaces[12], "礼堂");
}

TEST_F(RoomPlacesTest, NullRoomIsSkippedAndNullPlaceReadsEmptyWithoutStopping)
{
    ReplaceRooms(gExamRoomTable,
        { { Null(), 30, "无号考场" }, { 1, 30, "教学楼101" }, { 2, 30, Null() }, { 3, 30, 305 },
            { 4, 30, "教学楼104" } });
    window->LoadRoomPlaces();
    EXPECT_EQ(gRoomPlaces.Lower(), 1);
    EXPECT_EQ(gRoomPlaces.Upper(), 4);
    EXPECT_EQ(gRoomPlaces[1], "教学楼101");
    EXPECT_EQ(gRoomPlaces[2], "");
    EXPECT_EQ(gRoomPlaces[3], "305");
    EXPECT_EQ(gRoomPlaces[4], "教学楼104");
}

TEST_F(RoomPlacesTest, EveryLoadStartsEmptySoNoEarlierAreaLeaksIn)
{
    ReplaceRooms(gExamRoomTable, { { 1, 30, "教学楼101" }, { 9, 30, "教学楼109" } });
    window->LoadRoomPlaces();
    ASSERT_EQ(gRoomPlaces[9], "教学楼109");

    ReplaceRooms(QStringLiteral("考场表2"), { { 2, 30, "操场" } });
    gExamRoomTable = QStringLiteral("考场表2");
    window->LoadRoomPlaces();
    EXPECT_EQ(gRoomPlaces.Lower(), 2);
    EXPECT_EQ(gRoomPlaces.Upper(), 2);
    EXPECT_EQ(gRoomPlaces[1], "");
    EXPECT_EQ(gRoomPlaces[9], "");

    gExamRoomTable = QStringLiteral("考场表3");
    window->LoadRoomPlaces();
    EXPECT_TRUE(gRoomPlaces.IsEmpty());
    EXPECT_EQ(gRoomPlaces[2], "");
}

TEST_F(RoomPlacesTest, MissingRoomTableLeavesNoPlacesAndTheDatabaseClosed)
{
    ReplaceRooms(gExamRoomTable, { { 1, 30, "教学楼101" } });
    window->LoadRoomPlaces();
    gExamRoomTable = QStringLiteral("没有这张表");
    window->LoadRoomPlaces();
    EXPECT_TRUE(gRoomPlaces.IsEmpty());
    EXPECT_FALSE(gDb.IsOpen());
}

TEST_F(RoomPlacesTest, FarApartRoomNumbersCostNothing)
{
    ReplaceRooms(gExamRoomTable, { { 1, 30, "教学楼101" }, { 2000000000, 30, "远处" } });
    window->LoadRoomPlaces();
    EXPECT_EQ(gRoomPlaces.Upper(), 2000000000);
    EXPECT_EQ(gRoomPlaces[2000000000], "远处");
    EXPECT_EQ(gRoomPlaces[1000], "");
}
