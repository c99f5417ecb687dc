// The ticket blocks as the builders write them: values, shown numbers, numerals, bound rows,
// cut lines and page breaks, on the factory template.
#include "support/TestAppDir.h"
#include "tickets/TicketBlocks.h"
#include "tickets/TicketSheet.h"
#include "tickets/TicketTemplate.h"

#include "griddata/GridData.h"

#include <gtest/gtest.h>

namespace {

const std::array<int, 10> DefaultBinding { 0, 0, 0, 0, 0, 1, 2, 3, 4, 5 };

QVariantList Record(const QVariant &number, const QVariant &seat, const QVariant &room, const QVariant &sex = "男")
{
    return { QStringLiteral("李明"), number, seat, room, sex, QStringLiteral("第一中学"), QStringLiteral("一班") };
}

// Prefix, exam-number form and room count of an arrangement.
struct Form {
    QString prefix, form;
    int rooms;
};

class TicketSheetTest : public testing::Test {
protected:
    TicketSheetTest() { TicketTemplate::Load(2, ticketTemplate, nullptr); }
    // Writes `records` as the sequential builder does.
    GridData Build(const QList<QVariantList> &records, const Form &shown, int perPage = 2,
        const std::array<int, 10> &binding = DefaultBinding) const
    {
        GridData out;
        const TicketBlocks blocks(ticketTemplate);
        TicketSheet sheet(out, blocks, shown.prefix, shown.form, shown.rooms, binding);
        sheet.Reserve(int(records.size()));
        for (int i = 0; i < records.size(); ++i)
            sheet.WriteBlock(i, records.at(i), QString());
        sheet.FinishPages(int(records.size()), perPage);
        return out;
    }
    static QStringList Numerals(const GridData &out, int r0 = 0)
    {
        QStringList numerals;
        for (int row = 4; row <= 7; ++row)
            numerals << out.text(r0 + row, 8);
        return numerals;
    }

    TestAppDir app;
    GridData ticketTemplate;
};

TEST_F(TicketSheetTest, ShowsExamNumbersRoomsSeatsAndNumeralsAsTheArrangementForms)
{
    struct Case {
        const char *prefix, *form;
        int rooms;
        int number, seat, room;
        const char *shown, *shownRoom, *shownSeat, *numerals;
    };
    const Case cases[] = {
        { "", " 6", 40, 123, 3, 1, "000123", "01", "03", "零壹贰叁" },
        { "A", "k2", 40, 305, 5, 3, "A0305", "03", "05", "零叁零伍" },
        { "A", "k2", 120, 305, 5, 3, "A00305", "003", "05", "零叁零伍" },
        { "", " 4", 40, 123456, 12, 12, "123456", "12", "12", "叁肆伍陆" },
        { "", " 3", 40, 101, 1, 1, "101", "01", "01", "壹零壹零" },
        { "KS", " 1", 40, 7, 7, 1, "KS7", "01", "07", "零零柒零" },
        { "", "k2", 120, 10010, 10, 100, "10010", "100", "10", "零零壹零" },
        { "", "k2", 40, 1209, 9, 12, "1209", "12", "09", "壹贰零玖" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.shown);
        const GridData out = Build({ Record(QString::number(c.number), QString::number(c.seat), QString::number(c.room)) },
            Form(QString::fromUtf8(c.prefix), QString::fromUtf8(c.form), c.rooms));
        for (int col : { 4, 11 }) {
            EXPECT_EQ(out.text(4, col), QStringLiteral("李明"));
            EXPECT_EQ(out.text(5, col), QString::fromUtf8(c.shown));
            EXPECT_EQ(out.text(6, col), QString::fromUtf8(c.shownSeat));
            EXPECT_EQ(out.text(7, col), QString::fromUtf8(c.shownRoom));
            EXPECT_EQ(out.text(8, col), QStringLiteral("男"));
            EXPECT_EQ(out.text(9, col), QStringLiteral("第一中学"));
        }
        EXPECT_EQ(Numerals(out).join(QString()), QString::fromUtf8(c.numerals));
    }
}

TEST_F(TicketSheetTest, BlocksKeepTheTemplatesCoordinatesLooksAndHeights)
{
    const GridData out = Build({ Record("101", "1", "1"), Record("102", "2", "1"), Record("103", "3", "1") },
        Form(QString(), " 4", 12), 3);
    for (int ticket = 0; ticket < 3; ++ticket) {
        SCOPED_TRACE(ticket);
        const int r0 = ticket * 11;
        for (int row = 1; row <= 11; ++row) {
            EXPECT_EQ(out.rowHeight(r0 + row), ticketTemplate.rowHeight(row)) << row;
            for (int col = 1; col <= 15; ++col) {
                EXPECT_EQ(out.style(r0 + row, col), ticketTemplate.style(row, col)) << row << "," << col;
                const bool written = (row >= 4 && row <= 9 && (col == 4 || col == 11)) || (row >= 4 && row <= 7 && col == 8)
                    || (row == 11 && col == 1);
                if (!written) {
                    EXPECT_EQ(out.text(r0 + row, col), ticketTemplate.text(row, col)) << row << "," << col;
                }
            }
        }
        EXPECT_EQ(out.mergeAt(r0 + 1, 9), (CellRange { r0 + 1, 9, r0 + 1, 15 }));
        EXPECT_EQ(out.mergeAt(r0 + 3, 13), (CellRange { r0 + 3, 13, r0 + 8, 13 }));
        EXPECT_EQ(out.text(r0 + 3, 13), QStringLiteral("照片"));
        // The binding drop-downs stay in the template.
        EXPECT_EQ(out.cellType(r0 + 4, 11), CellTypeText);
    }
    EXPECT_EQ(out.text(0, 1), QString());
}

TEST_F(TicketSheetTest, CutLinesUnderEveryTicketButTheLastOfAPageAndBreaksBetweenPages)
{
    struct Case {
        int tickets, perPage;
        QList<int> cutRows, emptyCutRows, breaks;
    };
    const Case cases[] = {
        { 1, 2, { 11 }, {}, {} },
        { 2, 2, { 11 }, { 22 }, {} },
        { 3, 2, { 11, 33 }, { 22 }, { 23 } },
        { 4, 2, { 11, 33 }, { 22, 44 }, { 23 } },
        { 5, 3, { 11, 22, 44, 55 }, { 33 }, { 34 } },
        { 7, 3, { 11, 22, 44, 55, 77 }, { 33, 66 }, { 34, 67 } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.tickets << " tickets, " << c.perPage << " a page");
        QList<QVariantList> records;
        for (int i = 0; i < c.tickets; ++i)
            records << Record(QString::number(101 + i), QString::number(i + 1), "1");
        const GridData out = Build(records, Form(QString(), " 4", 12), c.perPage);
        EXPECT_EQ(out.rows(), 11 * c.tickets + 1);
        EXPECT_EQ(out.cols(), 16);
        for (int row : c.cutRows) {
            EXPECT_EQ(out.text(row, 1), QString(172, u'-')) << row;
            EXPECT_EQ(out.text(row, 1).size(), TicketSheet::CutLineLength);
        }
        for (int row : c.emptyCutRows)
            EXPECT_EQ(out.text(row, 1), QString()) << row;
        EXPECT_EQ(out.hPageBreaks().rows(), c.breaks);
    }
}

TEST_F(TicketSheetTest, BoundRowsPrintTheirColumnAsStoredAndNothingForNull)
{
    std::array<int, 10> binding = DefaultBinding;
    binding[4] = 3; // row 4 prints 考场
    binding[8] = 6; // row 8 prints 班级
    binding[5] = 0; // rows 5 to 7 print number, seat and room whatever is bound
    const GridData out = Build({ Record("101", "2", "3", QVariant()) }, Form(QString(), " 4", 12), 2, binding);
    EXPECT_EQ(out.text(4, 4), QStringLiteral("3"));
    EXPECT_EQ(out.text(4, 11), QStringLiteral("3"));
    EXPECT_EQ(out.text(5, 11), QStringLiteral("0101"));
    EXPECT_EQ(out.text(8, 11), QStringLiteral("一班"));
    // The template's value cells hold the column names: a blank 性别 must not print "性别".
    const GridData sexless = Build({ Record("101", "2", "3", QVariant()) }, Form(QString(), " 4", 12));
    EXPECT_EQ(sexless.text(8, 4), QString());
    EXPECT_EQ(sexless.text(8, 11), QString());
}

// Where a stacked group has run out: the fills without digits, numerals 零 to match, no values.
TEST_F(TicketSheetTest, APlaceholderShowsTheFillsOfAnEmptyNumberSeatAndRoom)
{
    struct Case {
        Form form;
        bool photos;
        const char *number, *seat, *room;
    };
    const Case cases[] = {
        { { "", " 6", 40 }, false, "000000", "0", "0" },
        { { "KS", " 4", 40 }, true, "KS0000", "0", "0" },
        { { "A", "k2", 40 }, false, "A0", "0", "0" },
        { { "A", "k2", 120 }, true, "A00", "0", "00" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.number);
        GridData out;
        const TicketBlocks blocks(ticketTemplate);
        TicketSheet sheet(out, blocks, c.form.prefix, c.form.form, c.form.rooms, DefaultBinding);
        sheet.Reserve(1);
        sheet.WritePlaceholder(0, c.photos);
        for (int col : { 4, 11 }) {
            EXPECT_EQ(out.text(5, col), QString::fromUtf8(c.number));
            EXPECT_EQ(out.text(6, col), QString::fromUtf8(c.seat));
            EXPECT_EQ(out.text(7, col), QString::fromUtf8(c.room));
            for (int row : { 4, 8, 9 })
                EXPECT_EQ(out.text(row, col), QString()) << row;
        }
        EXPECT_EQ(Numerals(out).join(QString()), QStringLiteral("零零零零"));
        EXPECT_EQ(out.imageKey(3, 13), QString());
        // With photos on, the empty box of a photo ticket; else the template's.
        EXPECT_EQ(out.text(3, 13), c.photos ? QString() : QStringLiteral("照片"));
    }
}

TEST_F(TicketSheetTest, AnUnarrangedExamineeGetsEmptyRoomAndSeat)
{
    const GridData out = Build({ Record(QVariant(), QVariant(), QVariant()), Record("102", "2", "1") },
        Form(QStringLiteral("A"), " 4", 12));
    for (int col : { 4, 11 }) {
        EXPECT_EQ(out.text(5, col), QString());
        EXPECT_EQ(out.text(6, col), QString());
        EXPECT_EQ(out.text(7, col), QString());
        EXPECT_EQ(out.text(11 + 5, col), QStringLiteral("A0102"));
    }
    EXPECT_EQ(Numerals(out).join(QString()), QStringLiteral("零零零零"));
}

} // namespace
