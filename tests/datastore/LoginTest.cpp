#include "datastore/Login.h"
#include "DatabaseRows.h"
#include "datastore/AppState.h"
#include "datastore/PasswordHash.h"
#include "examrooms/ExamNoSettings.h"
#include "support/TestAppDir.h"

#include <QSet>
#include <gtest/gtest.h>

TEST(PasswordHash, MakesPbkdf2WithTheRealWorkFactor)
{
    const QString stored = PasswordHash::Make("秘密 pass");
    EXPECT_TRUE(stored.startsWith("pbkdf2-sha256$100000$"));
    EXPECT_TRUE(PasswordHash::Matches(stored, "秘密 pass"));
    EXPECT_FALSE(PasswordHash::NeedsRehash(stored));
}

class PasswordHashTest : public ::testing::Test {
protected:
    PasswordHashTest() { PasswordHash::UseIterationsForTests(TestAppDir::kTestHashIterations); }
    ~PasswordHashTest() override { PasswordHash::UseIterationsForTests(0); }
};

TEST_F(PasswordHashTest, MatchesOnlyTheRightPassword)
{
    const QString stored = PasswordHash::Make("秘密 pass");
    EXPECT_TRUE(PasswordHash::Matches(stored, "秘密 pass"));
    EXPECT_FALSE(PasswordHash::Matches(stored, "秘密 Pass"));
    EXPECT_FALSE(PasswordHash::Matches(stored, ""));
    EXPECT_FALSE(stored.contains("pass"));
    // A fresh salt each time: equal passwords do not look alike.
    EXPECT_NE(PasswordHash::Make("秘密 pass"), stored);
}

TEST_F(PasswordHashTest, StoredValuesNotMadeByItNeverMatch)
{
    const QString good = PasswordHash::Make("x");
    const QStringList parts = good.split('$');
    ASSERT_EQ(parts.size(), 4);
    const QString salt = parts[2];
    const QString key = parts[3];
    for (const QString &stored : { QString("x"), QString(), QString("pbkdf2-sha256$$$"), "md5$1000$" + salt + '$' + key,
             "pbkdf2-sha256$1000$" + salt + '$' + key.left(10), "pbkdf2-sha256$1000$zz$" + key,
             "pbkdf2-sha256$0$" + salt + '$' + key, "pbkdf2-sha256$999999999$" + salt + '$' + key,
             "pbkdf2-sha256$1001$" + salt + '$' + key, QString("sha256$$") }) {
        SCOPED_TRACE(stored.toStdString());
        EXPECT_FALSE(PasswordHash::Matches(stored, "x"));
    }
}

// A user of an earlier version keeps their password: the old form is read once and replaced
// by the current one at that login.
TEST_F(PasswordHashTest, TheOldFormIsReadOnceAndRewrittenAtTheNextLogin)
{
    const QString old = "sha256$00112233445566778899aabbccddeeff$"
                        "f73efbf10618a73d7b4e790ba5747144a10a2b1c5db3d5391171a9aeb87e3072";
    EXPECT_TRUE(PasswordHash::Matches(old, "旧密码"));
    EXPECT_FALSE(PasswordHash::Matches(old, "旧密码 "));
    EXPECT_TRUE(PasswordHash::NeedsRehash(old));

    TestAppDir app;
    {
        MainDatabaseScope scope;
        gDb.Execute("INSERT INTO usqmtx1 (feld1, feld2) VALUES (?, ?)", { "老师", old });
    }
    EXPECT_FALSE(CheckLogin("老师", "wrong"));
    EXPECT_EQ(DatabaseRows("SELECT feld2 FROM usqmtx1 WHERE feld1 = '老师'"), QStringList { old });
    EXPECT_TRUE(LogIn("老师", "旧密码"));
    const QStringList now = DatabaseRows("SELECT feld2 FROM usqmtx1 WHERE feld1 = '老师'");
    ASSERT_EQ(now.size(), 1);
    EXPECT_TRUE(now[0].startsWith("pbkdf2-sha256$"));
    EXPECT_FALSE(PasswordHash::NeedsRehash(now[0]));
    EXPECT_TRUE(CheckLogin("老师", "旧密码"));
}

// Every refusal costs the same work, whatever the row holds: a current hash, one made with
// fewer iterations, the earlier form, an empty, missing or plain field, or no row at all.
// The time of a refusal then tells neither which names exist nor how they are kept.
TEST_F(PasswordHashTest, EveryRefusalCostsTheSameWhateverTheRowHolds)
{
    TestAppDir app;
    PasswordHash::UseIterationsForTests(TestAppDir::kTestHashIterations / 2);
    const QString fewer = PasswordHash::Make("x");
    PasswordHash::UseIterationsForTests(TestAppDir::kTestHashIterations);
    {
        MainDatabaseScope scope;
        const QString old = "sha256$00112233445566778899aabbccddeeff$"
                            "f73efbf10618a73d7b4e790ba5747144a10a2b1c5db3d5391171a9aeb87e3072";
        for (const auto &[user, stored] : { std::pair<QString, QVariant> { "旧", old }, { "空", "" }, { "无", QVariant() },
                 { "明", "wrong!" }, { "少", fewer } })
            gDb.Execute("INSERT INTO usqmtx1 (feld1, feld2) VALUES (?, ?)", { user, stored });
    }
    QList<qint64> costs;
    for (const char *user : { "admin", "nobody", "' OR '1'='1", "旧", "空", "无", "明", "少" }) {
        const qint64 before = PasswordHash::WorkDone();
        EXPECT_FALSE(CheckLogin(QString::fromUtf8(user), "wrong")) << user;
        costs << PasswordHash::WorkDone() - before;
    }
    // A key of the current count and a digest of the earlier form (10,000 rounds) each time.
    EXPECT_EQ(costs, QList<qint64>(costs.size(), TestAppDir::kTestHashIterations + 10000));
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

// The six seeded users each have a salt of their own: no two rows of the file look alike.
TEST(Login, EachSeededUserHasASaltOfItsOwn)
{
    TestAppDir app;
    QSet<QString> hashes;
    for (int area = 1; area <= 6; ++area)
        for (const QString &stored : DatabaseRows(QStringLiteral("SELECT feld2 FROM usqmtx%1").arg(area))) {
            EXPECT_TRUE(PasswordHash::Matches(stored, ""));
            hashes << stored.section('$', 2, 2);
        }
    EXPECT_EQ(hashes.size(), 6);
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
