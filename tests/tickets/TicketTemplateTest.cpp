// The templates: the factory copies' cell map, working copies made when missing, save,
// restore, and the templates the window refuses (unreadable, wrong shape).
#include "TicketFixture.h"

#include "gridview/Grid.h"
#include "griddata/GridFile.h"
#include "tickets/TicketTemplate.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>

namespace {

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class FactoryTemplate : public testing::TestWithParam<int> {
protected:
    TestAppDir app;
};

TEST_P(FactoryTemplate, FollowsTheCellMapAndFitsItsTicketsOnOnePage)
{
    const int perPage = GetParam();
    GridData data;
    QString error;
    ASSERT_TRUE(TicketTemplate::Load(perPage, data, &error)) << error.toStdString();
    EXPECT_EQ(Bytes(TicketTemplate::WorkingPath(perPage)), Bytes(TicketTemplate::FactoryPath(perPage)));
    EXPECT_EQ(data.rows(), 12);
    EXPECT_EQ(data.cols(), 16);
    const QStringList labels { "姓名", "考号", "座位号", "考场", "性别", "学校" };
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(data.text(4 + i, 3), labels[i]);
        EXPECT_EQ(data.text(4 + i, 10), labels[i]);
        EXPECT_EQ(data.text(4 + i, 11), labels[i]);
    }
    EXPECT_TRUE(data.text(1, 1).contains(QStringLiteral("存根")));
    EXPECT_TRUE(data.text(1, 9).contains(QStringLiteral("准")) && data.text(1, 9).contains(QStringLiteral("证")));
    EXPECT_EQ(data.mergeAt(3, 6), (CellRange { 3, 6, 8, 6 }));
    EXPECT_EQ(data.mergeAt(3, 13), (CellRange { 3, 13, 8, 13 }));
    EXPECT_EQ(data.text(11, 1), QString());
    // Eleven rows per ticket, `perPage` of them between margins of 1 and 0.3 cm on A4 landscape
    // (19.7 cm, 744 pixels); fifteen columns between margins of 1 cm (27.7 cm, 1,047 pixels).
    int height = 0;
    for (int row = 1; row <= 11; ++row)
        height += data.rowHeight(row);
    EXPECT_LE(height * perPage, 744);
    EXPECT_GE(height * perPage, 600);
    int width = 0;
    for (int col = 1; col <= 15; ++col)
        width += data.colWidth(col);
    EXPECT_LE(width, 1047);
}

INSTANTIATE_TEST_SUITE_P(StandardAndEconomy, FactoryTemplate, testing::Values(2, 3));

class TemplateFiles : public TicketFixture {
protected:
    void SetUp() override { AddSmallExam(); }
    QString Working(int perPage) const { return TicketTemplate::WorkingPath(perPage); }
    void Click(const QString &name) { Control<QAbstractButton>(name)->click(); }
};

TEST_F(TemplateFiles, AMissingWorkingCopyIsMadeFromTheFactoryCopy)
{
    ASSERT_FALSE(QFileInfo::exists(Working(2)));
    OpenWindow();
    EXPECT_TRUE(tickets->templateLoaded());
    EXPECT_EQ(Bytes(Working(2)), Bytes(TicketTemplate::FactoryPath(2)));
    EXPECT_FALSE(QFileInfo::exists(Working(3)));
    Click(QStringLiteral("Option2"));
    EXPECT_EQ(Bytes(Working(3)), Bytes(TicketTemplate::FactoryPath(3)));
    EXPECT_TRUE(tickets->mTemplatePath.endsWith(QStringLiteral("/zkzmb/zkz3.cel")));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(TemplateFiles, SaveWritesTheWorkingCopyAndTypeChangesDropUnsavedEdits)
{
    OpenWindow();
    tickets->templateGrid()->Cell(2, 9).SetText(QStringLiteral("2027年中考模拟"));
    Click(QStringLiteral("Command3"));
    GridData saved;
    ASSERT_TRUE(GridFile::load(Working(2), saved));
    EXPECT_EQ(saved.text(2, 9), QStringLiteral("2027年中考模拟"));
    tickets->templateGrid()->Cell(2, 9).SetText(QStringLiteral("未保存"));
    Click(QStringLiteral("Option2"));
    Click(QStringLiteral("Option1"));
    EXPECT_EQ(tickets->templateGrid()->Cell(2, 9).text(), QStringLiteral("2027年中考模拟"));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(TemplateFiles, AFailedSaveIsSaidAndLeavesNoFactoryCopyWritten)
{
    OpenWindow();
    const QByteArray factory = Bytes(TicketTemplate::FactoryPath(2));
    // A folder where the file should be: nothing can be written there.
    QFile::remove(Working(2));
    QDir().mkpath(Working(2));
    Click(QStringLiteral("Command3"));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messageTexts().first().startsWith(QStringLiteral("准考证模板没有保存")));
    EXPECT_EQ(Bytes(TicketTemplate::FactoryPath(2)), factory);
}

TEST_F(TemplateFiles, RestoreBringsBackTheFactoryCopyOfTheChosenTypeOnly)
{
    OpenWindow();
    Click(QStringLiteral("Option2"));
    tickets->templateGrid()->Cell(2, 9).SetText(QStringLiteral("改过"));
    Click(QStringLiteral("Command3"));
    Click(QStringLiteral("Option1"));
    tickets->templateGrid()->Cell(2, 9).SetText(QStringLiteral("也改过"));
    Click(QStringLiteral("Command3"));
    Click(QStringLiteral("Option2"));
    Click(QStringLiteral("Command6"));
    EXPECT_EQ(Bytes(Working(3)), Bytes(TicketTemplate::FactoryPath(3)));
    EXPECT_NE(tickets->templateGrid()->Cell(2, 9).text(), QStringLiteral("改过"));
    GridData standard;
    ASSERT_TRUE(GridFile::load(Working(2), standard));
    EXPECT_EQ(standard.text(2, 9), QStringLiteral("也改过"));
    // Also when the working copy is gone.
    QFile::remove(Working(3));
    Click(QStringLiteral("Command6"));
    EXPECT_EQ(Bytes(Working(3)), Bytes(TicketTemplate::FactoryPath(3)));
    EXPECT_TRUE(tickets->templateLoaded());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(TemplateFiles, AnUnusableTemplateIsSaidAndOnlyTicketJobsAreRefused)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        const char *said;
    };
    GridData wrongShape;
    wrongShape.setRows(20);
    wrongShape.setCols(16);
    const Case cases[] = {
        { "not a grid file", "这不是模板", "无法读取" },
        { "empty", "", "无法读取" },
        { "20 × 16", GridFile::toJson(wrongShape), "不是准考证模板" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Write(Working(2), c.bytes);
        prompts.messages.clear();
        OpenWindow();
        EXPECT_FALSE(tickets->templateLoaded());
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messageTexts().first().contains(QString::fromUtf8(c.said)));
        // The rest of the window loaded.
        EXPECT_EQ(Combo(QStringLiteral("Combo1"))->count(), 2);
        EXPECT_EQ(Combo(QStringLiteral("Combo6"))->count(), 3);
        Choose(QStringLiteral("Combo1"), QStringLiteral("第一中学"));
        Choose(QStringLiteral("Combo2"), QStringLiteral("一班"));
        prompts.messages.clear();
        EXPECT_FALSE(RunJob());
        EXPECT_EQ(prompts.messageTexts(),
            QStringList { QStringLiteral("没有可用的准考证模板，不能制作准考证。请点“恢复默认”恢复模板。") });
        // Nothing unusable is saved over the user's file.
        Click(QStringLiteral("Command3"));
        EXPECT_EQ(Bytes(Working(2)), c.bytes);
        delete tickets;
    }
    prompts.messages.clear();
    OpenWindow();
    prompts.messages.clear();
    Click(QStringLiteral("Command6"));
    EXPECT_TRUE(tickets->templateLoaded());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

} // namespace
