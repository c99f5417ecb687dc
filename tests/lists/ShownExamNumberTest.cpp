#include "examrooms/ShownExamNumber.h"

#include <gtest/gtest.h>

namespace {

struct ExamNumberCase {
    const char *name;
    QString prefix;
    QString form;
    int roomCount;
    QString number;
    QString room;
    QString shown;
};

class ExamNumberTest : public testing::TestWithParam<ExamNumberCase> { };

TEST_P(ExamNumberTest, ShowsPrefixZerosAndNumber)
{
    const ExamNumberCase &c = GetParam();
    EXPECT_EQ(ShownExamNumber(c.prefix, c.form, c.roomCount).ExamNumber(c.number, c.room), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Forms, ExamNumberTest,
    testing::Values(
        // Serial numbers: zeros up to the digit count, whatever the room and room count.
        ExamNumberCase { "PrefixAndFourDigits", "A", " 4", 12, "12", "3", "A0012" },
        ExamNumberCase { "FormWithoutBlank", "A", "4", 12, "12", "3", "A0012" },
        ExamNumberCase { "FormWithTrailingBlanks", "", " 4  ", 12, "7", "3", "0007" },
        ExamNumberCase { "SixDigitsShortNumber", "KS", " 6", 120, "1", "1", "KS000001" },
        ExamNumberCase { "SixDigitsTwoDigitNumber", "KS", " 6", 12, "42", "115", "KS000042" },
        ExamNumberCase { "NumberAsLongAsDigitCount", "A", " 4", 12, "1234", "3", "A1234" },
        ExamNumberCase { "NumberLongerThanDigitCount", "A", " 4", 12, "123456", "3", "A123456" },
        ExamNumberCase { "DigitCountWithoutPrefix", "", " 5", 12, "305", "3", "00305" },
        // Room and seat: the room's zeros, by the room count.
        ExamNumberCase { "RoomSeatFewRoomsLowRoom", "", "k2", 12, "305", "3", "0305" },
        ExamNumberCase { "RoomSeatFewRoomsRoom12", "", "k2", 12, "1201", "12", "1201" },
        ExamNumberCase { "RoomSeatWithPrefix", "B", "k2", 12, "305", "3", "B0305" },
        ExamNumberCase { "RoomSeatManyRoomsRoom5", "", "k2", 120, "501", "5", "00501" },
        ExamNumberCase { "RoomSeatManyRoomsRoom12", "", "k2", 120, "1201", "12", "01201" },
        ExamNumberCase { "RoomSeatManyRoomsRoom99", "", "k2", 120, "9901", "99", "09901" },
        ExamNumberCase { "RoomSeatManyRoomsRoom101", "", "k2", 120, "10101", "101", "10101" },
        ExamNumberCase { "RoomCount99IsFew", "", "k2", 99, "1001", "10", "1001" },
        ExamNumberCase { "RoomCount100IsMany", "", "k2", 100, "1001", "10", "01001" },
        ExamNumberCase { "NoFormIsRoomAndSeat", "", "", 12, "305", "3", "0305" },
        ExamNumberCase { "ZeroFormIsRoomAndSeat", "", "0", 12, "305", "3", "0305" },
        // Nothing stored: nothing shown.
        ExamNumberCase { "EmptyNumberSerial", "A", " 4", 12, "", "3", "" },
        ExamNumberCase { "EmptyNumberRoomSeat", "A", "k2", 12, "", "", "" },
        ExamNumberCase { "BlankNumber", "A", " 4", 12, "  ", "3", "" }),
    [](const testing::TestParamInfo<ExamNumberCase> &info) { return std::string(info.param.name); });

struct WithoutRoomCase {
    const char *name;
    QString form;
    int roomCount;
    QString number;
    QString shown;
};

class ExamNumberWithoutRoomTest : public testing::TestWithParam<WithoutRoomCase> { };

// Sheets that list only numbers read the room from the number's hundreds.
TEST_P(ExamNumberWithoutRoomTest, ReadsTheRoomFromTheNumber)
{
    const WithoutRoomCase &c = GetParam();
    EXPECT_EQ(ShownExamNumber("", c.form, c.roomCount).ExamNumberWithoutRoom(c.number), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Numbers, ExamNumberWithoutRoomTest,
    testing::Values(WithoutRoomCase { "FewRoomsRoom3First", "k2", 12, "301", "0301" },
        WithoutRoomCase { "FewRoomsRoom3Last", "k2", 12, "330", "0330" },
        WithoutRoomCase { "FewRoomsRoom9", "k2", 12, "999", "0999" },
        WithoutRoomCase { "FewRoomsRoom10", "k2", 12, "1001", "1001" },
        WithoutRoomCase { "FewRoomsRoom12", "k2", 12, "1230", "1230" },
        WithoutRoomCase { "ManyRoomsRoom5", "k2", 120, "501", "00501" },
        WithoutRoomCase { "ManyRoomsRoom9", "k2", 120, "999", "00999" },
        WithoutRoomCase { "ManyRoomsRoom10", "k2", 120, "1000", "01000" },
        WithoutRoomCase { "ManyRoomsRoom12", "k2", 120, "1201", "01201" },
        WithoutRoomCase { "ManyRoomsRoom99", "k2", 120, "9999", "09999" },
        WithoutRoomCase { "ManyRoomsRoom101", "k2", 120, "10101", "10101" },
        WithoutRoomCase { "SerialIgnoresRooms", " 6", 120, "42", "000042" },
        WithoutRoomCase { "Empty", "k2", 120, "", "" }),
    [](const testing::TestParamInfo<WithoutRoomCase> &info) { return std::string(info.param.name); });

struct PadCase {
    int roomCount;
    QString value;
    QString shown;
};

TEST(ShownExamNumberRoom, PadsByTheRoomCount)
{
    const PadCase cases[] = {
        { 12, "1", "01" },
        { 12, "3", "03" },
        { 12, "9", "09" },
        { 12, "10", "10" },
        { 12, "12", "12" },
        { 99, "9", "09" },
        { 99, "99", "99" },
        { 120, "1", "001" },
        { 120, "9", "009" },
        { 120, "10", "010" },
        { 120, "99", "099" },
        { 120, "100", "100" },
        { 120, "120", "120" },
        { 12, "", "" },
        { 120, " ", "" },
    };
    for (const PadCase &c : cases)
        EXPECT_EQ(ShownExamNumber("A", "k2", c.roomCount).Room(c.value), c.shown)
            << c.roomCount << " rooms, room " << c.value.toStdString();
}

TEST(ShownExamNumberSeat, TwoDigitsBelowTen)
{
    const PadCase cases[] = { { 0, "1", "01" }, { 0, "7", "07" }, { 0, "9", "09" }, { 0, "10", "10" },
        { 0, "12", "12" }, { 0, "30", "30" }, { 0, "", "" } };
    for (const PadCase &c : cases)
        EXPECT_EQ(ShownExamNumber::Seat(c.value), c.shown) << "seat " << c.value.toStdString();
}

TEST(ShownExamNumberForm, DigitCountIsTheLeadingNumberOfTheForm)
{
    EXPECT_EQ(ShownExamNumber::DigitCount(" 4"), 4);
    EXPECT_EQ(ShownExamNumber::DigitCount(" 6"), 6);
    EXPECT_EQ(ShownExamNumber::DigitCount("6"), 6);
    EXPECT_EQ(ShownExamNumber::DigitCount("k2"), 0);
    EXPECT_EQ(ShownExamNumber::DigitCount(""), 0);
    EXPECT_EQ(ShownExamNumber::DigitCount("-3"), 0);
}

} // namespace
