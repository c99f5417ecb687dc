#include "toolbar/PanelPlacement.h"
#include "ButtonHost.h"
#include "support/Snapshot.h"
#include "toolbar/AlignButton.h"
#include "toolbar/BorderButton.h"
#include "toolbar/ColorButton.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPainter>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

const QRect kScreen(0, 0, 1024, 768);

} // namespace

TEST(PanelPlacement, HangsBelowAndRightUnlessTheButtonReachesTheScreensEdge)
{
    struct Case {
        const char *name;
        QRect button; // left, top, width, height; right and bottom are exclusive
        QSize panel;
        QPoint expected;
    };
    const Case cases[] = { { "alignment, bottom 682: below", { 100, 660, 35, 22 }, { 88, 85 }, { 99, 682 } },
        { "alignment, bottom 683: above", { 100, 661, 35, 22 }, { 88, 85 }, { 99, 661 - 85 } },
        { "alignment, right 935: left - 1", { 900, 100, 35, 22 }, { 88, 85 }, { 899, 122 } },
        { "alignment, right 936: right + 1 - W", { 901, 100, 35, 22 }, { 88, 85 }, { 849, 122 } },
        { "border, bottom 688: below", { 100, 666, 35, 22 }, { 104, 79 }, { 99, 688 } },
        { "border, bottom 689: above", { 100, 667, 35, 22 }, { 104, 79 }, { 99, 667 - 79 } },
        { "border, right 919: left - 1", { 884, 100, 35, 22 }, { 104, 79 }, { 883, 122 } },
        { "border, right 920: right + 1 - W", { 885, 100, 35, 22 }, { 104, 79 }, { 817, 122 } } };
    for (const Case &c : cases)
        EXPECT_EQ(PanelPlacement::position(c.button, c.panel, kScreen), c.expected) << c.name;
}

TEST(PanelPlacement, RulesHoldOnAScreenThatDoesNotStartAtTheOrigin)
{
    const QRect second(1024, 0, 1280, 1024);
    EXPECT_EQ(PanelPlacement::position(QRect(1100, 100, 35, 22), QSize(88, 85), second), QPoint(1099, 122));
    EXPECT_EQ(PanelPlacement::position(QRect(2200, 1000, 35, 22), QSize(88, 85), second), QPoint(2235 + 1 - 88, 915));
    EXPECT_EQ(PanelPlacement::top(QRect(1100, 916, 35, 22), 85, second), 938) << "bottom 938 < 1024 - 85";
    EXPECT_EQ(PanelPlacement::top(QRect(1100, 916, 35, 22), 86, second), 916 - 86) << "exactly SH - H goes above";
    EXPECT_EQ(PanelPlacement::top(QRect(1100, 915, 35, 22), 86, second), 937);
}

TEST(PanelPlacement, OpenPanelsStandAtThePlaceOfTheirButtonOnTheScreen)
{
    ButtonHost<AlignButton> host(QPoint(30, 20));
    const QRect screen = host.button->screen()->geometry();
    const QRect button(host.button->mapToGlobal(QPoint(0, 0)), host.button->size());
    host.open();
    EXPECT_EQ(host.panel()->pos(), PanelPlacement::position(button, QSize(88, 85), screen));
    EXPECT_EQ(host.panel()->pos(), QPoint(button.x() - 1, button.y() + 22)) << "a button near the top left";
}

// Lays the three buttons out as the main window does, opens the border panel and writes a
// picture of it to the temporary folder, for a person to look at.
TEST(ToolbarDemo, ButtonsWithAnOpenPanelDrawAsOnePicture)
{
    QWidget window;
    auto *layout = new QHBoxLayout(&window);
    auto *align = new AlignButton;
    auto *border = new BorderButton;
    auto *text = new ColorButton;
    auto *fill = new ColorButton;
    text->setButtonType(1);
    text->setValue(RgbColor(255, 0, 0));
    fill->setValue(RgbColor(255, 255, 0));
    align->setValue(4);
    border->setValue(10);
    for (QWidget *w : { static_cast<QWidget *>(align), static_cast<QWidget *>(border), static_cast<QWidget *>(text),
             static_cast<QWidget *>(fill) })
        layout->addWidget(w);
    layout->addStretch();
    layout->setAlignment(Qt::AlignTop);
    window.setGeometry(50, 50, 200, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseMove(align, QPoint(10, 10));
    border->ShowBorderList();
    auto *panel = border->findChild<DropDownPanel *>();
    ASSERT_TRUE(panel->isVisible());

    const QPoint panelAt = window.mapFromGlobal(panel->pos());
    EXPECT_EQ(panelAt, border->mapTo(&window, QPoint(-1, 22)));
    const QRect whole = window.rect().united(QRect(panelAt, panel->size()));
    QImage picture(whole.size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    window.render(&painter, -whole.topLeft());
    painter.drawPixmap(panelAt - whole.topLeft(), panel->grab());
    painter.end();
    const QString path = SnapshotPath(QStringLiteral("kaowu-toolbar-buttons.png"));
    if (!path.isEmpty()) {
        EXPECT_TRUE(picture.scaled(picture.size() * 4).save(path));
    }
    panel->close();
}
