// Photos on tickets: found by name in any case of ".jpg", read once at print size and shared by
// stub and ticket; missing, damaged or cut-off photos and unsafe names are built without a photo
// and named afterwards.
#include "TicketFixture.h"

#include "gridview/Grid.h"
#include "tickets/TicketBlocks.h"
#include "tickets/TicketPhotos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLineEdit>
#include <QTemporaryDir>

namespace {

void WritePhoto(const QString &path, const QSize &size = QSize(1600, 1200), bool progressive = false)
{
    QImage photo(size, QImage::Format_RGB32);
    photo.fill(QColor(90, 140, 200));
    QImageWriter writer(path, "JPEG");
    writer.setProgressiveScanWrite(progressive);
    ASSERT_TRUE(writer.write(photo));
}

class TicketPhotosTest : public TicketFixture {
protected:
    void SetUp() override
    {
        AddSmallExam();
        WritePhoto(folder.filePath(QStringLiteral("张一.jpg")));
        WritePhoto(folder.filePath(QStringLiteral("王二.JPG")), QSize(1600, 1200), true);
        WritePhoto(folder.filePath(QStringLiteral("赵四.Jpg")));
        QFile garbage(folder.filePath(QStringLiteral("钱五.jpg")));
        ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
        garbage.write("not a picture");
        // Cut off halfway through its scan, as by a copy that did not finish.
        const QString cut = folder.filePath(QStringLiteral("李三.jpg"));
        WritePhoto(cut, QSize(200, 300));
        QFile(cut).resize(QFileInfo(cut).size() / 2);
    }
    // A job for 第一中学 一班 with photos from `path`, named by `column`.
    bool RunWithPhotos(const QString &path, const QString &column = QStringLiteral("姓名"))
    {
        OpenWindow();
        Choose(QStringLiteral("Combo1"), QStringLiteral("第一中学"));
        Choose(QStringLiteral("Combo2"), QStringLiteral("一班"));
        Control<QCheckBox>(QStringLiteral("Check1"))->click();
        Control<QLineEdit>(QStringLiteral("Text1"))->setText(path);
        Choose(QStringLiteral("Combo5"), column);
        return RunJob();
    }
    QString PhotoKey(int ticket, int col) const { return printed.imageKey(ticket * 11 + 3, col); }

    QTemporaryDir folder;
};

TEST_F(TicketPhotosTest, FoundPhotosSitInBothBoxesAndMissingOnesAreNamed)
{
    ASSERT_TRUE(RunWithPhotos(folder.path()));
    const QStringList names { "张一", "王二", "李三", "赵四", "钱五" };
    const QList<bool> found { true, true, false, true, false };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(names[i].toStdString());
        const int r0 = i * 11;
        if (found[i]) {
            EXPECT_EQ(PhotoKey(i, 6), names[i]);
            EXPECT_EQ(PhotoKey(i, 13), names[i]);
            EXPECT_EQ(printed.mergeAt(r0 + 3, 13), (CellRange { r0 + 3, 13, r0 + 8, 13 }));
            EXPECT_EQ(printed.style(r0 + 3, 13).lines[LineTop], LineNone);
            EXPECT_EQ(printed.style(r0 + 5, 13).lines[LineLeft], LineNone);
            EXPECT_EQ(printed.text(r0 + 3, 13), QString());
        } else {
            // The box as the template draws it.
            EXPECT_EQ(PhotoKey(i, 6), QString());
            EXPECT_EQ(PhotoKey(i, 13), QString());
            EXPECT_EQ(printed.text(r0 + 3, 13), QStringLiteral("照片"));
            EXPECT_EQ(printed.style(r0 + 3, 13).lines[LineTop], tickets->templateGrid()->data().style(3, 13).lines[LineTop]);
        }
    }
    EXPECT_EQ(printed.images().keys(), (QStringList { "张一", "王二", "赵四" }));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messageTexts().first().contains(QStringLiteral("李三、钱五")));
    EXPECT_EQ(printed.rows(), 56);
    // The live template keeps its boxes.
    const GridData &live = tickets->templateGrid()->data();
    EXPECT_EQ(live.text(3, 6), QStringLiteral("照片"));
    EXPECT_NE(live.style(3, 6).lines[LineTop], LineNone);
}

TEST_F(TicketPhotosTest, PhotosAreKeptAtTheirPrintSizeAndSmallerOnesInTheirOwnBytes)
{
    const QString small = folder.filePath(QStringLiteral("王二.JPG"));
    WritePhoto(small, QSize(120, 90));
    QFile file(small);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_TRUE(RunWithPhotos(folder.path()));
    EXPECT_EQ(printed.images().data(QStringLiteral("王二")), file.readAll());
    const TicketBlocks blocks(tickets->templateGrid()->data());
    const QSize box = blocks.photoBox() * (TicketPhotos::PrintDpi / 96.0);
    const QImage kept = printed.images().image(QStringLiteral("张一"));
    ASSERT_FALSE(kept.isNull());
    EXPECT_LE(kept.width(), box.width() + 1);
    EXPECT_LE(kept.height(), box.height() + 1);
    EXPECT_NEAR(double(kept.width()) / kept.height(), 4.0 / 3.0, 0.02);
    EXPECT_GE(kept.width(), box.width() / 2);
}

TEST_F(TicketPhotosTest, AFolderEndingInASeparatorIsTheSameFolder)
{
    for (const QString &ending : { QStringLiteral("/"), QStringLiteral("\\") }) {
        SCOPED_TRACE(ending.toStdString());
        prompts.messages.clear();
        ASSERT_TRUE(RunWithPhotos(folder.path() + ending));
        EXPECT_EQ(printed.images().keys(), (QStringList { "张一", "王二", "赵四" }));
        delete tickets;
    }
}

TEST_F(TicketPhotosTest, ExamNumbersNamePhotosToo)
{
    WritePhoto(folder.filePath(QStringLiteral("103.jpg")), QSize(300, 400));
    ASSERT_TRUE(RunWithPhotos(folder.path(), QStringLiteral("考号")));
    EXPECT_EQ(printed.images().keys(), QStringList { "103" });
    EXPECT_EQ(PhotoKey(2, 13), QStringLiteral("103"));
    // A photo smaller than its box is kept as it is.
    EXPECT_EQ(printed.images().image(QStringLiteral("103")).size(), QSize(300, 400));
}

TEST_F(TicketPhotosTest, NamesThatWouldLeaveTheFolderAreRefusedAndNamed)
{
    QDir outside(folder.path());
    outside.mkpath(QStringLiteral("inner"));
    WritePhoto(folder.filePath(QStringLiteral("secret.jpg")));
    WritePhoto(folder.filePath(QStringLiteral("inner/x.jpg")));
    Execute(QStringLiteral("update 考生表1 set 姓名 = ? where 考号 = 101"), { QStringLiteral("../secret") });
    Execute(QStringLiteral("update 考生表1 set 姓名 = ? where 考号 = 102"), { QStringLiteral("inner/x") });
    Execute(QStringLiteral("update 考生表1 set 姓名 = ? where 考号 = 103"), { QStringLiteral("inner\\x") });
    Execute(QStringLiteral("update 考生表1 set 姓名 = null where 考号 = 104"));
    ASSERT_TRUE(RunWithPhotos(folder.filePath(QStringLiteral("inner"))));
    EXPECT_TRUE(printed.images().keys().isEmpty());
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(PhotoKey(i, 13), QString()) << i;
    ASSERT_EQ(prompts.messages.size(), 1);
    // The examinee without a name is named by exam number.
    EXPECT_TRUE(prompts.messageTexts().first().contains(QStringLiteral("../secret、inner/x、inner\\x、考号 104")));
}

TEST_F(TicketPhotosTest, ExamineesSharingANameShareOnePicture)
{
    Execute(QStringLiteral("update 考生表1 set 姓名 = '张一' where 考号 in (102, 103)"));
    ASSERT_TRUE(RunWithPhotos(folder.path()));
    EXPECT_EQ(printed.images().Count(), 2);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(PhotoKey(i, 6), QStringLiteral("张一")) << i;
}

TEST(TicketPhotoNames, SafeNamesStayInTheFolder)
{
    struct Case {
        const char *name;
        bool safe;
    };
    const Case cases[] = { { "李明", true }, { "1001", true }, { "a.b", true }, { "", false }, { "..", false },
        { "../x", false }, { "a/b", false }, { "a\\b", false }, { "x..y", false } };
    for (const Case &c : cases)
        EXPECT_EQ(TicketPhotos::IsSafe(QString::fromUtf8(c.name)), c.safe) << c.name;
    EXPECT_EQ(TicketPhotos::Key(QStringLiteral("  李明 ")), QStringLiteral("李明"));
}

} // namespace
