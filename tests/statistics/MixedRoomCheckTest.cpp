#include "StatisticsFixture.h"

#include "datastore/AppState.h"
#include "db/Database.h"
#include "statistics/MixedRoomCheck.h"
#include "statistics/StatisticsCommands.h"
#include "workspace/frmMain.h"

#include <QAction>

namespace {

using Seat = StatisticsQueries::Seat;

TEST(MixedRoomFindings, OnePerPairNumberedInExamOrder)
{
    const struct {
        const char *name;
        QVector<Seat> seats;
        QStringList findings;
    } cases[] = {
        { "fully mixed", { { "一中", "1", "1" }, { "一中", "2", "1" }, { "二中", "1", "1" } }, { "全部混排" } },
        { "pairs in rooms 2 and 5",
            { { "一中", "1", "1" }, { "二中", "1", "2" }, { "二中", "1", "2" }, { "一中", "1", "5" },
                { "一中", "2", "5" }, { "一中", "2", "5" } },
            { "在第2考场有没混排的1", "在第5考场有没混排的2" } },
        { "three in a row give two", { { "一中", "1", "3" }, { "一中", "1", "3" }, { "一中", "1", "3" } },
            { "在第3考场有没混排的1", "在第3考场有没混排的2" } },
        { "a pair across a room boundary takes the second room",
            { { "二中", "1", "6" }, { "一中", "1", "6" }, { "一中", "1", "7" } }, { "在第7考场有没混排的1" } },
        { "school and class are compared apart", { { "一中", "12", "1" }, { "一中1", "2", "1" } }, { "全部混排" } },
        { "one class of two schools", { { "一中", "1", "1" }, { "二中", "1", "1" } }, { "全部混排" } },
        { "one examinee", { { "一中", "1", "1" } }, { "全部混排" } },
        { "no examinee", {}, {} },
        { "examinees in no room are left out",
            { { "一中", "1", "1" }, { "一中", "1", "", false }, { "二中", "1", "1" }, { "二中", "1", "", false },
                { "二中", "1", "2" } },
            { "在第2考场有没混排的1" } },
        { "none arranged is said once", { { "一中", "1", "", false }, { "一中", "1", "", false } },
            { MixedRoomCheck::kNoneArranged } },
    };
    for (const auto &c : cases)
        EXPECT_EQ(MixedRoomCheck::Findings(c.seats), c.findings) << c.name;
}

using MixedRoomCheckTest = StatisticsFixture;

// The walk follows the exam numbers, neither the order the rows were written in nor the rooms
// (in room order 甲 丙 乙 丁 hold no pair); a room shows in its shortest form. Examinees without
// 考号 or 考场 are left out.
TEST_F(MixedRoomCheckTest, WalksTheTableInExamNumberOrder)
{
    AddExaminee("二中", "1", "丁", "男", 2, 5);
    AddExaminee("一中", "1", "甲", "男", 1, 1);
    AddExaminee("一中", "1", "未", "男", QVariant(), 2);
    AddExaminee("二中", "1", "丙", "男", 1, 4);
    AddExaminee("二中", "1", "无", "男", 3, QVariant());
    AddExaminee("一中", "1", "乙", "男", 2, 3);
    frmMain &main = Window();
    StatisticsCommands::Connect(main);
    gLoggedIn = false;
    ASSERT_TRUE(main.Command("hbjc")->isEnabled());
    main.Command("hbjc")->trigger();
    EXPECT_EQ(prompts.messageTexts(), QStringList({ "在第2考场有没混排的1", "在第2考场有没混排的2" }));
    EXPECT_EQ(prompts.messages.first().icon, QMessageBox::NoIcon);
    EXPECT_EQ(prompts.messages.first().offered, QMessageBox::Ok);
    EXPECT_EQ(OpenDocuments(), 0);
}

TEST_F(MixedRoomCheckTest, AnUnarrangedTableIsSaidOnce)
{
    for (int i = 0; i < 40; ++i)
        AddExaminee("一中", QString::number(i / 20), QString::number(i), "男", QVariant(), QVariant());
    Window();
    MixedRoomCheck::hbjc_Click();
    EXPECT_EQ(prompts.messageTexts(), QStringList({ MixedRoomCheck::kNoneArranged }));
}

TEST_F(MixedRoomCheckTest, AnEmptyOrMissingTableSaysNothing)
{
    Window();
    MixedRoomCheck::hbjc_Click();
    Execute(QStringLiteral("drop table ") + db::QuoteName(gExamineeTable));
    MixedRoomCheck::hbjc_Click();
    EXPECT_TRUE(prompts.messages.isEmpty());
}

} // namespace
