// The ticket window as a user meets it: defaults, the grouping lists, the checks of 确定, the
// binding drop-down, the font and folder buttons and the menu command.
#include "TicketFixture.h"

#include "datastore/AppState.h"
#include "gridview/Grid.h"
#include "tickets/TicketCommands.h"
#include "workspace/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

QStringList Items(QComboBox *combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

class TicketWindow : public TicketFixture {
protected:
    void SetUp() override
    {
        AddSmallExam();
        OpenWindow();
    }
    void Click(const QString &option) { Control<QRadioButton>(option)->click(); }
    // The captions of the grouping lists shown, in order.
    QStringList ShownCaptions() const
    {
        QStringList captions;
        for (int i = 1; i <= 4; ++i)
            if (!Combo(QStringLiteral("Combo%1").arg(i))->isHidden())
                captions << Control<QLabel>(QStringLiteral("Label%1").arg(i))->text();
        return captions;
    }
};

TEST_F(TicketWindow, OpensWithTheDocumentedDefaults)
{
    EXPECT_EQ(tickets->windowTitle(), QStringLiteral("制作准考证"));
    for (const char *on : { "Option1", "Option3", "Option5", "Option7" })
        EXPECT_TRUE(Control<QRadioButton>(QString::fromLatin1(on))->isChecked()) << on;
    EXPECT_EQ(Control<QTabWidget>(QStringLiteral("SSTab1"))->currentIndex(), 0);
    // In the Chinese order of every menu: di-er before di-yi.
    EXPECT_EQ(Items(Combo(QStringLiteral("Combo1"))), (QStringList { QStringLiteral("第二中学"), QStringLiteral("第一中学") }));
    EXPECT_EQ(Combo(QStringLiteral("Combo1"))->currentText(), QString());
    EXPECT_EQ(Items(Combo(QStringLiteral("Combo5"))), (QStringList { QStringLiteral("姓名"), QStringLiteral("考号") }));
    EXPECT_EQ(Combo(QStringLiteral("Combo5"))->currentText(), QString());
    EXPECT_EQ(Items(Combo(QStringLiteral("Combo6"))), (QStringList { "1", "2", "3" }));
    EXPECT_EQ(Combo(QStringLiteral("Combo6"))->currentText(), QString());
    EXPECT_EQ(tickets->mExamRoomCount, 12);
    EXPECT_FALSE(Control<QCheckBox>(QStringLiteral("Check1"))->isChecked());
    for (const char *off : { "Text1", "Command4", "Label5", "Combo5" })
        EXPECT_FALSE(Control<QWidget>(QString::fromLatin1(off))->isEnabled()) << off;
    for (int row = 4; row <= 9; ++row)
        EXPECT_EQ(tickets->mBoundFieldIndex[size_t(row)], row - 4);
    EXPECT_TRUE(tickets->mTemplatePath.endsWith(QStringLiteral("/zkzmb/zkz2.cel")));
    EXPECT_TRUE(Control<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText().startsWith(QStringLiteral("  在模板中选择一个文本")));
    EXPECT_TRUE(Control<QPlainTextEdit>(QStringLiteral("Text2"))->toPlainText().endsWith(QStringLiteral("存根表不用选择。")));
    EXPECT_EQ(Control<QRadioButton>(QStringLiteral("Option3"))->toolTip(), QStringLiteral("如:第一页是1班考生1,1班考生2,....."));
    EXPECT_TRUE(Control<QRadioButton>(QStringLiteral("Option4"))->toolTip().endsWith(QStringLiteral("这样便于装钉.")));
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(TicketWindow, ShowsTheGroupingListsThatFitTypeModeAndGrouping)
{
    struct Case {
        const char *type, *mode, *grouping;
        QStringList captions;
    };
    const Case cases[] = {
        { "Option1", "Option3", "Option5", { "学校", "班级" } },
        { "Option2", "Option3", "Option5", { "学校", "班级" } },
        { "Option1", "Option3", "Option6", { "考场" } },
        { "Option2", "Option3", "Option6", { "考场" } },
        { "Option1", "Option4", "Option5", { "学校", "班级1", "班级2" } },
        { "Option1", "Option4", "Option6", { "考场1", "考场2" } },
        { "Option2", "Option4", "Option5", { "学校", "班级1", "班级2", "班级3" } },
        { "Option2", "Option4", "Option6", { "考场1", "考场2", "考场3" } },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.type) + c.mode + c.grouping);
        Click(QString::fromLatin1(c.type));
        Click(QString::fromLatin1(c.mode));
        Click(QString::fromLatin1(c.grouping));
        EXPECT_EQ(ShownCaptions(), c.captions);
        for (int i = c.captions.size() + 1; i <= 4; ++i)
            EXPECT_EQ(Control<QLabel>(QStringLiteral("Label%1").arg(i))->text(), QString());
    }
}

TEST_F(TicketWindow, GroupingListsHoldSchoolsClassesOrRooms)
{
    Choose(QStringLiteral("Combo1"), QStringLiteral("第一中学"));
    for (const char *combo : { "Combo2", "Combo3", "Combo4" })
        EXPECT_EQ(Items(Combo(QString::fromLatin1(combo))),
            (QStringList { QStringLiteral("二班"), QStringLiteral("三班"), QStringLiteral("一班") }))
            << combo;
    Click(QStringLiteral("Option6"));
    for (const char *combo : { "Combo1", "Combo2", "Combo3" })
        EXPECT_EQ(Items(Combo(QString::fromLatin1(combo))), (QStringList { "1", "2", "3" })) << combo;
    // Choosing a room changes no other list.
    Choose(QStringLiteral("Combo1"), QStringLiteral("2"));
    EXPECT_EQ(Items(Combo(QStringLiteral("Combo2"))), (QStringList { "1", "2", "3" }));
}

// The schools read as in the browse menus, not by code point (which put 阿克苏中学 last).
TEST_F(TicketWindow, SchoolsReadInTheChineseOrderOfTheMenus)
{
    int number = 900;
    for (const char *school : { "实验中学", "阿克苏中学", "北京中学" })
        AddExaminee(QString::fromUtf8(school), QStringLiteral("一班"), QStringLiteral("某"), QStringLiteral("男"), 1,
            ++number, 1);
    window->RefreshAreaData();
    EXPECT_EQ(Items(Combo(QStringLiteral("Combo1"))),
        (QStringList { QStringLiteral("阿克苏中学"), QStringLiteral("北京中学"), QStringLiteral("第二中学"),
            QStringLiteral("第一中学"), QStringLiteral("实验中学") }));
}

TEST_F(TicketWindow, OkNamesTheFirstMissingChoice)
{
    struct Case {
        const char *type, *mode, *grouping;
        int chosen; // lists given a choice, from Combo1 on
        const char *message;
    };
    const Case cases[] = {
        { "Option1", "Option3", "Option5", 0, "请在本窗口左上方 分组方式中 选择全学校、班级" },
        { "Option1", "Option3", "Option5", 1, "请在本窗口左上方 分组方式中 选择全学校、班级" },
        { "Option2", "Option3", "Option6", 0, "请在本窗口左上方 分组方式中 选择全考场" },
        { "Option1", "Option4", "Option5", 2, "请选择全学校、班级" },
        { "Option1", "Option4", "Option6", 1, "请选择全考场" },
        { "Option2", "Option4", "Option5", 3, "请选择全学校、班级" },
        { "Option2", "Option4", "Option6", 2, "请选择全考场" },
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.type) + c.mode + c.grouping + std::to_string(c.chosen));
        Click(QString::fromLatin1(c.type));
        Click(QString::fromLatin1(c.mode));
        Click(QString::fromLatin1(c.grouping));
        for (int i = 1; i <= c.chosen; ++i) {
            QComboBox *combo = Combo(QStringLiteral("Combo%1").arg(i));
            combo->setCurrentIndex(0);
            emit combo->activated(0);
        }
        prompts.messages.clear();
        EXPECT_FALSE(RunJob());
        EXPECT_EQ(prompts.messageTexts(), QStringList { QString::fromUtf8(c.message) });
    }
    EXPECT_EQ(window->DocumentCount(), 0);
}

TEST_F(TicketWindow, PhotosNeedAFolderAndAColumnAfterTheGroupingChoice)
{
    Control<QCheckBox>(QStringLiteral("Check1"))->click();
    for (const char *on : { "Text1", "Command4", "Label5", "Combo5" })
        EXPECT_TRUE(Control<QWidget>(QString::fromLatin1(on))->isEnabled()) << on;
    EXPECT_FALSE(RunJob());
    EXPECT_EQ(prompts.messageTexts().value(0), QStringLiteral("请在本窗口左上方 分组方式中 选择全学校、班级"));
    Choose(QStringLiteral("Combo1"), QStringLiteral("第一中学"));
    Choose(QStringLiteral("Combo2"), QStringLiteral("一班"));
    Control<QLineEdit>(QStringLiteral("Text1"))->setText(app.path());
    prompts.messages.clear();
    EXPECT_FALSE(RunJob());
    EXPECT_EQ(prompts.messageTexts(), QStringList { QStringLiteral("请选择存放照片的目录及与照片文件名相对应的列") });
    // The template's photo boxes are left alone.
    EXPECT_FALSE(tickets->templateGrid()->data().isMerged(3, 6) && tickets->templateGrid()->data().style(3, 6).lines[0] == 0);
}

TEST_F(TicketWindow, TheDropDownOffersTheTicketColumnsAndBindsItsRow)
{
    Grid *grid = tickets->templateGrid();
    for (int row = 4; row <= 9; ++row)
        EXPECT_EQ(grid->Cell(row, 11).CellType(), CellTypeDropDown) << row;
    EXPECT_EQ(grid->Cell(4, 4).CellType(), CellTypeText);
    tickets->Grid1_ComboDropDown(4, 11);
    EXPECT_EQ(grid->ComboBox().items(),
        (QStringList { "姓名", "考号", "座位号", "考场", "性别", "学校", "班级" }));
    tickets->Grid1_ComboClick(3);
    EXPECT_EQ(tickets->mBoundFieldIndex[4], 3);
    // Only rows 4 to 9 hold bindings.
    tickets->Grid1_ComboDropDown(2, 11);
    tickets->Grid1_ComboClick(6);
    for (int row = 5; row <= 9; ++row)
        EXPECT_EQ(tickets->mBoundFieldIndex[size_t(row)], row - 4);
    // The binding survives a change of ticket type.
    Click(QStringLiteral("Option2"));
    EXPECT_EQ(tickets->mBoundFieldIndex[4], 3);
}

TEST_F(TicketWindow, TheFontButtonSetsFontAndColourOfTheSelection)
{
    Grid *grid = tickets->templateGrid();
    grid->Range(4, 3, 5, 3).Selected();
    QFont font(QStringLiteral("黑体"), 16);
    font.setBold(true);
    font.setItalic(true);
    font.setUnderline(true);
    prompts.fonts << font;
    prompts.colors << QColor(255, 0, 0);
    Control<QPushButton>(QStringLiteral("Command2"))->click();
    for (int row : { 4, 5 }) {
        const CellStyle &style = grid->data().style(row, 3);
        EXPECT_EQ(style.fontName, QStringLiteral("黑体"));
        EXPECT_EQ(style.fontSize, 16);
        EXPECT_TRUE(style.bold && style.italic && style.underline);
        EXPECT_EQ(style.foreColor, 0x0000FFu);
    }
    const CellStyle before = grid->data().style(6, 3);
    EXPECT_NE(before.fontName, QStringLiteral("黑体"));
    // Cancelling the font dialog changes nothing; cancelling the colour keeps the colour.
    grid->Range(6, 3, 6, 3).Selected();
    Control<QPushButton>(QStringLiteral("Command2"))->click();
    EXPECT_EQ(grid->data().style(6, 3), before);
    prompts.fonts << QFont(QStringLiteral("楷体"), 12);
    Control<QPushButton>(QStringLiteral("Command2"))->click();
    EXPECT_EQ(grid->data().style(6, 3).fontName, QStringLiteral("楷体"));
    EXPECT_EQ(grid->data().style(6, 3).foreColor, before.foreColor);
}

TEST_F(TicketWindow, TheFolderButtonFillsOrEmptiesThePhotoFolder)
{
    prompts.folders << QStringLiteral("/home/teacher/photos");
    Control<QCheckBox>(QStringLiteral("Check1"))->click();
    Control<QPushButton>(QStringLiteral("Command4"))->click();
    EXPECT_EQ(Control<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral("/home/teacher/photos"));
    Control<QPushButton>(QStringLiteral("Command4"))->click();
    EXPECT_EQ(Control<QLineEdit>(QStringLiteral("Text1"))->text(), QString());
}

TEST_F(TicketWindow, ListsAndRoomCountFollowAnImportWhileOpen)
{
    Choose(QStringLiteral("Combo1"), QStringLiteral("第一中学"));
    Choose(QStringLiteral("Combo6"), QStringLiteral("2"));
    AddExaminee(QStringLiteral("第三中学"), QStringLiteral("五班"), QStringLiteral("新生"), QStringLiteral("男"), 13, 1301, 1);
    AddRooms(13, 13);
    window->RefreshAreaData();
    EXPECT_EQ(tickets->mExamRoomCount, 13);
    EXPECT_TRUE(Items(Combo(QStringLiteral("Combo1"))).contains(QStringLiteral("第三中学")));
    EXPECT_EQ(Combo(QStringLiteral("Combo1"))->currentText(), QStringLiteral("第一中学"));
    EXPECT_EQ(Items(Combo(QStringLiteral("Combo6"))).last(), QStringLiteral("13"));
    // The desk-label room stays chosen while it holds examinees.
    EXPECT_EQ(Combo(QStringLiteral("Combo6"))->currentText(), QStringLiteral("2"));
    Execute(QStringLiteral("delete from 考生表1 where 考场 = 2"));
    window->RefreshAreaData();
    EXPECT_EQ(Combo(QStringLiteral("Combo6"))->currentText(), QString());
}

TEST_F(TicketWindow, TheDeskLabelRoomBoxShowsATypedRoomWhole)
{
    // The room list holds one-digit rooms only; a room typed in must still show whole.
    Control<QTabWidget>(QStringLiteral("SSTab1"))->setCurrentIndex(1);
    tickets->show();
    QCoreApplication::processEvents();
    QComboBox *room = Combo(QStringLiteral("Combo6"));
    room->setEditText(QStringLiteral("1024"));
    EXPECT_GE(room->lineEdit()->width(), room->fontMetrics().horizontalAdvance(QStringLiteral("1024")));
}

TEST_F(TicketWindow, CancelClosesTheWindowAndTheMenuOpensAFreshOne)
{
    zizhuo *first = tickets;
    TicketCommands::zhizhuo_Click();
    EXPECT_EQ(TicketCommands::Window(), first);
    Control<QRadioButton>(QStringLiteral("Option2"))->click();
    Control<QPushButton>(QStringLiteral("Command5"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(TicketCommands::Window(), nullptr);
    TicketCommands::zhizhuo_Click();
    ASSERT_NE(TicketCommands::Window(), nullptr);
    EXPECT_TRUE(TicketCommands::Window()->findChild<QRadioButton *>(QStringLiteral("Option1"))->isChecked());
}

TEST_F(TicketWindow, TheMenuCommandIsEnabledAndAsksForALogin)
{
    QAction *command = window->Command(QStringLiteral("zhizhuo"));
    ASSERT_NE(command, nullptr);
    EXPECT_TRUE(command->isEnabled());
    delete TicketCommands::Window();
    gLoggedIn = false;
    command->trigger();
    EXPECT_EQ(TicketCommands::Window(), nullptr);
    EXPECT_EQ(prompts.messageTexts(), QStringList { QStringLiteral("你还没有登录，请先登录。在菜单：文件/登录 下 登录。") });
    gLoggedIn = true;
    command->trigger();
    EXPECT_NE(TicketCommands::Window(), nullptr);
}

} // namespace
