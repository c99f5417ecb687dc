#include "StatisticsFixture.h"

#include "datastore/AppState.h"
#include "db/Database.h"
#include "gridview/Grid.h"
#include "statistics/InformationReports.h"
#include "statistics/StatisticsCommands.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QAction>

namespace {

const QString kFailure
    = QStringLiteral("无法生成原始考生信息表：当前数据区的考生表不存在，或缺少学校、班级、姓名、性别列。");

class InformationReportsTest : public StatisticsFixture {
protected:
    // 3 schools of 4 classes, written in reverse order; class c of each school has c boys and
    // one girl, and class 4 one examinee whose gender is neither.
    void AddThreeSchools()
    {
        int number = 0;
        for (int school = 3; school >= 1; --school)
            for (int c = 4; c >= 1; --c) {
                const QString name = QStringLiteral("%1中").arg(school);
                for (int boy = 0; boy < c; ++boy)
                    AddExaminee(name, QStringLiteral("%1班").arg(c), "男生", "男", 1, ++number);
                AddExaminee(name, QStringLiteral("%1班").arg(c), "女生", "女", 1, ++number);
                if (c == 4)
                    AddExaminee(name, QStringLiteral("%1班").arg(c), "某", school == 1 ? "" : "未知", 1, ++number);
            }
    }
};

TEST_F(InformationReportsTest, ByClassHasARowPerClassOfEachSchoolInOrder)
{
    AddThreeSchools();
    Window();
    frmDocument *document = InformationReports::anbj_Click();
    ASSERT_NE(document, nullptr);
    Grid &grid = *document->Grid1;

    EXPECT_EQ(Headers(grid), QStringList({ "学校", "班级", "学生数", "男生", "女生" }));
    ASSERT_EQ(grid.Rows(), 1 + 1 + 12 + 1);
    EXPECT_EQ(Row(grid, 1), QStringList({ "合计", "", "45", "30", "12" }));
    EXPECT_EQ(Row(grid, 2), QStringList({ "1中", "1班", "2", "1", "1" }));
    EXPECT_EQ(Row(grid, 5), QStringList({ "1中", "4班", "6", "4", "1" }));
    EXPECT_EQ(Row(grid, 13), QStringList({ "3中", "4班", "6", "4", "1" }));
    EXPECT_EQ(TitleBox(*document), "原始考生信息表 （12）");
    EXPECT_EQ(ReportTitleTexts(grid), QStringList({ "原始考生信息表 （12）", "||" }));
}

TEST_F(InformationReportsTest, BySchoolHasARowPerSchoolAndTheSameTotals)
{
    AddThreeSchools();
    Window();
    frmDocument *document = InformationReports::anxx_Click();
    ASSERT_NE(document, nullptr);
    Grid &grid = *document->Grid1;

    EXPECT_EQ(Headers(grid), QStringList({ "学校", "学生数", "男生", "女生" }));
    ASSERT_EQ(grid.Rows(), 1 + 1 + 3 + 1);
    EXPECT_EQ(Row(grid, 1), QStringList({ "合计", "45", "30", "12" }));
    // 男生 + 女生 falls short of 学生数 by the examinees with another or no gender.
    EXPECT_EQ(Row(grid, 2), QStringList({ "1中", "15", "10", "4" }));
    EXPECT_EQ(Row(grid, 4), QStringList({ "3中", "15", "10", "4" }));
    EXPECT_EQ(TitleBox(*document), "原始考生信息表 （3）");
}

TEST_F(InformationReportsTest, AnEmptyTableGivesZeroTotals)
{
    Window();
    Grid &byClass = *InformationReports::anbj_Click()->Grid1;
    EXPECT_EQ(byClass.Rows(), 3);
    EXPECT_EQ(Row(byClass, 1), QStringList({ "合计", "", "0", "0", "0" }));
    Grid &bySchool = *InformationReports::anxx_Click()->Grid1;
    EXPECT_EQ(Row(bySchool, 1), QStringList({ "合计", "0", "0", "0" }));
    EXPECT_EQ(Row(bySchool, 2), QStringList({ "", "", "", "" }));
}

// A first run on a fresh file finds no saved query to delete; a table without 性别 or no table at
// all cannot be counted.
TEST_F(InformationReportsTest, AFailingQueryGivesOneMessageAndNoDocument)
{
    Window();
    AddExaminee("一中", "1班", "甲", "男", 1, 1);
    ASSERT_NE(InformationReports::anbj_Click(), nullptr);
    EXPECT_TRUE(prompts.messages.isEmpty());

    Execute(QStringLiteral("alter table ") + db::QuoteName(gExamineeTable) + QStringLiteral(" drop column 性别"));
    EXPECT_EQ(InformationReports::anbj_Click(), nullptr);
    EXPECT_EQ(InformationReports::anxx_Click(), nullptr);
    Execute(QStringLiteral("drop table ") + db::QuoteName(gExamineeTable));
    EXPECT_EQ(InformationReports::anbj_Click(), nullptr);
    EXPECT_EQ(prompts.messageTexts(), QStringList(3, kFailure));
    EXPECT_EQ(OpenDocuments(), 1);
}

TEST_F(InformationReportsTest, TheMenuRunsThemWithoutALogin)
{
    AddThreeSchools();
    frmMain &main = Window();
    StatisticsCommands::Connect(main);
    gLoggedIn = false;
    main.Command("anbj")->trigger();
    main.Command("anxx")->trigger();
    EXPECT_EQ(OpenDocuments(), 2);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

} // namespace
