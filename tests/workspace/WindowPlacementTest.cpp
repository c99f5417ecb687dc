#include "workspace/WindowPlacement.h"
#include "MainWindowFixture.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

void SaveTwips(const QRect &pixels)
{
    QSettings settings;
    WindowPlacement::Save(settings, pixels);
}

QRect Saved()
{
    QSettings settings;
    return WindowPlacement::Load(settings);
}

} // namespace

TEST(WindowPlacementTest, StoredInTwipsWithTheDocumentedDefaults)
{
    RedirectedSettings redirected;
    EXPECT_EQ(Saved(), QRect(66, 66, 433, 433));
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

class MainWindowPlacementTest : public MainWindowFixture {
protected:
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
};

TEST_F(MainWindowPlacementTest, SavedPlaceRoundTripsThroughCloseButNotWhenMinimised)
{
    const QRect place = QRect(30, 40, 500, 400).translated(screen.topLeft());
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
    SaveTwips(QRect(screen.right() + 2000, screen.bottom() + 2000, 400, 300));
    frmMain &main = openWindow();
    EXPECT_TRUE(screen.contains(main.geometry()));
    EXPECT_EQ(main.geometry().size(), QSize(400, 300));
}
