#include "MainWindowFixture.h"
#include "datastore/AppState.h"
#include "datastore/MainDatabaseScope.h"
#include "datastore/Workbook.h"
#include "gridview/Grid.h"
#include "workspace/frmDocument.h"

#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <cerrno>

namespace {

QString examineeCounts()
{
    MainDatabaseScope scope;
    db::Recordset rs = gDb.OpenRecordset(QStringLiteral("SELECT count(*), count(考场) FROM 考生表1"));
    return db::VbText(rs.Fields(0).Value()) + '|' + db::VbText(rs.Fields(1).Value());
}

} // namespace

class ImportCommandTest : public MainWindowFixture {
protected:
    frmMain &arrangedExamWindow()
    {
        EXPECT_TRUE(app.importExam("exam-small.xls").ok);
        frmMain &main = openWindow();
        app.logIn();
        return main;
    }
};

// An unarranged workbook over an arranged exam: the import says how many examinees it
// replaces and that the lists stay empty until the exam is arranged; "no" to either keeps
// the exam, "yes" to both replaces it.
TEST_F(ImportCommandTest, UnarrangedWorkbookOverAnArrangedExamAsksTwice)
{
    frmMain &main = arrangedExamWindow();
    const QString replaceQuestion = "当前数据区已有 12 名考生。导入后，他们将被工作簿中的 12 名考生替换，原有的考场编排不能恢复。"
                                    "\n\n是否继续导入？";
    const QString emptyListsQuestion = "工作簿中的考生都没有考场、考号或座位号（考场还没有编排）。导入后，在编排考场之前，"
                                       "各考场、班级和学校的名单都是空的。\n\n是否继续导入？";
    const QString imported = "数据导入成功。\n\n请注意：\n工作表 Sheet1 第 5 行“成绩”列：“缺考”不是数字，已留空。";
    struct Case {
        QList<QMessageBox::StandardButton> answers;
        QStringList shown;
        QString counts;
    } cases[] = {
        { { QMessageBox::No }, { replaceQuestion }, "12|12" },
        { { QMessageBox::Yes, QMessageBox::No }, { replaceQuestion, emptyListsQuestion }, "12|12" },
        { { QMessageBox::Yes, QMessageBox::Yes }, { replaceQuestion, emptyListsQuestion, imported }, "12|0" },
    };
    for (const Case &c : cases) {
        prompts.messages.clear();
        prompts.files << TestAppDir::fixture("exam-unarranged.xlsx");
        prompts.buttons = c.answers;
        main.mnuImportExam_Click();
        EXPECT_EQ(prompts.messageTexts(), c.shown);
        EXPECT_EQ(examineeCounts(), c.counts);
    }
    EXPECT_EQ(gCurrentAreaName, "exam-unarranged");
    ASSERT_FALSE(prompts.messages.isEmpty());
    EXPECT_EQ(prompts.messages[0].icon, QMessageBox::Question);
}

// Examinees never arranged have no arrangement to lose: the question does not speak of one.
TEST_F(ImportCommandTest, ReplacingUnarrangedExamineesSpeaksOfNoArrangement)
{
    ASSERT_TRUE(app.importExam("exam-unarranged.xlsx").ok);
    frmMain &main = openWindow();
    app.logIn();
    prompts.files << TestAppDir::fixture("exam-small.xls");
    prompts.buttons = { QMessageBox::No };
    main.mnuImportExam_Click();
    EXPECT_EQ(prompts.messageTexts(),
        QStringList { "当前数据区已有 12 名考生。导入后，他们将被工作簿中的 12 名考生替换。\n\n是否继续导入？" });
    EXPECT_EQ(examineeCounts(), "12|0");
}

TEST_F(ImportCommandTest, NotesOnSingleValuesFollowTheSuccess)
{
    frmMain &main = openWindow();
    app.logIn();
    prompts.files << TestAppDir::fixture("exam-noted-values.xls");
    main.mnuImportExam_Click();
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].text.startsWith("数据导入成功。\n\n请注意：\n工作表 Sheet1 第 2 行“成绩”列："));
}

// A workbook whose reader dies costs the reader only: the documents stay open and usable.
TEST_F(ImportCommandTest, AReaderThatDiesLeavesTheDocumentsAndTheExam)
{
    frmMain &main = arrangedExamWindow();
    main.LoadNewDoc();
    frmDocument *document = main.ActiveForm();
    ASSERT_NE(document, nullptr);
    document->Grid1->Cell(1, 1).SetText(QStringLiteral("未保存的文字"));

    QTemporaryDir dir;
    const QString reader = dir.filePath("reader.sh");
    QFile script(reader);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\nkill -SEGV $$\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    Workbook::UseReaderForTests(reader);
    prompts.files << TestAppDir::fixture("freexl-sst-overread.xls");
    main.mnuImportExam_Click();
    Workbook::UseReaderForTests();

    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_EQ(prompts.messages[0].text, "读取该工作簿时出错，读取程序意外终止，文件可能已损坏。\n原有数据没有改变。");
    EXPECT_EQ(main.ActiveForm(), document);
    EXPECT_EQ(document->Grid1->Cell(1, 1).text(), "未保存的文字");
    EXPECT_EQ(examineeCounts(), "12|12");
}

// While the reader works the window goes on: it repaints behind a dialog whose 取消 ends the
// reader and leaves the exam as it was, without a word.
TEST_F(ImportCommandTest, CancellingAReaderAtWorkEndsItAndLeavesTheExam)
{
    frmMain &main = arrangedExamWindow();
    main.show();
    QTemporaryDir dir;
    const QString pidFile = dir.filePath("pid");
    const QString reader = dir.filePath("reader.sh");
    QFile script(reader);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\necho $$ > '%1.new' && mv '%1.new' '%1'\nexec sleep 30\n").arg(pidFile).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    Workbook::UseReaderForTests(reader, 15);

    // Once the reader runs: ask the window to repaint, and press 取消 when it has. A key
    // pressed meanwhile never reaches the window.
    struct Seen : QObject {
        int count = 0;
        QEvent::Type type;
        explicit Seen(QEvent::Type type)
            : type(type)
        {
        }
        bool eventFilter(QObject *, QEvent *event) override
        {
            count += event->type() == type;
            return false;
        }
    } painted(QEvent::Paint), keys(QEvent::KeyPress);
    main.installEventFilter(&painted);
    main.installEventFilter(&keys);
    QString shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = main.findChild<QProgressDialog *>();
        if (!dialog || !QFile::exists(pidFile))
            return;
        if (shown.isEmpty()) {
            shown = dialog->labelText();
            painted.count = 0;
            main.update();
            QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QCoreApplication::sendEvent(&main, &key);
        } else if (painted.count > 0) {
            poll.stop();
            dialog->findChild<QPushButton *>()->click();
        }
    });
    poll.start(10);
    prompts.files << TestAppDir::fixture("exam-unarranged.xlsx");
    main.mnuImportExam_Click();
    poll.stop();
    Workbook::UseReaderForTests();

    EXPECT_EQ(shown, "正在读取工作簿 exam-unarranged.xlsx……");
    EXPECT_GT(painted.count, 0);
    EXPECT_EQ(keys.count, 0);
    EXPECT_EQ(prompts.messageTexts(), QStringList());
    EXPECT_EQ(examineeCounts(), "12|12");
    QFile pid(pidFile);
    ASSERT_TRUE(pid.open(QIODevice::ReadOnly));
    EXPECT_EQ(::kill(pid.readAll().trimmed().toInt(), 0), -1);
    EXPECT_EQ(errno, ESRCH);
}

// The status bar names the area after the workbook, as it is: "<b><u>BIG" is no markup.
TEST_F(ImportCommandTest, TheStatusBarShowsAWorkbookNameAsItIs)
{
    frmMain &main = openWindow();
    app.logIn();
    QTemporaryDir dir;
    const QString path = dir.filePath("<b><u>BIG.xls");
    ASSERT_TRUE(QFile::copy(TestAppDir::fixture("exam-small.xls"), path));
    prompts.files << path;
    main.mnuImportExam_Click();
    auto *status = main.findChild<QLabel *>("StatusBar1Panel1");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), "当前数据区： 数据区1<b><u>BIG");
    EXPECT_EQ(status->textFormat(), Qt::PlainText);
}
