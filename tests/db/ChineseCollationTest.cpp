#include "DbFixture.h"
#include "db/ChineseCollation.h"

namespace {

using ChineseCollationTest = DbFixture;

// Schools and classes read in pinyin order, not by code point (which puts 阿 last).
TEST_F(ChineseCollationTest, OrdersChineseTextByPinyin)
{
    for (const char *school : { "实验中学", "第一中学", "阿克苏中学", "北京中学" })
        addExaminee(QString::fromUtf8(school), "1班", "甲", "男", 1, 101);
    EXPECT_EQ(rows("select distinct 学校 from 考生表1 ORDER BY " + db::ChineseCollation::Order("学校")),
        (QStringList { "阿克苏中学", "北京中学", "第一中学", "实验中学" }));
    EXPECT_EQ(rows("select 学校 from 考生表1 ORDER BY 学校"),
        (QStringList { "北京中学", "实验中学", "第一中学", "阿克苏中学" }));
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

// Texts that differ never compare equal (so grouping and DISTINCT agree with the order), the
// order is the same read either way, and equal texts group together.
TEST_F(ChineseCollationTest, DifferentTextsStayApartAndEqualOnesGroup)
{
    const struct {
        QString left;
        QString right;
        int sign; // 2: any order, as long as it is not equal
    } cases[] = {
        { "阿", "北", -1 },
        { "北京", "第一", -1 },
        { "张三", "张三", 0 },
        { "一中", "一中 ", -1 },
        { "a", "A", 2 },
        { "1班", "2班", -1 },
        { "", "阿", -1 },
    };
    for (const auto &c : cases) {
        const int sign = Sign(db::ChineseCollation::Compare(c.left, c.right));
        if (c.sign == 2)
            EXPECT_NE(sign, 0) << c.left.toStdString();
        else
            EXPECT_EQ(sign, c.sign) << c.left.toStdString() << " " << c.right.toStdString();
        EXPECT_EQ(Sign(db::ChineseCollation::Compare(c.right, c.left)), -sign) << c.left.toStdString();
    }
    m_db.Execute("CREATE TABLE t (v TEXT)");
    for (const char *value : { "乙", "甲", "乙", "Ab", "AB" })
        m_db.Execute("INSERT INTO t VALUES (?)", { QString::fromUtf8(value) });
    const QStringList groups = rows("select v, count(*) from t GROUP BY " + db::ChineseCollation::Order("v")
        + " ORDER BY " + db::ChineseCollation::Order("v"));
    ASSERT_EQ(groups.size(), 4);
    EXPECT_EQ(groups.mid(0, 2), (QStringList { "甲|1", "乙|2" }));
}

// Numbers stored as numbers keep their numeric order under the collation.
TEST_F(ChineseCollationTest, NumbersKeepTheirOrder)
{
    m_db.Execute("CREATE TABLE n (v)");
    for (const QVariant &value : { QVariant(10.0), QVariant(9.0), QVariant(100.0), QVariant("阿") })
        m_db.Execute("INSERT INTO n VALUES (?)", { value });
    EXPECT_EQ(rows("select v from n ORDER BY " + db::ChineseCollation::Order("v")),
        (QStringList { "9", "10", "100", "阿" }));
}

} // namespace
