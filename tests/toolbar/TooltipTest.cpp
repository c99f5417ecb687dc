#include "toolbar/Tooltip.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Asks Qt's tooltip machinery what it would show for `owner`, as when the pointer rests on it.
QString shownFor(QWidget &owner)
{
    // Qt shows nothing for an empty tooltip (a tip still fading out keeps its old text).
    if (owner.toolTip().isEmpty())
        return QString();
    QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), owner.mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(&owner, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

TEST(Tooltip, ShowsTheLatestTextOverTheWholeOwner)
{
    QWidget owner;
    owner.resize(40, 20);
    owner.show();
    Tooltip tip;
    tip.Create(&owner, "粗体");
    EXPECT_EQ(shownFor(owner), "粗体");
    tip.Create(&owner, "斜体");
    EXPECT_EQ(shownFor(owner), "斜体");
    QToolTip::hideText();
}

TEST(Tooltip, AnEmptyTextShowsNothing)
{
    QWidget owner;
    owner.show();
    Tooltip tip;
    tip.Create(&owner, QString());
    EXPECT_FALSE(tip.isInstalled());
    EXPECT_EQ(shownFor(owner), QString());

    tip.Create(&owner, "粗体");
    EXPECT_TRUE(tip.isInstalled());
    tip.Create(&owner, QString());
    EXPECT_EQ(shownFor(owner), QString());
}

TEST(Tooltip, AShownTipFollowsTheText)
{
    QWidget owner;
    owner.show();
    Tooltip tip;
    tip.Create(&owner, "粗体");
    ASSERT_EQ(shownFor(owner), "粗体");
    tip.Create(&owner, "粗体");
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "粗体");
    tip.Create(&owner, "下划线");
    EXPECT_EQ(QToolTip::text(), "下划线");
    QToolTip::hideText();
}

TEST(Tooltip, EndsWithItsOwnerShowingNothing)
{
    QWidget owner;
    owner.show();
    {
        Tooltip tip;
        tip.Create(&owner, "粗体");
    }
    EXPECT_EQ(shownFor(owner), QString());
}

} // namespace
