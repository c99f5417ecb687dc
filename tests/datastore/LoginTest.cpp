#include "datastore/Login.h"
#include "DatabaseRows.h"
#include "datastore/AppState.h"
#include "datastore/PasswordHash.h"
#include "examrooms/ExamNoSettings.h"
#include "support/TestAppDir.h"

#include <gtest/gtest.h>

TEST(PasswordHash, MatchesOnlyTheRightPassword)
{
    const QString stored = PasswordHash::Make("秘密 pass");
    EXPECT_TRUE(PasswordHash::Matches(stored, "秘密 pass"));
    EXPECT_FALSE(PasswordHash::Matches(stored, "秘密 Pass"));
    EXPECT_FALSE(PasswordHash::Matches(stored, ""));
    EXPECT_FALSE(stored.contains("pass"));
    EXPECT_TRUE(stored.startsWith("sha256$"));
    // A fresh salt each time: equal passwords do not look alike.
    EXPECT_NE(PasswordHash::Make("秘密 pass"), stored);
}

TEST(PasswordHash, StoredValuesNotMadeByItNeverMatch)
{
    const QString good = PasswordHash::Make("x");
    const QStringList parts = good.split('$');
    for (const QString &stored : { QString("x"), QString(), QString("sha256$$"), "md5$" + parts[1] + '$' + parts[2],
             "sha256$" + parts[1] + '$' + parts[2].left(10), "sha256$zz$" + parts[2] }) {
        SCOPED_TRACE(stored.toStdString());
        EXPECT_FALSE(PasswordHash::Matches(stored, "x"));
    }
}

TEST(Login, FreshFileLetsAdminInWithAnEmptyPasswordThatIsStoredHashed)
{
    TestAppDir app;
    EXPECT_TRUE(CheckLogin("admin", ""));
    EXPECT_TRUE(CheckLogin("ADMIN", ""));
    EXPECT_FALSE(CheckLogin("admin", "admin"));
    EXPECT_FALSE(CheckLogin("guest", ""));
    const QStringList stored = DatabaseRows("SELECT feld2 FROM usqmtx1");
    ASSERT_EQ(stored.size(), 1);
    EXPECT_NE(stored[0], "");
    EXPECT_NE(stored[0], "<null>");
    EXPECT_TRUE(DatabaseReleased());
}

TEST(Login, LogInSetsTheStateOnlyOnSuccess)
{
    TestAppDir app;
    EXPECT_FALSE(LogIn("admin", "wrong"));
    EXPECT_FALSE(gLoggedIn);
    EXPECT_EQ(gUserName, "");
    EXPECT_TRUE(LogIn("admin", ""));
    EXPECT_TRUE(gLoggedIn);
    EXPECT_EQ(gUserName, "admin");
    EXPECT_FALSE(LogIn("admin", "wrong"));
    EXPECT_TRUE(gLoggedIn);
    EXPECT_EQ(gUserName, "admin");
}

TEST(Login, SetPasswordReplacesTheOldOneAndStoresNoPlainText)
{
    TestAppDir app;
    EXPECT_TRUE(SetPassword("admin", "新密码123"));
    EXPECT_TRUE(CheckLogin("admin", "新密码123"));
    EXPECT_FALSE(CheckLogin("admin", ""));
    const QStringList stored = DatabaseRows("SELECT feld2 FROM usqmtx1");
    ASSERT_EQ(stored.size(), 1);
    EXPECT_FALSE(stored[0].contains("新密码123"));
    EXPECT_FALSE(SetPassword("nobody", "x"));
    EXPECT_EQ(DatabaseRows("SELECT count(*) FROM usqmtx1"), QStringList { "1" });
}

TEST(Login, UsersBelongToTheCurrentArea)
{
    TestAppDir app;
    gUserTable = "usqmtx2";
    EXPECT_TRUE(SetPassword("admin", "two"));
    EXPECT_TRUE(CheckLogin("admin", "two"));
    gUserTable = "usqmtx1";
    EXPECT_TRUE(CheckLogin("admin", ""));
    EXPECT_FALSE(CheckLogin("admin", "two"));
}

TEST(Login, NamesWithQuotesAreValuesNotSql)
{
    TestAppDir app;
    {
        MainDatabaseScope scope;
        gDb.Execute("INSERT INTO usqmtx1 (feld1, feld2) VALUES (?, ?)", { "O'Hara", PasswordHash::Make("pw") });
    }
    EXPECT_TRUE(CheckLogin("O'Hara", "pw"));
    EXPECT_FALSE(CheckLogin("' OR '1'='1", "pw"));
    EXPECT_FALSE(CheckLogin("admin' --", ""));
}

TEST(ExamNoSettings, ReadsPrefixAndFormOfTheCurrentArea)
{
    struct Case {
        const char *s1;
        const char *s2;
        const char *prefix;
        const char *form;
    } cases[] = { { "buyaokc", " 1", "", " 1" }, { "KS", " 6", "KS", " 6" }, { "2026", "k2", "2026", "k2" } };
    TestAppDir app;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.s1);
        {
            MainDatabaseScope scope;
            gDb.Execute("UPDATE 设置表1 SET s1 = ?, s2 = ? WHERE 项目 = '考号加零'",
                { QString::fromUtf8(c.s1), QString::fromUtf8(c.s2) });
        }
        LoadExamNoSettings();
        EXPECT_EQ(gExamNoPrefix, QString::fromUtf8(c.prefix));
        EXPECT_EQ(gExamNoForm, QString::fromUtf8(c.form));
        EXPECT_TRUE(DatabaseReleased());
    }
}
