#include "examrooms/ShownExamNumber.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    QString prefix;
    QString form;
    int roomCount;
    QString number;
    QString room;
    QString shown;
};

std::string Describe(const Case &c)
{
    return QStringLiteral("prefix '%1' form '%2' %3 rooms number '%4' room '%5'")
        .arg(c.prefix, c.form)
        .arg(c.roomCount)
        .arg(c.number, c.room)
        .toStdString();
}

TEST(ShownExamNumber, PrefixZerosAndNumber)
{
    const Case cases[] = {
        // Serial numbers: zeros up to the digit count, whatever the room and room count.
        { "A", " 4", 12, "12", "3", "A0012" },
        { "A", "4", 12, "12", "3", "A0012" },
        { "", " 4  ", 12, "7", "3", "0007" },
        { "KS", " 6", 120, "1", "1", "KS000001" },
        { "KS", " 6", 12, "42", "115", "KS000042" },
        { "A", " 4", 12, "1234", "3", "A1234" },
        { "A", " 4", 12, "123456", "3", "A123456" },
        { "", " 1", 12, "305", "3", "305" },
        // Room and seat: the zeros of the room, by the room count.
        { "", "k2", 12, "305", "3", "0305" },
        { "", "k2", 12, "1201", "12", "1201" },
        { "B", "k2", 12, "305", "3", "B0305" },
        { "", "k2", 99, "1001", "10", "1001" },
        { "", "k2", 100, "1001", "10", "01001" },
        { "", "k2", 120, "501", "5", "00501" },
        { "", "k2", 120, "1201", "12", "01201" },
        { "", "k2", 120, "9901", "99", "09901" },
        { "", "k2", 120, "10101", "101", "10101" },
        { "", "", 12, "305", "3", "0305" },
        { "", "-3", 12, "305", "3", "0305" },
        // Nothing stored, nothing shown.
        { "A", " 4", 12, "", "3", "" },
        { "A", "k2", 12, " ", "", "" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(ShownExamNumber(c.prefix, c.form, c.roomCount).ExamNumber(c.number, c.room), c.shown) << Describe(c);
}

// Sheets that list only numbers read the room from the number's hundreds.
TEST(ShownExamNumber, RoomReadFromTheNumber)
{
    const Case cases[] = {
        { "", "k2", 12, "301", "", "0301" },
        { "", "k2", 12, "999", "", "0999" },
        { "", "k2", 12, "1001", "", "1001" },
        { "", "k2", 120, "501", "", "00501" },
        { "", "k2", 120, "999", "", "00999" },
        { "", "k2", 120, "1000", "", "01000" },
        { "", "k2", 120, "9999", "", "09999" },
        { "", "k2", 120, "10101", "", "10101" },
        { "", " 6", 120, "42", "", "000042" },
        { "", "k2", 120, "", "", "" },
    };
    for (const Case &c : cases)
        EXPECT_EQ(ShownExamNumber(c.prefix, c.form, c.roomCount).ExamNumberWithoutRoom(c.number), c.shown)
            << Describe(c);
}

TEST(ShownExamNumber, RoomsAndSeats)
{
    const Case rooms[] = {
        { "", "k2", 12, "", "1", "01" },
        { "", "k2", 12, "", "9", "09" },
        { "", "k2", 12, "", "10", "10" },
        { "", "k2", 99, "", "99", "99" },
        { "", "k2", 120, "", "9", "009" },
        { "", "k2", 120, "", "10", "010" },
        { "", "k2", 120, "", "99", "099" },
        { "", "k2", 120, "", "100", "100" },
        { "", " 4", 120, "", "", "" },
    };
    for (const Case &c : rooms)
        EXPECT_EQ(ShownExamNumber(c.prefix, c.form, c.roomCount).Room(c.room), c.shown) << Describe(c);

    const QString seats[][2] = { { "1", "01" }, { "7", "07" }, { "8", "08" }, { "9", "09" }, { "10", "10" },
        { "12", "12" }, { "", "" } };
    for (const auto &seat : seats)
        EXPECT_EQ(ShownExamNumber::Seat(seat[0]), seat[1]) << seat[0].toStdString();
}

} // namespace
