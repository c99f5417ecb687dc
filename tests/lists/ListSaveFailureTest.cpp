#include "ListFixture.h"

#include "datastore/AppState.h"
#include "db/Error.h"
#include "examrooms/ShownExamNumber.h"
#include "gridview/Grid.h"
#include "lists/ClassSchoolList.h"
#include "lists/ListQuery.h"
#include "lists/RoomList.h"
#include "lists/RoomRangeList.h"
#include "support/TestDataFile.h"
#include "workspace/frmDocument.h"
#include "workspace/frmMain.h"

#include <QMdiArea>

namespace {

// A data file that cannot be written: the list's query stays as the list before left it, and
// reading it would show that list under the new title. The list says so and shows nothing.
class ListSaveFailureTest : public ListFixture {
protected:
    void SetUp() override
    {
        AddExaminee("一中", "1", "甲", 1, 101, 1);
        AddExaminee("一中", "1", "乙", 2, 201, 1);
        OpenWindow();
        RoomList::gkc_Click(ItemIndex("gkc", 1.0));
        ASSERT_EQ(Column("姓名"), QStringList { "甲" });
    }
    void TearDown() override { TestDataFile::SetReadOnly(false); }

    // The second list made no document and said why, in Chinese, naming `cause`.
    void ExpectRefused(const QString &cause)
    {
        EXPECT_EQ(window->MdiArea()->subWindowList().size(), 1);
        EXPECT_EQ(Column("姓名"), QStringList { "甲" });
        ASSERT_EQ(prompts.messages.size(), 1);
        EXPECT_TRUE(prompts.messages[0].text.startsWith("名单没有生成")) << prompts.messages[0].text.toStdString();
        EXPECT_TRUE(prompts.messages[0].text.contains(cause)) << prompts.messages[0].text.toStdString();
        EXPECT_EQ(TestDataFile::Texts("select 姓名 from NewQry5"), QStringList { "甲" });
    }
};

TEST_F(ListSaveFailureTest, ReadOnlyFile)
{
    TestDataFile::CloseConnection();
    if (!TestDataFile::SetReadOnly(true))
        GTEST_SKIP() << "the data file cannot be made read-only here";
    RoomList::gkc_Click(ItemIndex("gkc", 2.0));
    ExpectRefused("只读");

    // Handed a document, the list raises and leaves it empty.
    frmDocument document;
    EXPECT_THROW(ClassSchoolList::Show(
                     document, "全部", ListQuery::All(gExamRoomColumns, gExamineeTable), ShownExamNumber("", "k2", 12)),
        db::Error);
    EXPECT_EQ(document.Grid1->Cell(1, 1).text(), "");
}

TEST_F(ListSaveFailureTest, FileLockedByAnotherProgram)
{
    const TestDataFile::WriteLock lock;
    ClassSchoolList::gxx_Click(0);
    ExpectRefused("另一个程序");
}

} // namespace
