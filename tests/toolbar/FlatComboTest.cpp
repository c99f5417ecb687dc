#include "SendMouse.h"
#include "support/Snapshot.h"
#include "toolbar/FlatComboBox.h"
#include "toolbar/FlatComboList.h"
#include "toolbar/FontButton.h"
#include "toolbar/Toolbar.h"
#include "toolbar/ToolbarDraw.h"
#include "toolbar/VScroll.h"

#include <QDir>
#include <QListWidget>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QStringList fontSizes()
{
    QStringList sizes;
    for (int size : { 6, 8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 72 })
        sizes << QString::number(size);
    return sizes;
}

struct FlatCombo : ::testing::Test {
    FlatCombo()
    {
        combo.resize(41, 25);
        combo.move(100, 100);
        combo.show();
    }
    ~FlatCombo() override { combo.List1()->hide(); }

    void fill(const QStringList &items)
    {
        for (const QString &item : items)
            combo.AddItem(item);
    }
    void open()
    {
        SendMouse::click(&combo, { 10, 10 });
        ASSERT_TRUE(list()->isVisible());
    }
    FlatComboList *list() { return combo.List1(); }
    // The centre of `row` in the list's viewport.
    QPoint rowCentre(int row) { return list()->view()->visualRect(list()->view()->model()->index(row, 0)).center(); }
    // A press and release that go through Qt's pop-up handling, as a user's would, at `pos`
    // in the list window's coordinates (outside it when negative or beyond its size).
    void clickThroughPopup(QPoint pos)
    {
        SendMouse::forgetHeldButtons();
        QWindow *window = list()->windowHandle();
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, pos);
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, pos);
    }

    FlatComboBox combo;
    QSignalSpy clicks { &combo, &FlatComboBox::Click };
};

TEST_F(FlatCombo, ShowsAtMostTwelveRowsAndScrollsTheRest)
{
    fill(fontSizes());
    open();
    const int row = list()->GetItemHeight();
    EXPECT_EQ(list()->height(), 12 * row + 2);
    EXPECT_EQ(list()->width(), 43);
    EXPECT_GT(list()->view()->verticalScrollBar()->maximum(), 0);
}

// The font list opens as wide as its widest name, within the screen; the box keeps its width.
TEST_F(FlatCombo, OpensAsWideAsItsWidestItemWithinTheScreen)
{
    const QRect screen = combo.screen()->geometry();
    const struct {
        const char *what;
        QStringList items;
        int boxX;
    } cases[] = {
        { "short names keep the box's width + 2", { "6", "8" }, 100 },
        { "long names, a scroll bar beside them",
            QStringList(13, "DejaVu Sans Mono") << "Noto Sans CJK SC Regular", 100 },
        { "near the right edge the list moves left", { "Noto Sans CJK SC Regular" }, screen.right() - 60 },
        { "a name wider than the screen", { QString(400, u'W') }, 100 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        list()->view()->clear();
        fill(c.items);
        combo.move(c.boxX, 100);
        open();
        const QRect shown = list()->geometry();
        EXPECT_EQ(combo.width(), 41);
        EXPECT_GE(shown.width(), combo.width() + 2);
        EXPECT_TRUE(screen.contains(shown) || shown.width() == combo.width() + 2);
        EXPECT_LE(shown.width(), screen.width());
        QListWidget *view = list()->view();
        for (int row = 0; row < view->count(); ++row)
            EXPECT_TRUE(shown.width() == screen.width()
                || view->viewport()->width() >= view->sizeHintForIndex(view->model()->index(row, 0)).width())
                << row;
        list()->hide();
    }
}

TEST_F(FlatCombo, AShortListShowsEveryRowWithoutScrolling)
{
    fill({ "6", "8", "9", "10", "11" });
    open();
    EXPECT_EQ(list()->height(), 5 * list()->GetItemHeight() + 2);
    EXPECT_EQ(list()->view()->verticalScrollBar()->maximum(), 0);
}

TEST_F(FlatCombo, AnEmptyListIsOnlyItsBorder)
{
    open();
    EXPECT_EQ(list()->height(), 2);
}

TEST_F(FlatCombo, OpensHighlightingTheItemThatMatchesTheText)
{
    const struct {
        const char *name;
        QStringList items;
        const char *text;
        int highlighted;
    } cases[] = {
        { "size among sizes", fontSizes(), "9", 2 },
        { "font name, letter case ignored", { "Arial", "宋体", "Noto Sans CJK SC" }, "noto sans cjk sc", 2 },
        { "Chinese font name", { "Arial", "宋体", "黑体" }, "宋体", 1 },
        { "no match, several items", { "Arial", "宋体" }, "楷体", 0 },
        { "empty text, two items", { "Arial", "宋体" }, "", 0 },
        { "empty text, one item", { "Arial" }, "", -1 },
    };
    for (const auto &c : cases) {
        FlatComboBox box;
        box.resize(73, 25);
        box.show();
        for (const QString &item : c.items)
            box.AddItem(item);
        box.setText(QString::fromUtf8(c.text));
        SendMouse::click(&box, { 10, 10 });
        EXPECT_TRUE(box.List1()->isVisible()) << c.name;
        EXPECT_EQ(box.List1()->currentRow(), c.highlighted) << c.name;
        EXPECT_EQ(box.text(), QString::fromUtf8(c.text)) << c.name;
        box.List1()->hide();
    }
}

TEST_F(FlatCombo, HighlightedItemIsScrolledIntoView)
{
    fill(fontSizes());
    combo.setText("72");
    open();
    const QRect shown = list()->view()->viewport()->rect();
    EXPECT_TRUE(shown.contains(rowCentre(15)));
}

TEST_F(FlatCombo, HangsUnderTheBoxOrStandsAboveItAtTheFootOfTheScreen)
{
    fill(fontSizes());
    const QRect screen = combo.screen()->geometry();
    open();
    const QRect box(combo.mapToGlobal(QPoint(0, 0)), combo.size());
    EXPECT_EQ(list()->geometry().topLeft(), QPoint(box.x() - 1, box.y() + box.height()));
    list()->hide();

    combo.move(screen.x() + 100, screen.y() + screen.height() - 40);
    open();
    const QRect low(combo.mapToGlobal(QPoint(0, 0)), combo.size());
    EXPECT_EQ(list()->geometry().bottom() + 1, low.y());
    EXPECT_EQ(list()->geometry().x(), low.x() - 1);
}

TEST_F(FlatCombo, MovingOverTheItemsHighlightsTheOneUnderThePointer)
{
    fill(fontSizes());
    open();
    QWidget *viewport = list()->view()->viewport();
    for (int row : { 3, 0, 7 }) {
        SendMouse::move(viewport, rowCentre(row));
        EXPECT_EQ(list()->currentRow(), row);
    }
    EXPECT_TRUE(clicks.isEmpty());
}

TEST_F(FlatCombo, ReleaseOnAnItemChoosesItOnce)
{
    fill(fontSizes());
    combo.setText("9");
    QString textSeenByHost;
    QObject::connect(&combo, &FlatComboBox::Click, [&] { textSeenByHost = combo.text(); });
    open();
    QWidget *viewport = list()->view()->viewport();
    SendMouse::move(viewport, rowCentre(4));
    SendMouse::click(viewport, rowCentre(4));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(textSeenByHost, "11");
    EXPECT_EQ(combo.text(), "11");
    EXPECT_FALSE(list()->isVisible());
    EXPECT_EQ(combo.state(), FlatComboBox::Normal);
}

TEST_F(FlatCombo, PressOutsideClosesWithoutAChoice)
{
    fill(fontSizes());
    combo.setText("9");
    open();
    clickThroughPopup({ list()->width() + 50, 5 });
    EXPECT_FALSE(list()->isVisible());
    EXPECT_TRUE(clicks.isEmpty());
    EXPECT_EQ(combo.text(), "9");
}

TEST_F(FlatCombo, PressOnTheBoxClosesTheListAndItsReleaseDoesNotReopenIt)
{
    fill(fontSizes());
    open();
    // The box lies above the list: one pixel right of the list's left edge, over the box.
    const QPoint onBox = list()->mapFromGlobal(combo.mapToGlobal(QPoint(10, 10)));
    clickThroughPopup(onBox);
    EXPECT_FALSE(list()->isVisible());
    SendMouse::release(&combo, { 10, 10 });
    EXPECT_FALSE(list()->isVisible());
    EXPECT_TRUE(clicks.isEmpty());
}

TEST_F(FlatCombo, EscapeClosesWithoutAChoice)
{
    fill(fontSizes());
    open();
    QTest::keyClick(list(), Qt::Key_Escape);
    EXPECT_FALSE(list()->isVisible());
    EXPECT_TRUE(clicks.isEmpty());
}

TEST_F(FlatCombo, ScrollBarWorksAndAPressOutsideStillClosesAfterwards)
{
    fill(fontSizes());
    open();
    QScrollBar *bar = list()->view()->verticalScrollBar();
    const QPoint downArrow = bar->mapTo(list(), QPoint(bar->width() / 2, bar->height() - 3));
    clickThroughPopup(downArrow);
    EXPECT_TRUE(list()->isVisible());
    EXPECT_EQ(bar->value(), 1);
    clickThroughPopup({ -30, -30 });
    EXPECT_FALSE(list()->isVisible());
    EXPECT_TRUE(clicks.isEmpty());
}

// The face by state: frame and arrow box, and the arrow's top row and tip.
TEST_F(FlatCombo, FaceShowsTheStateInItsFrameAndArrowBox)
{
    const struct {
        const char *name;
        std::function<void(FlatComboBox &)> reach;
        QColor border;
        QColor arrowFill;
    } cases[] = {
        { "normal", [](FlatComboBox &) {}, Qt::white, ToQColor(kSystemButtonFace) },
        { "hot",
            [](FlatComboBox &b) {
                SendMouse::move(&b, { 5, 5 });
            },
            QColor(10, 36, 106), QColor(182, 189, 210) },
        { "pressed",
            [](FlatComboBox &b) {
                SendMouse::press(&b, { 5, 5 });
            },
            QColor(10, 36, 106), QColor(132, 146, 181) },
        { "moved away",
            [](FlatComboBox &b) {
                SendMouse::move(&b, { 5, 5 });
                SendMouse::move(&b, { 5, 50 });
            },
            Qt::white, ToQColor(kSystemButtonFace) },
    };
    for (const auto &c : cases) {
        FlatComboBox box;
        box.resize(41, 25);
        c.reach(box);
        const QImage face = box.grab().toImage();
        EXPECT_EQ(face.pixelColor(0, 0), c.border) << c.name;
        EXPECT_EQ(face.pixelColor(40, 24), c.border) << c.name;
        EXPECT_EQ(face.pixelColor(24, 12), c.border) << c.name; // the arrow box's left edge
        EXPECT_EQ(face.pixelColor(2, 2), QColor(Qt::white)) << c.name;
        EXPECT_EQ(face.pixelColor(32, 20), c.arrowFill) << c.name;
        for (int x = 29; x <= 35; ++x)
            EXPECT_EQ(face.pixelColor(x, 7), QColor(Qt::black)) << c.name << " x " << x;
        EXPECT_EQ(face.pixelColor(32, 10), QColor(Qt::black)) << c.name;
        EXPECT_EQ(face.pixelColor(31, 10), c.arrowFill) << c.name;
    }
}

TEST_F(FlatCombo, TextStaysLeftOfTheArrowBox)
{
    FlatComboBox box;
    box.resize(41, 25);
    box.setText("WWWWWWWWWW");
    const QImage face = box.grab().toImage();
    bool inked = false;
    for (int y = 0; y < 25; ++y) {
        for (int x = 3; x < 23; ++x)
            inked |= face.pixelColor(x, y) != QColor(Qt::white);
        for (int x = 23; x < 24; ++x)
            EXPECT_EQ(face.pixelColor(x, y), QColor(Qt::white)) << x << "," << y;
    }
    EXPECT_TRUE(inked);
}

} // namespace

namespace {

// Lays out the strips, both boxes and the scroll bar as the main window does, with the size
// list open and a button of each strip under the pointer, and writes the picture (also
// enlarged four times) to the temporary folder for a person to look at.
TEST(ToolbarDemo, StripsAndBoxesWithTheSizeListOpen)
{
    QWidget host;
    host.resize(520, 250);
    host.setAutoFillBackground(true);
    Toolbar toolbar(&host);
    toolbar.setGeometry(0, 0, 401, 25);
    FontButton fontStyle(&host);
    fontStyle.setGeometry(410, 0, 65, 25);
    FlatComboBox fontName(&host);
    fontName.setGeometry(0, 30, 73, 25);
    FlatComboBox fontSize(&host);
    fontSize.setGeometry(78, 30, 41, 25);
    VScroll scroll(&host);
    scroll.move(490, 30);
    scroll.resize(scroll.width(), 200);
    scroll.setMax(100);
    scroll.setLargeChange(20);
    scroll.setValue(30);
    for (const char *name : { "宋体", "黑体", "Noto Sans CJK SC" })
        fontName.AddItem(QString::fromUtf8(name));
    fontName.setText("宋体");
    for (const QString &size : fontSizes())
        fontSize.AddItem(size);
    fontSize.setText("9");
    host.show();

    SendMouse::move(&toolbar, { 100, 10 });
    SendMouse::move(&fontStyle, { 30, 10 });
    SendMouse::click(&fontSize, { 10, 10 });
    FlatComboList *list = fontSize.List1();
    ASSERT_TRUE(list->isVisible());
    SendMouse::move(list->view()->viewport(), list->view()->visualRect(list->view()->model()->index(4, 0)).center());

    QImage picture = host.grab().toImage();
    {
        QPainter painter(&picture);
        painter.drawPixmap(host.mapFromGlobal(list->pos()), list->grab());
    }
    const QString path = SnapshotPath(QStringLiteral("kaowu-toolbar-demo-x4.png"));
    if (!path.isEmpty()) {
        ASSERT_TRUE(picture.scaled(picture.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(path));
    }
    // The list hangs under the size box, one pixel to its left.
    EXPECT_EQ(host.mapFromGlobal(list->pos()), QPoint(77, 55));
    list->hide();
}

} // namespace
