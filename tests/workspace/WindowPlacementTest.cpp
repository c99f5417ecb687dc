#include "workspace/WindowPlacement.h"
#include "MainWindowFixture.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

QRect FirstScreen()
{
    return QGuiApplication::primaryScreen()->availableGeometry();
}

void SaveTwips(int left, int top, int width, int height)
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("Settings"));
    settings.setValue(QStringLiteral("MainLeft"), left);
    settings.setValue(QStringLiteral("MainTop"), top);
    settings.setValue(QStringLiteral("MainWidth"), width);
    settings.setValue(QStringLiteral("MainHeight"), height);
}

} // namespace

TEST(WindowPlacementTest, NothingSavedGivesTheDefaultTwipsInPixels)
{
    RedirectedSettings redirected;
    QSettings settings;
    EXPECT_EQ(WindowPlacement::Load(settings), QRect(66, 66, 433, 433));
}

TEST(WindowPlacementTest, SavedPlaceIsStoredInTwipsAndReadBack)
{
    RedirectedSettings redirected;
    QSettings settings;
    WindowPlacement::Save(settings, QRect(120, 80, 800, 600));
    EXPECT_EQ(settings.value(QStringLiteral("Settings/MainLeft")).toInt(), 1800);
    EXPECT_EQ(settings.value(QStringLiteral("Settings/MainTop")).toInt(), 1200);
    EXPECT_EQ(settings.value(QStringLiteral("Settings/MainWidth")).toInt(), 12000);
    EXPECT_EQ(settings.value(QStringLiteral("Settings/MainHeight")).toInt(), 9000);
    EXPECT_EQ(WindowPlacement::Load(settings), QRect(120, 80, 800, 600));
}

TEST(WindowPlacementTest, UnreadableOrEmptySizesFallBackToTheDefaults)
{
    RedirectedSettings redirected;
    QSettings settings;
    settings.setValue(QStringLiteral("Settings/MainLeft"), QStringLiteral("abc"));
    settings.setValue(QStringLiteral("Settings/MainWidth"), 0);
    EXPECT_EQ(WindowPlacement::Load(settings), QRect(66, 66, 433, 433));
}

TEST(WindowPlacementTest, PlaceIsKeptWhileItsTopCanBeGrabbedOnSomeScreen)
{
    const QList<QRect> screens { QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024) };
    const struct {
        const char *name;
        QRect place;
        QRect expected;
    } cases[] = {
        { "inside the first screen", QRect(100, 100, 800, 600), QRect(100, 100, 800, 600) },
        { "on the second screen", QRect(2000, 50, 800, 600), QRect(2000, 50, 800, 600) },
        { "hanging over the left edge", QRect(-700, 10, 800, 600), QRect(-700, 10, 800, 600) },
        { "bottom below the screen", QRect(100, 900, 800, 600), QRect(100, 900, 800, 600) },
        { "on a monitor no longer attached", QRect(3500, 100, 800, 600), QRect(560, 240, 800, 600) },
        { "above the screens", QRect(100, -900, 800, 600), QRect(560, 240, 800, 600) },
        { "only a sliver on screen", QRect(-790, 100, 800, 600), QRect(560, 240, 800, 600) },
        { "larger than the screen and off it", QRect(5000, 5000, 3000, 2000), QRect(0, 0, 1920, 1080) },
    };
    for (const auto &c : cases)
        EXPECT_EQ(WindowPlacement::OnVisibleScreen(c.place, screens), c.expected) << c.name;
}

class MainWindowPlacementTest : public MainWindowFixture { };

TEST_F(MainWindowPlacementTest, SavedPlaceRoundTripsThroughClose)
{
    const QRect screen = FirstScreen();
    const QRect place(screen.left() + 30, screen.top() + 40, 500, 400);
    SaveTwips(place.left() * 15, place.top() * 15, place.width() * 15, place.height() * 15);
    frmMain &main = openWindow();
    EXPECT_EQ(main.geometry(), place);

    main.setGeometry(screen.left() + 60, screen.top() + 20, 600, 450);
    main.close();
    QSettings settings;
    EXPECT_EQ(WindowPlacement::Load(settings), QRect(screen.left() + 60, screen.top() + 20, 600, 450));
}

TEST_F(MainWindowPlacementTest, PlaceSavedOffEveryScreenComesBackOnScreen)
{
    const QRect screen = FirstScreen();
    SaveTwips((screen.right() + 2000) * 15, (screen.bottom() + 2000) * 15, 400 * 15, 300 * 15);
    frmMain &main = openWindow();
    EXPECT_TRUE(screen.contains(main.geometry())) << main.geometry().x() << "," << main.geometry().y();
    EXPECT_EQ(main.geometry().size(), QSize(400, 300));
}

TEST_F(MainWindowPlacementTest, MinimisedWindowLeavesTheSavedPlaceAlone)
{
    const QRect screen = FirstScreen();
    SaveTwips((screen.left() + 30) * 15, (screen.top() + 40) * 15, 500 * 15, 400 * 15);
    frmMain &main = openWindow();
    main.show();
    main.setGeometry(screen.left() + 90, screen.top() + 90, 300, 300);
    main.showMinimized();
    main.close();
    QSettings settings;
    EXPECT_EQ(WindowPlacement::Load(settings), QRect(screen.left() + 30, screen.top() + 40, 500, 400));
}
