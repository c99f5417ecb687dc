// Desk labels: the sheets of seat and exam numbers as laid out on paper, and the 制作桌贴 tab
// as a user meets it, including the rooms it must refuse or ask about.
#include "TicketFixture.h"

#include "examrooms/ExamNoSettings.h"
#include "griddata/GridData.h"
#include "tickets/DeskLabels.h"
#include "workspace/frmMain.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QImage>
#include <QMdiArea>
#include <QRadioButton>
#include <QTabWidget>

namespace {

// The texts of one label row, columns 1 to the last.
QStringList Row(const GridData &out, int row)
{
    QStringList texts;
    for (int col = 1; col < out.cols(); ++col)
        texts << out.text(row, col);
    return texts;
}

struct SheetCase {
    const char *name;
    DeskLabels::Sheet sheet;
    int perRow, labelRows, colWidth, rowHeight;
    QStringList firstRow, lastRow;
};

TEST(DeskLabelSheet, LaysOutSeatAndExamNumbersOnePerCell)
{
    const SheetCase cases[] = {
        { "23 seats", DeskLabels::SeatSheet(23), 5, 5, 130, 110, { "01", "02", "03", "04", "05" },
            { "21", "22", "23", "", "" } },
        { "10 seats fill two rows", DeskLabels::SeatSheet(10), 5, 2, 130, 110, { "01", "02", "03", "04", "05" },
            { "06", "07", "08", "09", "10" } },
        { "1001 to 1030, four digits", DeskLabels::ExamNumberSheet(1001, 1030, "", " 4", 40), 2, 15, 350, 100,
            { "1001", "1002" }, { "1029", "1030" } },
        { "1001 to 1031, four digits", DeskLabels::ExamNumberSheet(1001, 1031, "", " 4", 40), 2, 16, 350, 100,
            { "1001", "1002" }, { "1031", "" } },
        { "nine characters, one per row and no row after the last", DeskLabels::ExamNumberSheet(1, 3, "ABCD", " 5", 40),
            1, 3, 700, 100, { "ABCD00001" }, { "ABCD00003" } },
        { "seven characters still two per row", DeskLabels::ExamNumberSheet(1, 3, "KS-", " 4", 40), 2, 2, 350, 100,
            { "KS-0001", "KS-0002" }, { "KS-0003", "" } },
        { "eight characters one per row", DeskLabels::ExamNumberSheet(1, 2, "KS-1", " 4", 40), 1, 2, 700, 100,
            { "KS-10001" }, { "KS-10002" } },
        { "k2 with 120 rooms", DeskLabels::ExamNumberSheet(307, 308, "A", "k2", 120), 2, 1, 350, 100,
            { "A00307", "A00308" }, { "A00307", "A00308" } },
        { "k2 with 120 rooms, room 45", DeskLabels::ExamNumberSheet(4501, 4501, "A", "k2", 120), 2, 1, 350, 100,
            { "A04501", "" }, { "A04501", "" } },
        { "k2 with 120 rooms, room 100", DeskLabels::ExamNumberSheet(10001, 10001, "A", "k2", 120), 2, 1, 350, 100,
            { "A10001", "" }, { "A10001", "" } },
        { "k2 with 30 rooms", DeskLabels::ExamNumberSheet(307, 307, "", "k2", 30), 2, 1, 350, 100, { "0307", "" },
            { "0307", "" } },
        { "k2 counts four digits: a prefix of four makes eight characters, one per row",
            DeskLabels::ExamNumberSheet(307, 308, "2027", "k2", 30), 1, 2, 700, 100, { "20270307" }, { "20270308" } },
        { "six digits", DeskLabels::ExamNumberSheet(123, 123, "", " 6", 30), 2, 1, 350, 100, { "000123", "" },
            { "000123", "" } },
    };
    for (const SheetCase &c : cases) {
        SCOPED_TRACE(c.name);
        GridData out;
        DeskLabels::Write(out, c.sheet, QStringLiteral("12"));
        ASSERT_EQ(out.cols(), c.perRow + 1);
        ASSERT_EQ(out.rows(), c.labelRows + 1);
        EXPECT_EQ(Row(out, 1), c.firstRow);
        EXPECT_EQ(Row(out, c.labelRows), c.lastRow);
        for (int col = 1; col <= c.perRow; ++col)
            EXPECT_EQ(out.colWidth(col), c.colWidth);
        for (int row = 1; row <= c.labelRows; ++row) {
            EXPECT_EQ(out.rowHeight(row), c.rowHeight) << row;
            EXPECT_TRUE(out.text(row, 0).isEmpty());
            for (int col = 1; col <= c.perRow; ++col) {
                const CellStyle &style = out.style(row, col);
                EXPECT_EQ(style.fontName, QStringLiteral("黑体")) << row << "," << col;
                EXPECT_EQ(style.fontSize, DeskLabels::LabelSize(c.sheet)) << row << "," << col;
                EXPECT_EQ(style.alignment, GridAlignment::Centred) << row << "," << col;
            }
        }
        EXPECT_EQ(Row(out, 0), QStringList(c.perRow, QString()));
    }
}

// Every label whole in its cell: 72 points where the widths allow, smaller only where the
// longest label would be cut.
TEST(DeskLabelSheet, LabelsFitTheirCellsAtSeventyTwoPointsOrLess)
{
    struct Case {
        const char *name;
        DeskLabels::Sheet sheet;
        bool full;
    };
    const Case cases[] = {
        { "99 seats", DeskLabels::SeatSheet(99), true },
        { "four digits two per row", DeskLabels::ExamNumberSheet(1001, 1030, "", " 4", 40), true },
        { "nine characters one per row", DeskLabels::ExamNumberSheet(1, 30, "ABCD", " 5", 40), true },
        { "seven characters two per row", DeskLabels::ExamNumberSheet(401, 430, "A", " 6", 40), false },
        { "fourteen characters one per row", DeskLabels::ExamNumberSheet(1, 30, "ABCDEFGHI", " 5", 40), false },
    };
    // Layout units are pixels at 96 dpi.
    QImage paper(1, 1, QImage::Format_RGB32);
    paper.setDotsPerMeterX(3780);
    paper.setDotsPerMeterY(3780);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const double size = DeskLabels::LabelSize(c.sheet);
        EXPECT_EQ(size == 72, c.full) << size;
        EXPECT_LE(size, 72);
        EXPECT_GE(size, 36);
        QFont font(QStringLiteral("黑体"));
        font.setPointSizeF(size);
        const QFontMetricsF metrics(font, &paper);
        for (const QString &label : c.sheet.labels)
            EXPECT_LE(metrics.horizontalAdvance(label), c.sheet.colWidth - 4) << label.toStdString();
    }
}

TEST(DeskLabelSheet, PrintsPortraitWithTheRoomAboveAndThePageCountBelow)
{
    GridData out;
    DeskLabels::Write(out, DeskLabels::SeatSheet(30), QStringLiteral("12"));
    const PageSetup &setup = out.pageSetup();
    EXPECT_EQ(setup.Orientation, 1);
    EXPECT_EQ(setup.LeftMargin, 0.5);
    EXPECT_EQ(setup.RightMargin, 0.5);
    EXPECT_TRUE(setup.BlackAndWhite);
    EXPECT_EQ(setup.TopMargin, 1);
    EXPECT_EQ(setup.HeaderMargin, 0.5);
    EXPECT_EQ(setup.BottomMargin, 1);
    EXPECT_EQ(setup.FooterMargin, 0.5);
    EXPECT_EQ(setup.HeaderAlignment, 1);
    EXPECT_EQ(setup.Header, QStringLiteral("第 12 考场"));
    EXPECT_EQ(setup.Footer, QStringLiteral("共&n页  第&p页"));
    EXPECT_TRUE(setup.CenterHorizontally);
}

// The tab as a user meets it: room 1 holds seats 1 to 5 and numbers 101 to 105, room 3 numbers
// 301 to 303 (see AddSmallExam).
class DeskLabelTab : public TicketFixture {
protected:
    void SetUp() override { AddSmallExam(); }
    // Opens the window on the desk-label tab and presses 确定 for `room` as typed; returns
    // whether a sheet was previewed.
    bool Build(const QString &room, bool bySeat, const QString &prefix = "", const QString &form = " 4")
    {
        if (!tickets)
            OpenWindow();
        gExamNoPrefix = prefix;
        gExamNoForm = form;
        Control<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
        Control<QRadioButton>(bySeat ? QStringLiteral("Option7") : QStringLiteral("Option8"))->click();
        Combo(QStringLiteral("Combo6"))->setEditText(room);
        return RunJob();
    }
    int OpenDocuments() const { return int(window->MdiArea()->subWindowList().size()); }
    // Two examinees of 五班 in `room`, seats 1 and 2.
    void AddPair(int room, const QVariant &firstNumber, const QVariant &secondNumber)
    {
        AddExaminee(QStringLiteral("第一中学"), QStringLiteral("五班"), QStringLiteral("丁"), QStringLiteral("男"),
            room, firstNumber, 1);
        AddExaminee(QStringLiteral("第一中学"), QStringLiteral("五班"), QStringLiteral("戊"), QStringLiteral("女"),
            room, secondNumber, 2);
    }
};

TEST_F(DeskLabelTab, BuildsSeatLabelsOfAPickedRoomAndLeavesTheSheetOpen)
{
    OpenWindow();
    Control<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
    Choose(QStringLiteral("Combo6"), QStringLiteral("1"));
    ASSERT_TRUE(RunJob());
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(printed.rows(), 2);
    EXPECT_EQ(Row(printed, 1), (QStringList { "01", "02", "03", "04", "05" }));
    EXPECT_EQ(printed.pageSetup().Header, QStringLiteral("第 1 考场"));
    EXPECT_EQ(OpenDocuments(), 1);
    EXPECT_EQ(documentsOpenDuringPreview, 1);
}

TEST_F(DeskLabelTab, BuildsExamNumberLabelsWithThePrefixAndZerosOfTheArrangement)
{
    ASSERT_TRUE(Build(QStringLiteral("3"), false, QStringLiteral("A")));
    EXPECT_EQ(printed.rows(), 3);
    EXPECT_EQ(Row(printed, 1), (QStringList { "A0301", "A0302" }));
    EXPECT_EQ(Row(printed, 2), (QStringList { "A0303", "" }));
    EXPECT_EQ(OpenDocuments(), 1);
}

TEST_F(DeskLabelTab, PadsRoomAndSeatNumbersForTheWindowsRoomCount)
{
    AddRooms(13, 120);
    ASSERT_TRUE(Build(QStringLiteral(" 3 "), false, QStringLiteral("A"), QStringLiteral("k2")));
    EXPECT_EQ(tickets->mExamRoomCount, 120);
    EXPECT_EQ(Row(printed, 1), (QStringList { "A00301", "A00302" }));
    EXPECT_EQ(printed.pageSetup().Header, QStringLiteral("第 3 考场"));
}

TEST_F(DeskLabelTab, SeatLabelsOfARoomStartingAboveSeatOneReachItsLargestSeat)
{
    AddExaminee(
        QStringLiteral("第一中学"), QStringLiteral("四班"), QStringLiteral("甲"), QStringLiteral("男"), 4, 405, 5);
    AddExaminee(
        QStringLiteral("第一中学"), QStringLiteral("四班"), QStringLiteral("乙"), QStringLiteral("女"), 4, 423, 23);
    ASSERT_TRUE(Build(QStringLiteral("4"), true));
    ASSERT_EQ(printed.rows(), 6);
    EXPECT_EQ(Row(printed, 1), (QStringList { "01", "02", "03", "04", "05" }));
    EXPECT_EQ(Row(printed, 5), (QStringList { "21", "22", "23", "", "" }));
}

TEST_F(DeskLabelTab, OnePerRowLabelsEndWithTheLastLabel)
{
    ASSERT_TRUE(Build(QStringLiteral("1"), false, QStringLiteral("ABCD"), QStringLiteral(" 5")));
    ASSERT_EQ(printed.rows(), 6);
    EXPECT_EQ(Row(printed, 5), QStringList { "ABCD00105" });
}

TEST_F(DeskLabelTab, RefusesRoomsWithoutLabelsWithAMessageAndNoDocument)
{
    // Room 6 has an examinee without seat or exam number.
    AddExaminee(QStringLiteral("第一中学"), QStringLiteral("四班"), QStringLiteral("丙"), QStringLiteral("男"), 6,
        QVariant(), QVariant());
    struct Case {
        const char *room;
        bool bySeat;
        QString message;
    };
    const Case cases[] = {
        { "", true, QStringLiteral("请选择一个考场。") },
        { "abc", true, QStringLiteral("考场“abc”不是考场号，请选择一个考场。") },
        { "1; drop table 考场表", false, QStringLiteral("考场“1; drop table 考场表”不是考场号，请选择一个考场。") },
        { "7", true, QStringLiteral("第 7 考场没有考生。") },
        { "7", false, QStringLiteral("第 7 考场没有考生。") },
        { "6", true, QStringLiteral("第 6 考场的考生没有座位号，不能制作桌贴。") },
        { "6", false, QStringLiteral("第 6 考场的考生没有考号，不能制作桌贴。") },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.room);
        prompts.messages.clear();
        EXPECT_FALSE(Build(QString::fromUtf8(c.room), c.bySeat));
        EXPECT_EQ(prompts.messageTexts(), QStringList { c.message });
        EXPECT_EQ(OpenDocuments(), 0);
    }
}

TEST_F(DeskLabelTab, AsksBeforeASpanFarWiderThanTheRoom)
{
    // Room 5: two examinees; the second number mistyped as 1501.
    AddPair(5, 501, 1501);
    prompts.buttons = { QMessageBox::No };
    EXPECT_FALSE(Build(QStringLiteral("5"), false));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages.at(0).icon, QMessageBox::Question);
    EXPECT_EQ(prompts.messages.at(0).text,
        QStringLiteral("第 5 考场有 2 名考生，考号却从 501 到 1501，要制作 1001 张桌贴。\n\n仍要制作吗？"));
    EXPECT_EQ(OpenDocuments(), 0);

    prompts.buttons = { QMessageBox::Yes };
    ASSERT_TRUE(Build(QStringLiteral("5"), false));
    EXPECT_EQ(printed.rows(), 502);
    EXPECT_EQ(Row(printed, 501), (QStringList { "1501", "" }));
    // Seat labels of the same room need no question.
    prompts.messages.clear();
    ASSERT_TRUE(Build(QStringLiteral("5"), true));
    EXPECT_TRUE(prompts.messages.isEmpty());
    // A seat mistyped as 250 is asked about the same way.
    Execute(QStringLiteral("update 考生表1 set 座位号 = 250 where 考号 = 1501"));
    prompts.buttons = { QMessageBox::No };
    EXPECT_FALSE(Build(QStringLiteral("5"), true));
    EXPECT_EQ(prompts.messageTexts().value(0),
        QStringLiteral("第 5 考场有 2 名考生，座位号却从 1 到 250，要制作 250 张桌贴。\n\n仍要制作吗？"));
    EXPECT_EQ(OpenDocuments(), 2);
}

TEST_F(DeskLabelTab, BuildsAtOnceWhenTheSpanExceedsTheHeadCountByAHundredOrLess)
{
    AddPair(5, 501, 602);
    ASSERT_TRUE(Build(QStringLiteral("5"), false));
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(printed.rows(), 52);
}

TEST_F(DeskLabelTab, RefusesASpanNoRoomCouldHold)
{
    AddPair(5, 1, 5000000000.0);
    EXPECT_FALSE(Build(QStringLiteral("5"), false));
    EXPECT_EQ(prompts.messageTexts(),
        QStringList { QStringLiteral(
            "第 5 考场的考号从 1 到 5000000000，要制作 5000000000 张桌贴，太多了。请检查考场的考号。") });
    EXPECT_EQ(OpenDocuments(), 0);
}

} // namespace
