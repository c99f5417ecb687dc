// Ticket jobs from the window to the printed document: the examinees of a class or a room, the
// layout, the pages, and what happens when something is missing.
#include "TicketFixture.h"

#include "gridview/Grid.h"
#include "gridprint/Paginator.h"
#include "tickets/TicketJob.h"
#include "tickets/TicketOrder.h"
#include "workspace/frmMain.h"

#include "gridprint/PrintPreviewDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// The names on the tickets of a document, in order.
QStringList Names(const GridData &out)
{
    QStringList names;
    for (int r0 = 0; r0 + 11 < out.rows(); r0 += 11)
        names << out.text(r0 + 4, 11);
    return names;
}

class TicketJobTest : public TicketFixture {
public:
    void SetUp() override { AddSmallExam(); }
    void Click(const QString &name) { Control<QRadioButton>(name)->click(); }
    void ChooseClass(const QString &school, const QString &className)
    {
        Choose(QStringLiteral("Combo1"), school);
        Choose(QStringLiteral("Combo2"), className);
    }
    void ChooseRoom(const QString &room)
    {
        Click(QStringLiteral("Option6"));
        Choose(QStringLiteral("Combo1"), room);
    }
};

TEST_F(TicketJobTest, AClassPrintsTwoTicketsToALandscapePage)
{
    OpenWindow();
    ChooseClass(QStringLiteral("第一中学"), QStringLiteral("一班"));
    ASSERT_TRUE(RunJob());
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messageTexts().join("|").toStdString();
    EXPECT_EQ(Names(printed), (QStringList { "张一", "王二", "李三", "赵四", "钱五" }));
    EXPECT_EQ(printed.rows(), 56);
    EXPECT_EQ(printed.cols(), 16);
    EXPECT_EQ(printed.hPageBreaks().rows(), (QList<int> { 23, 45 }));
    EXPECT_EQ(Paginator::paginate(printed).size(), 3);
    const PageSetup &setup = printed.pageSetup();
    EXPECT_EQ(setup.Orientation, 2);
    EXPECT_EQ(setup.TopMargin, 1);
    EXPECT_EQ(setup.BottomMargin, 0.3);
    EXPECT_EQ(setup.LeftMargin, 1);
    EXPECT_EQ(setup.RightMargin, 1);
    EXPECT_EQ(setup.HeaderMargin, 0);
    EXPECT_EQ(setup.FooterMargin, 0);
    for (int col = 1; col < 16; ++col)
        EXPECT_EQ(printed.colWidth(col), tickets->templateGrid()->data().colWidth(col)) << col;
    // No arrangement settings: the room fill stands before the number.
    EXPECT_EQ(printed.text(5, 11), QStringLiteral("0101"));
    EXPECT_EQ(printed.text(11 * 4 + 7, 4), QStringLiteral("01"));
    // The document lived while it was previewed and is closed with the preview.
    EXPECT_EQ(documentsOpenDuringPreview, 1);
    EXPECT_TRUE(window->MdiArea()->subWindowList().isEmpty());
}

TEST_F(TicketJobTest, EachTicketTypeFillsItsPagesWithEveryTicketOnPaper)
{
    struct Case {
        const char *type;
        int tickets, pages;
    };
    const Case cases[] = { { "Option1", 1, 1 }, { "Option1", 2, 1 }, { "Option1", 7, 4 }, { "Option2", 3, 1 },
        { "Option2", 7, 3 }, { "Option2", 9, 3 } };
    for (int i = 0; i < 9; ++i)
        AddExaminee(QStringLiteral("第三中学"), QStringLiteral("九班"), QStringLiteral("九%1").arg(i), "男", 9, 901 + i, i + 1);
    OpenWindow();
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.tickets);
        Execute(QStringLiteral("update 考生表1 set 班级 = case when 考号 < ? then '九班' else '十班' end where 学校 = '第三中学'"),
            { 901 + c.tickets });
        Click(QString::fromLatin1(c.type));
        ChooseClass(QStringLiteral("第三中学"), QStringLiteral("九班"));
        ASSERT_TRUE(RunJob());
        EXPECT_EQ(printed.rows(), 11 * c.tickets + 1);
        const QList<Page> pages = Paginator::paginate(printed);
        ASSERT_EQ(pages.size(), c.pages);
        // Each page starts with a ticket: none is cut by the paper's end.
        const int perPage = c.type == std::string("Option1") ? 2 : 3;
        for (int p = 0; p < pages.size(); ++p)
            EXPECT_EQ(pages[p].body.top(), p * perPage * 11 + 1) << p;
    }
}

TEST_F(TicketJobTest, ARoomPrintsItsExamineesInExamNumberOrder)
{
    OpenWindow();
    ChooseRoom(QStringLiteral("3"));
    ASSERT_TRUE(RunJob());
    EXPECT_EQ(Names(printed), (QStringList { "三班1", "孙六", "周七" }));
    EXPECT_EQ(printed.text(11 + 7, 11), QStringLiteral("03"));
}

TEST_F(TicketJobTest, SchoolAndClassNamesWithQuotesAreValuesNotSql)
{
    AddExaminee(QStringLiteral("O'Hara国际学校"), QStringLiteral("一班' or '1'='1"), QStringLiteral("安娜"), "女", 5, 501, 1);
    OpenWindow();
    ChooseClass(QStringLiteral("O'Hara国际学校"), QStringLiteral("一班' or '1'='1"));
    ASSERT_TRUE(RunJob());
    EXPECT_EQ(Names(printed), QStringList { "安娜" });
    EXPECT_EQ(printed.text(9, 11), QStringLiteral("O'Hara国际学校"));
}

TEST_F(TicketJobTest, AnEmptyGroupIsSaidAndOpensNoDocument)
{
    OpenWindow();
    ChooseClass(QStringLiteral("第一中学"), QStringLiteral("三班"));
    Execute(QStringLiteral("delete from 考生表1 where 班级 = '三班'"));
    EXPECT_FALSE(RunJob());
    EXPECT_EQ(prompts.messageTexts(), QStringList { QStringLiteral("第一中学 三班 没有考生。") });
    EXPECT_EQ(window->DocumentCount(), 0);
}

TEST_F(TicketJobTest, ARoomThatIsNotANumberIsSaid)
{
    OpenWindow();
    TicketOrder order;
    order.byClass = false;
    order.choices = QStringList { QStringLiteral("三楼") };
    EXPECT_EQ(TicketJob(tickets, order, tickets->templateGrid()->data(), 12).Run([](frmDocument &) {}), 0);
    EXPECT_EQ(prompts.messageTexts(), QStringList { QStringLiteral("考场“三楼”不是考场号，请选择一个考场。") });
    EXPECT_EQ(window->DocumentCount(), 0);
}

TEST_F(TicketJobTest, AMissingTicketColumnIsNamedBeforeAnythingIsRead)
{
    Execute(QStringLiteral("alter table 考生表1 drop column 性别"));
    OpenWindow();
    ChooseClass(QStringLiteral("第一中学"), QStringLiteral("一班"));
    EXPECT_FALSE(RunJob());
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messageTexts().first().startsWith(QStringLiteral("考生表中没有“性别”列")));
    EXPECT_EQ(window->DocumentCount(), 0);
}

TEST_F(TicketJobTest, UnarrangedExamineesAreBuiltWithoutRoomAndSeatAndNamed)
{
    AddExaminee(QStringLiteral("第一中学"), QStringLiteral("一班"), QStringLiteral("未排甲"), "男", QVariant(), 99, QVariant());
    AddExaminee(QStringLiteral("第一中学"), QStringLiteral("一班"), QStringLiteral("未排乙"), "女", 1, 199, QVariant());
    OpenWindow();
    ChooseClass(QStringLiteral("第一中学"), QStringLiteral("一班"));
    ASSERT_TRUE(RunJob());
    EXPECT_EQ(Names(printed).size(), 7);
    EXPECT_EQ(Names(printed).first(), QStringLiteral("未排甲"));
    EXPECT_EQ(printed.text(7, 11), QString());
    EXPECT_EQ(printed.text(6, 11), QString());
    EXPECT_EQ(printed.text(66 + 6, 4), QString());
    EXPECT_EQ(printed.text(66 + 7, 4), QStringLiteral("01"));
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messageTexts().first().contains(QStringLiteral("未排甲、未排乙")));
}

TEST_F(TicketJobTest, EveryJobMakesItsOwnDocumentAndLeavesTheWindowAsItWas)
{
    OpenWindow();
    ChooseClass(QStringLiteral("第一中学"), QStringLiteral("二班"));
    ASSERT_TRUE(RunJob());
    ASSERT_TRUE(RunJob());
    EXPECT_EQ(previews, 2);
    EXPECT_EQ(window->DocumentCount(), 2);
    EXPECT_EQ(Combo(QStringLiteral("Combo2"))->currentText(), QStringLiteral("二班"));
    EXPECT_TRUE(tickets->isVisible());
}

TEST_F(TicketJobTest, StackedClassesOfThreeAndFiveKeepTheirPlacesOnEveryPage)
{
    OpenWindow();
    Click(QStringLiteral("Option4"));
    Choose(QStringLiteral("Combo1"), QStringLiteral("第一中学"));
    Choose(QStringLiteral("Combo2"), QStringLiteral("二班"));
    Choose(QStringLiteral("Combo3"), QStringLiteral("一班"));
    ASSERT_TRUE(RunJob());
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(Names(printed),
        (QStringList { "二班1", "张一", "二班2", "王二", "二班3", "李三", "", "赵四", "", "钱五" }));
    EXPECT_EQ(printed.rows(), 111);
    for (int row : { 11, 33, 55, 77, 99 })
        EXPECT_EQ(printed.text(row, 1), QString(172, u'-')) << row;
    EXPECT_EQ(printed.hPageBreaks().rows(), (QList<int> { 23, 45, 67, 89 }));
    EXPECT_EQ(Paginator::paginate(printed).size(), 5);
    // A placeholder: the fills without digits (no prefix, room-and-seat numbers, 12 rooms), no
    // bound value, numerals 零, the template's box.
    const int r0 = 66;
    for (int row = 4; row <= 9; ++row)
        EXPECT_EQ(printed.text(r0 + row, 11), row >= 5 && row <= 7 ? QStringLiteral("0") : QString()) << row;
    EXPECT_EQ(printed.text(r0 + 4, 8), QStringLiteral("零"));
    EXPECT_EQ(printed.text(r0 + 3, 13), QStringLiteral("照片"));
}

TEST_F(TicketJobTest, StackedRoomsThreeToAPage)
{
    OpenWindow();
    Click(QStringLiteral("Option2"));
    Click(QStringLiteral("Option4"));
    Click(QStringLiteral("Option6"));
    Choose(QStringLiteral("Combo1"), QStringLiteral("1"));
    Choose(QStringLiteral("Combo2"), QStringLiteral("2"));
    Choose(QStringLiteral("Combo3"), QStringLiteral("3"));
    ASSERT_TRUE(RunJob());
    EXPECT_EQ(Names(printed).mid(0, 6), (QStringList { "张一", "二班1", "三班1", "王二", "二班2", "孙六" }));
    EXPECT_EQ(printed.rows(), 5 * 3 * 11 + 1);
    EXPECT_EQ(printed.hPageBreaks().rows(), (QList<int> { 34, 67, 100, 133 }));
}

TEST_F(TicketJobTest, AnEmptyStackedGroupIsNamedAndOpensNoDocument)
{
    OpenWindow();
    Click(QStringLiteral("Option4"));
    Choose(QStringLiteral("Combo1"), QStringLiteral("第一中学"));
    Choose(QStringLiteral("Combo2"), QStringLiteral("一班"));
    Choose(QStringLiteral("Combo3"), QStringLiteral("三班"));
    Execute(QStringLiteral("delete from 考生表1 where 班级 = '三班'"));
    EXPECT_FALSE(RunJob());
    EXPECT_EQ(prompts.messageTexts(), QStringList { QStringLiteral("第一中学 三班 没有考生。") });
    EXPECT_EQ(window->DocumentCount(), 0);
}

// The joins between the window and the printed sheet: what a user sets with the option buttons,
// the lists, the photo controls and the value cells' own lists reaches the tickets.
class WindowToPaper;
struct JoinCase {
    const char *what;
    // Data added before the window opens.
    std::function<void(WindowToPaper &)> data;
    // What the user does in the open window before 确定.
    std::function<void(WindowToPaper &)> act;
    // Whether 确定 builds a document, and what is then seen in it, the messages and the window.
    bool built;
    std::function<void(WindowToPaper &)> check;
};

void PrintTo(const JoinCase &c, std::ostream *os)
{
    *os << c.what;
}

class WindowToPaper : public TicketJobTest, public testing::WithParamInterface<JoinCase> {
public:
    // Chooses `column` in the list of the ticket's value cell of template row `row`, by keyboard.
    void Bind(int row, const QString &column)
    {
        tickets->show();
        Grid *grid = tickets->templateGrid();
        grid->Range(row, 11, row, 11).Selected();
        QTest::keyClick(grid, Qt::Key_F4);
        QListWidget *list = grid->viewport()->findChild<QListWidget *>();
        ASSERT_TRUE(list && list->isVisible());
        const QList<QListWidgetItem *> found = list->findItems(column, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        list->setCurrentItem(found.first());
        QTest::keyClick(list, Qt::Key_Return);
    }
    void Photos(const QString &folder, const QString &column)
    {
        Control<QCheckBox>(QStringLiteral("Check1"))->click();
        Control<QLineEdit>(QStringLiteral("Text1"))->setText(folder);
        Choose(QStringLiteral("Combo5"), column);
    }
    void StackClasses(const QString &first, const QString &second)
    {
        Click(QStringLiteral("Option4"));
        Choose(QStringLiteral("Combo1"), QStringLiteral("第一中学"));
        Choose(QStringLiteral("Combo2"), first);
        Choose(QStringLiteral("Combo3"), second);
    }
    void ReopenWindow()
    {
        delete tickets;
        OpenWindow();
    }
    QString Said() const { return prompts.messageTexts().join(QStringLiteral("|")); }
    QString TemplateText(int row, int col) const { return tickets->templateGrid()->data().text(row, col); }
    void WritePhoto(const QString &name) const
    {
        QImage photo(300, 400, QImage::Format_RGB32);
        photo.fill(Qt::gray);
        photo.save(photoDir.filePath(name), "JPEG");
    }

    QTemporaryDir photoDir;
};

TEST_P(WindowToPaper, ReachesThePrintedSheet)
{
    const JoinCase &c = GetParam();
    if (c.data)
        c.data(*this);
    OpenWindow();
    c.act(*this);
    EXPECT_EQ(RunJob(), c.built) << Said().toStdString();
    c.check(*this);
}

const auto ClassOne = [](WindowToPaper &t) { t.ChooseClass(QStringLiteral("第一中学"), QStringLiteral("一班")); };

const JoinCase JoinCases[] = {
    { "the value cell's list binds row 4 to the room", nullptr,
        [](WindowToPaper &t) {
            ClassOne(t);
            t.Bind(4, QStringLiteral("考场"));
        },
        true,
        [](WindowToPaper &t) {
            EXPECT_EQ(t.printed.text(4, 11), QStringLiteral("1"));
            EXPECT_EQ(t.printed.text(4, 4), QStringLiteral("1"));
        } },
    { "a binding saved with the template prints after the window is opened again", nullptr,
        [](WindowToPaper &t) {
            t.Bind(9, QStringLiteral("班级"));
            t.Control<QPushButton>(QStringLiteral("Command3"))->click();
            t.ReopenWindow();
            ClassOne(t);
        },
        true,
        [](WindowToPaper &t) {
            EXPECT_EQ(t.TemplateText(9, 11), QStringLiteral("班级"));
            EXPECT_EQ(t.printed.text(9, 11), QStringLiteral("一班"));
        } },
    { "a binding kept across a change of type is what the new template shows", nullptr,
        [](WindowToPaper &t) {
            t.Bind(8, QStringLiteral("学校"));
            t.Click(QStringLiteral("Option2"));
            ClassOne(t);
        },
        true,
        [](WindowToPaper &t) {
            EXPECT_EQ(t.TemplateText(8, 11), QStringLiteral("学校"));
            EXPECT_EQ(t.printed.text(8, 11), QStringLiteral("第一中学"));
        } },
    { "a click on the type already chosen keeps unsaved edits", nullptr,
        [](WindowToPaper &t) {
            t.tickets->templateGrid()->Cell(2, 9).SetText(QStringLiteral("未保存的标题"));
            t.Click(QStringLiteral("Option1"));
            ClassOne(t);
        },
        true, [](WindowToPaper &t) { EXPECT_EQ(t.printed.text(2, 9), QStringLiteral("未保存的标题")); } },
    { "a blank value prints blank, not the column's name",
        [](WindowToPaper &t) { t.Execute(QStringLiteral("update 考生表1 set 性别 = null where 考号 = 102")); }, ClassOne,
        true,
        [](WindowToPaper &t) {
            EXPECT_EQ(t.printed.text(11 + 8, 11), QString());
            EXPECT_EQ(t.printed.text(11 + 8, 4), QString());
        } },
    { "a blank value in a stacked ticket prints blank",
        [](WindowToPaper &t) { t.Execute(QStringLiteral("update 考生表1 set 性别 = null where 考号 = 201")); },
        [](WindowToPaper &t) { t.StackClasses(QStringLiteral("二班"), QStringLiteral("一班")); }, true,
        [](WindowToPaper &t) {
            EXPECT_EQ(t.printed.text(4, 11), QStringLiteral("二班1"));
            EXPECT_EQ(t.printed.text(8, 11), QString());
        } },
    { "more than 99 rooms pad rooms to three digits", [](WindowToPaper &t) { t.AddRooms(13, 120); }, ClassOne, true,
        [](WindowToPaper &t) {
            EXPECT_EQ(t.printed.text(7, 11), QStringLiteral("001"));
            EXPECT_EQ(t.printed.text(5, 11), QStringLiteral("00101"));
        } },
    { "photos reach stacked tickets",
        [](WindowToPaper &t) {
            t.WritePhoto(QStringLiteral("201.jpg"));
            t.WritePhoto(QStringLiteral("102.JPG"));
        },
        [](WindowToPaper &t) {
            t.StackClasses(QStringLiteral("二班"), QStringLiteral("一班"));
            t.Photos(t.photoDir.path(), QStringLiteral("考号"));
        },
        true,
        [](WindowToPaper &t) {
            EXPECT_EQ(t.printed.imageKey(3, 13), QStringLiteral("201"));
            EXPECT_EQ(t.printed.imageKey(33 + 3, 6), QStringLiteral("102"));
            EXPECT_EQ(t.printed.imageKey(11 + 3, 13), QString());
            // The placeholders (class 二班 has run out) get an empty box and no photo.
            EXPECT_EQ(t.printed.imageKey(66 + 3, 13), QString());
            EXPECT_EQ(t.printed.text(66 + 3, 13), QString());
        } },
    { "a photo folder that does not exist is said before anything is built", nullptr,
        [](WindowToPaper &t) {
            ClassOne(t);
            t.Photos(t.photoDir.filePath(QStringLiteral("没有这个目录")), QStringLiteral("姓名"));
        },
        false,
        [](WindowToPaper &t) {
            EXPECT_EQ(t.Said(),
                QStringLiteral("照片目录“%1”不存在，请重新选择存放照片的目录。")
                    .arg(t.photoDir.filePath(QStringLiteral("没有这个目录"))));
            EXPECT_EQ(t.window->DocumentCount(), 0);
        } },
    { "photos need a folder, not only a column", nullptr,
        [](WindowToPaper &t) {
            ClassOne(t);
            t.Photos(QString(), QStringLiteral("考号"));
        },
        false,
        [](WindowToPaper &t) {
            EXPECT_EQ(t.Said(), QStringLiteral("请选择存放照片的目录及与照片文件名相对应的列"));
            EXPECT_EQ(t.window->DocumentCount(), 0);
        } },
    { "a photo list names at most thirty examinees and counts the rest",
        [](WindowToPaper &t) {
            for (int i = 1; i <= 35; ++i)
                t.AddExaminee(QStringLiteral("第三中学"), QStringLiteral("大班"), QStringLiteral("大%1").arg(i), "男",
                    4, 400 + i, i);
        },
        [](WindowToPaper &t) {
            t.ChooseClass(QStringLiteral("第三中学"), QStringLiteral("大班"));
            t.Photos(t.photoDir.path(), QStringLiteral("姓名"));
        },
        true,
        [](WindowToPaper &t) {
            EXPECT_TRUE(t.Said().contains(QStringLiteral("大29、大30 等，共 35 人"))) << t.Said().toStdString();
            EXPECT_FALSE(t.Said().contains(QStringLiteral("大31")));
        } },
    { "examinees without a name are named by exam number",
        [](WindowToPaper &t) {
            t.Execute(QStringLiteral("update 考生表1 set 姓名 = null where 考号 in (102, 104)"));
            t.WritePhoto(QStringLiteral("张一.jpg"));
        },
        [](WindowToPaper &t) {
            ClassOne(t);
            t.Photos(t.photoDir.path(), QStringLiteral("姓名"));
        },
        true,
        [](WindowToPaper &t) {
            EXPECT_TRUE(t.Said().contains(QStringLiteral("为空，或含有 / \\ ..），没有照片：\n考号 102、考号 104")))
                << t.Said().toStdString();
        } },
    { "unarranged examinees of a stacked job are named",
        [](WindowToPaper &t) {
            t.AddExaminee(QStringLiteral("第一中学"), QStringLiteral("二班"), QStringLiteral("未排丙"), "男", QVariant(),
                299, QVariant());
        },
        [](WindowToPaper &t) { t.StackClasses(QStringLiteral("二班"), QStringLiteral("一班")); }, true,
        [](WindowToPaper &t) {
            EXPECT_TRUE(t.Said().contains(QStringLiteral("还没有编排考场或座位号"))) << t.Said().toStdString();
            EXPECT_TRUE(t.Said().contains(QStringLiteral("未排丙")));
        } },
};

INSTANTIATE_TEST_SUITE_P(Joins, WindowToPaper, testing::ValuesIn(JoinCases),
    [](const testing::TestParamInfo<JoinCase> &info) { return "case" + std::to_string(info.index); });

// The preview of a ticket job opens at 75 %, with its print button working.
TEST_F(TicketJobTest, TheFinishedTicketsOpenInThePreviewAtSeventyFivePercent)
{
    OpenWindow();
    QString zoomShown;
    bool printable = false;
    tickets->setPreview([&](frmDocument &document) {
        QTimer::singleShot(0, [&] {
            auto *preview = qobject_cast<PrintPreviewDialog *>(QApplication::activeModalWidget());
            if (!preview)
                return;
            zoomShown = preview->findChild<QComboBox *>(QStringLiteral("zoomBox"))->currentText();
            printable = preview->printAction()->isEnabled();
            preview->reject();
        });
        TicketJob::ShowPreview(document);
    });
    ChooseClass(QStringLiteral("第一中学"), QStringLiteral("三班"));
    Control<QPushButton>(QStringLiteral("Command1"))->click();
    EXPECT_EQ(zoomShown, QStringLiteral("75%"));
    EXPECT_TRUE(printable);
}

} // namespace
