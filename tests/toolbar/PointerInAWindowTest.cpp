// The controls as a user's pointer meets them: moves delivered to the window the controls sit
// in, so that Qt itself decides which control the pointer enters and leaves.
#include "ButtonHost.h"
#include "ClassicPalette.h"
#include "SendMouse.h"
#include "toolbar/AlignButton.h"
#include "toolbar/FlatComboBox.h"
#include "toolbar/FlatComboList.h"
#include "toolbar/FontButton.h"
#include "toolbar/ToolbarLook.h"

#include <QListWidget>
#include <QTest>
#include <QToolTip>
#include <QWindow>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// The WCAG contrast of two colours, 1 (none) to 21 (black on white).
double contrast(QColor a, QColor b)
{
    const auto luminance = [](QColor c) {
        const auto channel = [](double v) {
            v /= 255;
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A window with one of each kind of control and room to move the pointer beside them.
struct Controls : ::testing::Test {
    Controls()
    {
        SendMouse::forgetHeldButtons();
        window.setGeometry(100, 100, 300, 120);
        align.move(20, 20);
        strip.setGeometry(80, 20, 65, 25);
        combo.setGeometry(160, 20, 41, 25);
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    ~Controls() override
    {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
        QToolTip::hideText();
    }
    // A move of the pointer to `at` in the window, with no button held.
    void moveTo(QPoint at) { QTest::mouseMove(window.windowHandle(), at); }
    QColor alignFace(int x, int y) { return align.grab().toImage().pixelColor(x, y); }

    QWidget window;
    AlignButton align { &window };
    FontButton strip { &window };
    FlatComboBox combo { &window };
    ToolbarLook look = ToolbarLook::standard();
    const QPoint beside { 150, 100 };
};

TEST_F(Controls, LeavingADropDownButtonForTheWindowAroundItDropsTheHotLook)
{
    moveTo({ 30, 30 });
    EXPECT_EQ(alignFace(1, 1), ToQColor(look.hotFill));
    moveTo(beside);
    EXPECT_EQ(alignFace(1, 1), ToQColor(look.back));
}

TEST_F(Controls, LeavingAStripForTheWindowAroundItDropsTheHover)
{
    moveTo({ 80 + 30, 30 });
    EXPECT_EQ(strip.hoverIndex(), 1);
    moveTo(beside);
    EXPECT_EQ(strip.hoverIndex(), -1);
    EXPECT_EQ(strip.grab().toImage().pixelColor(23, 1), ToQColor(look.back));
}

TEST_F(Controls, LeavingTheComboBoxForTheWindowAroundItDropsTheHotLook)
{
    moveTo({ 170, 30 });
    EXPECT_EQ(combo.state(), FlatComboBox::Hot);
    moveTo(beside);
    EXPECT_EQ(combo.state(), FlatComboBox::Normal);
}

// The strips' tips show whenever the pointer rests on a button, as a toolbar's always do, not
// only while their window is the active one.
TEST_F(Controls, TipsShowAlsoWhileTheWindowIsNotActive)
{
    QWidget other;
    other.setGeometry(500, 100, 100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_FALSE(window.isActiveWindow());
    moveTo({ 80 + 30, 30 });
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
    EXPECT_EQ(QToolTip::text(), "斜体");
}

// A button made before it is placed (as the main window's toolbar makes its controls) learns its
// final window when the pointer comes.
TEST(PointerInAWindow, ATipGivenBeforeTheControlWasPlacedShowsWhileTheWindowIsNotActive)
{
    SendMouse::forgetHeldButtons();
    auto *late = new AlignButton;
    QWidget host;
    host.setGeometry(100, 300, 100, 60);
    late->setParent(&host);
    late->move(20, 20);
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    QWidget other;
    other.setGeometry(500, 100, 100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::mouseMove(host.windowHandle(), { 30, 30 });
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
    EXPECT_EQ(QToolTip::text(), "对齐方式");
    QToolTip::hideText();
}

// The current choice's mark stands out from the panel's ground at a glance on the desktop's own
// colours: the pixels between the white ones are no longer the ground itself.
TEST_F(Controls, TheCurrentChoiceIsMarkedVisiblyOnTheDefaultPalette)
{
    align.setValue(4);
    QTest::mouseClick(&align, Qt::LeftButton, {}, QPoint(28, 10));
    DropDownPanel *panel = align.findChild<DropDownPanel *>();
    ASSERT_TRUE(panel->isVisible());
    const QImage image = panel->grab().toImage();
    const QColor ground = image.pixelColor(4, 4);
    // The mark of the middle cell shows in its two left columns inside its edge, beside the icon.
    int marked = 0;
    int all = 0;
    for (int x = 34; x <= 35; ++x)
        for (int y = 33; y <= 51; ++y) {
            ++all;
            marked += contrast(image.pixelColor(x, y), ground) >= 2.5;
        }
    EXPECT_GE(marked, all / 2) << "the mark's pixels against the ground " << ground.name().toStdString();
}

// A list closes where a user lets go outside it, even after pressing on an item and dragging out.
TEST_F(Controls, ComboListClosesOnAReleaseOutsideAfterADragFromAnItem)
{
    for (const char *size : { "8", "9", "10", "12" })
        combo.AddItem(QString::fromLatin1(size));
    combo.setText("9");
    QSignalSpy clicks(&combo, &FlatComboBox::Click);
    SendMouse::click(&combo, { 10, 10 });
    FlatComboList *list = combo.List1();
    ASSERT_TRUE(list->isVisible());
    QListWidget *view = list->view();
    const QPoint item = view->viewport()->mapTo(list, view->visualRect(view->model()->index(2, 0)).center());
    QWindow *popup = list->windowHandle();
    QTest::mousePress(popup, Qt::LeftButton, {}, item);
    QTest::mouseMove(popup, { list->width() + 40, item.y() });
    QTest::mouseRelease(popup, Qt::LeftButton, {}, { list->width() + 40, item.y() });
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(clicks.isEmpty());
    EXPECT_EQ(combo.text(), "9");
}

} // namespace

// The current choice under the pointer shows pressed in, also with no button held; another
// cell under the pointer stands out.
TEST_F(ClassicPalette, HoveringTheCurrentCellShowsItSunkenAndAnotherRaised)
{
    ButtonHost<AlignButton> host;
    host.button->setValue(4);
    DropDownPanel *panel = host.open();
    QWindow *popup = panel->windowHandle();
    // The middle cell's frame: (33, 32), 22 x 21.
    QTest::mouseMove(popup, { 10, 10 });
    QTest::mouseMove(popup, { 44, 42 });
    QImage image = host.panelImage();
    EXPECT_EQ(image.pixel(40, 32), kShadow) << "top edge of the current cell, sunken";
    EXPECT_EQ(image.pixel(54, 42), kHighlight) << "its right edge";
    EXPECT_EQ(image.pixel(10, 5), kFace) << "the cell left before has lost its edge";
    QTest::mouseMove(popup, { 16, 15 });
    image = host.panelImage();
    EXPECT_EQ(image.pixel(10, 5), kHighlight) << "another cell, raised";
    EXPECT_EQ(image.pixel(26, 15), kShadow);
}
