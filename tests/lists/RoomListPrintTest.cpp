#include "ListFixture.h"

#include "datastore/AppState.h"
#include "examrooms/ExamNoSettings.h"
#include "gridview/Grid.h"
#include "gridprint/Paginator.h"
#include "gridprint/PdfWriter.h"
#include "lists/ClassSchoolList.h"
#include "lists/RoomList.h"
#include "support/PrintedTexts.h"
#include "support/Snapshot.h"
#include "workspace/frmMain.h"

#include <QDir>

namespace {

using RoomListPrintTest = ListFixture;

const QString kEveryColumn = QStringLiteral("学校,班级,姓名,性别,成绩,考号,考场,座位号");

// Every printed sheet holds all columns: no column is pushed onto a sheet of its own.
void ExpectOneSheetWide(const GridData &data)
{
    const QList<Page> pages = Paginator::paginate(data);
    ASSERT_FALSE(pages.isEmpty());
    for (const Page &page : pages) {
        EXPECT_EQ(page.colBand, 0) << page.number;
        EXPECT_EQ(page.body.right(), data.cols() - 1) << page.number;
    }
}

// A full room of 30 prints on one portrait sheet that a school can pin on the door: both
// titles, every examinee and the location line, all eight columns side by side.
TEST_F(RoomListPrintTest, FullRoomFitsOneSheet)
{
    gExamNoPrefix = "KS";
    gExamNoForm = "k2";
    gExamRoomColumns = "学校,班级,姓名,性别,成绩,考号,考场,座位号";
    const QStringList surnames { "王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴" };
    const QStringList given { "小明", "思远", "雨萱", "子涵", "浩然", "欣怡" };
    for (int seat = 1; seat <= 30; ++seat)
        AddExaminee(seat % 3 ? "实验中学" : "O'Hara国际学校", QString::number(seat % 4 + 1),
            surnames.at(seat % 10) + given.at(seat % 6), 7, 700 + seat, seat);
    Execute("update " + gExamineeTable + " set 性别 = '男'");
    Execute("update " + gExamineeTable + " set 性别 = '女' where 座位号 > 15");
    Execute("update " + gExamRoomTable + " set 考场地点 = '教学楼三层 307 教室' where 考场号 = 7");
    OpenWindow();
    RoomList::gkc_Click(7);

    const GridData &data = Document().data();
    const QList<Page> pages = Paginator::paginate(data);
    ASSERT_EQ(pages.size(), 1);
    const Page &page = pages.first();
    EXPECT_EQ(page.body.top(), 1);
    EXPECT_EQ(page.body.bottom(), data.rows() - 1);
    EXPECT_EQ(page.body.right(), data.cols() - 1);
    EXPECT_EQ(page.titles.size(), 2);

    // Set KAOWU_SNAPSHOT_DIR to look at the sheet as it prints.
    const QString path = SnapshotPath(QStringLiteral("room-list.pdf"));
    if (!path.isEmpty()) {
        ASSERT_TRUE(PdfWriter::write(path, data));
    }
}

// School names of every kind print whole with every column shown, on screen and on paper: the
// school column takes the width it needs from columns that have room to spare.
TEST_F(RoomListPrintTest, SchoolNamesPrintWholeWithEveryColumnShown)
{
    gExamNoPrefix = "KS";
    gExamNoForm = "k2";
    gExamRoomColumns = kEveryColumn;
    const QStringList schools { "O'Hara国际学校", "城关镇中心学校", "实验中学(南校区)" };
    for (int seat = 1; seat <= 30; ++seat)
        AddExaminee(schools.at(seat % 3), QString::number(seat % 4 + 1), "学生" + QString::number(seat), 7,
            700 + seat, seat);
    Execute("update " + gExamRoomTable + " set 考场地点 = '教学楼三层 307 教室(东)' where 考场号 = 7");
    OpenWindow();
    RoomList::gkc_Click(7);

    const GridData &data = Document().data();
    EXPECT_EQ(Column("学校").mid(0, 3), QStringList({ schools[1], schools[2], schools[0] }));
    EXPECT_EQ(CutTexts(data), "");
    ExpectOneSheetWide(data);
    // Columns whose texts fit keep the room list's width or give up only what they spare.
    EXPECT_GT(data.colWidth(1), 83);
    EXPECT_LT(data.colWidth(2), 83);

    const QString path = SnapshotPath(QStringLiteral("room-list-schools.pdf"));
    if (!path.isEmpty()) {
        ASSERT_TRUE(PdfWriter::write(path, data));
    }
}

// The class and school lists with every column and the location are one sheet wide too.
TEST_F(RoomListPrintTest, ClassListIsOneSheetWide)
{
    gExamRoomColumns = "学校,班级,姓名,性别,成绩,考号,考场,座位号";
    for (int i = 1; i <= 80; ++i)
        AddExaminee("实验中学", "1班", "学生" + QString::number(i), i / 30 + 1, i, i % 30 + 1);
    OpenWindow();
    ClassSchoolList::gbj_Click(0);
    const QList<Page> pages = Paginator::paginate(Document().data());
    ASSERT_GE(pages.size(), 2);
    for (const Page &page : pages) {
        EXPECT_EQ(page.colBand, 0) << page.number;
        EXPECT_EQ(page.body.right(), Document().Cols() - 1) << page.number;
    }
}

} // namespace
