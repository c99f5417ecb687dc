#include "workspace/WindowPlacement.h"
#include "MainWindowFixture.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

namespace {

void SaveTwips(const QRect &pixels)
{
    QSettings settings;
    WindowPlacement::Save(settings, pixels);
}

std::optional<QRect> Saved()
{
    QSettings settings;
    return WindowPlacement::Load(settings);
}

} // namespace

TEST(WindowPlacementTest, StoredInTwipsWithTheDocumentedDefaults)
{
    RedirectedSettings redirected;
    EXPECT_EQ(Saved(), std::nullopt);
    QSettings().setValue("Settings/MainTop", 300);
    EXPECT_EQ(Saved(), QRect(66, 20, 433, 433));
    SaveTwips(QRect(120, 80, 800, 600));
    QSettings settings;
    EXPECT_EQ(settings.value("Settings/MainLeft").toInt(), 1800);
    EXPECT_EQ(settings.value("Settings/MainHeight").toInt(), 9000);
    EXPECT_EQ(Saved(), QRect(120, 80, 800, 600));
    settings.setValue("Settings/MainWidth", 0);
    EXPECT_EQ(Saved(), QRect(120, 80, 433, 433));
}

TEST(WindowPlacementTest, PlaceIsKeptWhileItsTopCanBeGrabbedOnSomeScreen)
{
    const QList<QRect> screens { QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024) };
    const QRect centred(560, 240, 800, 600);
    const struct {
        const char *name;
        QRect place;
        QRect expected;
    } cases[] = {
        { "on the second screen", QRect(2000, 50, 800, 600), QRect(2000, 50, 800, 600) },
        { "hanging over the left edge", QRect(-700, 10, 800, 600), QRect(-700, 10, 800, 600) },
        { "bottom below the screen", QRect(100, 900, 800, 600), QRect(100, 900, 800, 600) },
        { "on a monitor no longer attached", QRect(3500, 100, 800, 600), centred },
        { "above the screens", QRect(100, -900, 800, 600), centred },
        { "only a sliver on screen", QRect(-790, 100, 800, 600), centred },
        { "larger than the screen and off it", QRect(5000, 5000, 3000, 2000), QRect(0, 0, 1920, 1080) },
    };
    for (const auto &c : cases)
        EXPECT_EQ(WindowPlacement::OnVisibleScreen(c.place, screens), c.expected) << c.name;
}

TEST(WindowPlacementTest, FirstStartFillsMostOfTheScreen)
{
    for (const QRect &screen : { QRect(0, 0, 1280, 800), QRect(1920, 0, 1366, 728), QRect(0, 0, 800, 600) }) {
        const QRect place = WindowPlacement::FirstStart(screen);
        EXPECT_TRUE(screen.contains(place)) << screen.x();
        EXPECT_GE(place.width(), screen.width() * 8 / 10) << screen.x();
        EXPECT_GE(place.height(), screen.height() * 8 / 10) << screen.x();
        EXPECT_EQ(place.center(), screen.center()) << screen.x();
    }
}

TEST(WindowPlacementTest, ANarrowPlaceIsWidenedOnItsScreen)
{
    const QRect screen(0, 0, 1280, 800);
    const struct {
        const char *name;
        QRect place;
        int width;
        QRect expected;
    } cases[] = {
        { "wide enough already", QRect(100, 50, 900, 600), 700, QRect(100, 50, 900, 600) },
        { "widened to the right", QRect(66, 66, 433, 433), 700, QRect(66, 66, 700, 433) },
        { "widened and moved back onto the screen", QRect(1000, 66, 433, 433), 700, QRect(580, 66, 700, 433) },
        { "no wider than the screen", QRect(66, 66, 433, 433), 1500, QRect(0, 66, 1280, 433) },
    };
    for (const auto &c : cases)
        EXPECT_EQ(WindowPlacement::WideEnough(c.place, c.width, screen), c.expected) << c.name;
}

class MainWindowPlacementTest : public MainWindowFixture {
protected:
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
};

TEST_F(MainWindowPlacementTest, SavedPlaceRoundTripsThroughCloseButNotWhenMinimised)
{
    // Wide enough for every menu title: a narrower place is widened (see below).
    const QRect place = QRect(30, 40, 700, 400).translated(screen.topLeft());
    SaveTwips(place);
    frmMain &main = openWindow();
    EXPECT_EQ(main.geometry(), place);

    main.setGeometry(QRect(60, 20, 600, 450).translated(screen.topLeft()));
    main.close();
    EXPECT_EQ(Saved(), QRect(60, 20, 600, 450).translated(screen.topLeft()));

    main.show();
    main.setGeometry(QRect(90, 90, 300, 300).translated(screen.topLeft()));
    main.showMinimized();
    main.close();
    EXPECT_EQ(Saved(), QRect(60, 20, 600, 450).translated(screen.topLeft()));
}

TEST_F(MainWindowPlacementTest, PlaceSavedOffEveryScreenComesBackOnScreen)
{
    SaveTwips(QRect(screen.right() + 2000, screen.bottom() + 2000, 700, 300));
    frmMain &main = openWindow();
    EXPECT_TRUE(screen.contains(main.geometry()));
    EXPECT_EQ(main.geometry().size(), QSize(700, 300));
}

// The window opens with every menu title in the bar, none behind its overflow button: on a
// first start, which fills most of the screen, and with a place saved too narrow for them.
TEST_F(MainWindowPlacementTest, EveryMenuTitleShowsOnAFirstStartAndAfterANarrowSave)
{
    for (const bool narrowSave : { false, true }) {
        if (narrowSave)
            SaveTwips(QRect(66, 66, 433, 433).translated(screen.topLeft()));
        frmMain &main = openWindow();
        main.show();
        if (!narrowSave) {
            EXPECT_GE(main.width(), screen.width() * 8 / 10);
            EXPECT_GE(main.height(), screen.height() * 8 / 10);
        }
        EXPECT_TRUE(screen.contains(main.geometry())) << narrowSave;
        QMenuBar *bar = main.menuBar();
        for (QAction *menu : bar->actions())
            EXPECT_TRUE(bar->rect().contains(bar->actionGeometry(menu))) << menu->text().toStdString();
        const auto *overflow = bar->findChild<QWidget *>("qt_menubar_ext_button");
        EXPECT_TRUE(!overflow || !overflow->isVisible()) << narrowSave;
        window.reset();
    }
}
