#include "db/Database.h"

#include <gtest/gtest.h>

namespace {

struct TextCase {
    QVariant value;
    const char *expected;
};

// The exam-number padding counts the characters of these texts, so "305.0" would be a fault.
TEST(VbText, ReadsValuesTheClassicWay)
{
    const TextCase cases[] = {
        { QVariant(305.0), "305" },
        { QVariant(3.5), "3.5" },
        { QVariant(-2.25), "-2.25" },
        { QVariant(-7.0), "-7" },
        { QVariant(0.1 + 0.2), "0.3" },
        { QVariant(1.0 / 3.0), "0.333333333333333" },
        { QVariant(1e-7), "1E-07" },
        { QVariant(0.0001), "0.0001" },
        { QVariant(1e15), "1E+15" },
        { QVariant(123456789012345.0), "123456789012345" },
        { QVariant(-0.0), "0" },
        { QVariant(qint64(20260001)), "20260001" },
        { QVariant(), "" },
        { QVariant(QString()), "" },
        { QVariant(QString("一中")), "一中" },
        { QVariant(QString(" 6")), " 6" },
        { QVariant(true), "True" },
    };
    for (const TextCase &c : cases)
        EXPECT_EQ(db::VbText(c.value), QString::fromUtf8(c.expected)) << c.value.toString().toStdString();
}

// Whole numbers take a shorter road to their digits: the same text as the classic conversion,
// up to the last whole number it writes without an exponent.
TEST(VbText, WholeNumbersReadAsTheClassicConversionWritesThem)
{
    for (double value : { 1.0, 9.0, 10.0, 99.0, 305.0, 1201.0, 20260001.0, 999999999999999.0, 1e14, -1.0, -305.0,
             -999999999999999.0, 999999999999999.0 + 1, -1e15, 1e16, 2.5e15, 123456789012345678.0 })
        EXPECT_EQ(db::VbText(value), QString::asprintf("%.15G", value)) << value;
}

TEST(Val, TakesTheLeadingNumber)
{
    const std::pair<const char *, double> cases[] = {
        { " 6", 6 },
        { "k2", 0 },
        { "12abc", 12 },
        { "", 0 },
        { "  -3.5x", -3.5 },
        { "+4", 4 },
        { ".5", 0.5 },
        { "-.25", -0.25 },
        { ".", 0 },
        { "-", 0 },
        { "1e3", 1000 },
        { "2E-2kg", 0.02 },
        { "1e", 1 },
        { "7e+", 7 },
        { "1d2", 100 },
        { "3.", 3 },
        { "\t 8", 8 },
        { "1 2", 1 },
        { "０9", 0 },
        { "12,5", 12 },
        { "0012", 12 },
        { "abc12", 0 },
    };
    for (const auto &[text, expected] : cases)
        EXPECT_DOUBLE_EQ(db::Val(QString::fromUtf8(text)), expected) << text;
}

TEST(QuoteName, DoublesQuotesInside)
{
    EXPECT_EQ(db::QuoteName("考生表1"), "\"考生表1\"");
    EXPECT_EQ(db::QuoteName("O\"Hara"), "\"O\"\"Hara\"");
}

} // namespace
