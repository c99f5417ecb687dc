#include "datastore/AppState.h"
#include "examrooms/ExamNoSettings.h"
#include "support/TestAppDir.h"
#include "workspace/GridFill.h"
#include "workspace/frmMain.h"

#include <gtest/gtest.h>

namespace {

// One test's state never reaches the next: a fresh application directory starts every shared
// variable from its initial value, whatever the test before left in it.
TEST(SharedState, AFreshAppDirStartsFromNothing)
{
    {
        TestAppDir app;
        app.logIn();
        gExamNoPrefix = "A";
        gExamNoForm = "k2";
        gDocTitle = "名单";
        gRoomPlaces.Set(3, "楼3");
        gExamRoomColumns = "姓名";
    }
    EXPECT_FALSE(gLoggedIn);
    EXPECT_TRUE(gUserName.isEmpty());
    EXPECT_TRUE(gExamNoPrefix.isEmpty());
    EXPECT_TRUE(gExamNoForm.isEmpty());
    EXPECT_TRUE(gDocTitle.isEmpty());
    EXPECT_TRUE(gRoomPlaces.IsEmpty());
    EXPECT_TRUE(gExamRoomColumns.isEmpty());
    EXPECT_TRUE(gExamineeTable.isEmpty());
    EXPECT_EQ(gCurrentArea, 0);
}

} // namespace
