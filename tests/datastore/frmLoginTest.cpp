#include "workspace/frmLogin.h"
#include "DatabaseRows.h"
#include "datastore/AppState.h"
#include "examrooms/ExamNoSettings.h"
#include "support/ScriptedPrompts.h"
#include "support/TestAppDir.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QLineEdit *edit(frmLogin &window, const char *name)
{
    return window.findChild<QLineEdit *>(name);
}

void typeAndConfirm(frmLogin &window, const QString &user, const QString &password)
{
    edit(window, "Text1")->setText(user);
    edit(window, "Text2")->setText(password);
    QTest::mouseClick(window.findChild<QPushButton *>("Command1"), Qt::LeftButton);
}

} // namespace

TEST(frmLogin, LoadingReadsTheExamNumberSettings)
{
    TestAppDir app;
    {
        MainDatabaseScope scope;
        gDb.Execute("UPDATE 设置表1 SET s1 = 'KS', s2 = 'k2' WHERE 项目 = '考号加零'");
    }
    frmLogin window;
    EXPECT_EQ(window.windowTitle(), "登录");
    EXPECT_EQ(gExamNoPrefix, "KS");
    EXPECT_EQ(gExamNoForm, "k2");
}

TEST(frmLogin, WrongPasswordSaysSoAndLogsNobodyIn)
{
    TestAppDir app;
    ScriptedPrompts prompts;
    frmLogin window;
    typeAndConfirm(window, "admin", "guess");
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "用户名或密码错误。");
    EXPECT_EQ(prompts.messages[0].title, "提示");
    EXPECT_FALSE(gLoggedIn);
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(edit(window, "Text2")->text(), "");
}

TEST(frmLogin, RightPairLogsInAndCloses)
{
    TestAppDir app;
    ScriptedPrompts prompts;
    frmLogin window;
    window.show();
    typeAndConfirm(window, " admin ", "");
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_TRUE(gLoggedIn);
    EXPECT_EQ(gUserName, "admin");
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_FALSE(window.isVisible());
}

TEST(frmLogin, UnreadableDatabaseIsReportedNotTakenForAWrongPassword)
{
    TestAppDir app;
    ScriptedPrompts prompts;
    frmLogin window;
    gUserTable = "usqmtx9";
    typeAndConfirm(window, "admin", "");
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.startsWith("无法登录。数据文件操作失败"));
    EXPECT_TRUE(prompts.messages[0].text.contains(app.dbPath()));
    EXPECT_FALSE(prompts.messages[0].text.contains("SELECT"));
    EXPECT_FALSE(gLoggedIn);
}
