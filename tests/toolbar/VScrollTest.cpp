#include "toolbar/VScroll.h"
#include "toolbar/ScrollBars.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A scroll area whose vertical bar has page 10 and reports a last full page at 100.
struct DrivenArea : ::testing::Test {
    DrivenArea()
    {
        bars.Init(&area);
        bars.setMax(ScrollBars::Vertical, 100);
        bars.setPage(ScrollBars::Vertical, 10);
    }
    QAbstractScrollArea area;
    ScrollBars bars;
};

TEST_F(DrivenArea, MaxIsTheLastFullPageAndSurvivesAPageChange)
{
    QSignalSpy changes(&bars, &ScrollBars::Change);
    bars.setMax(ScrollBars::Vertical, 100);
    EXPECT_EQ(changes.count(), 0);

    bars.setMax(ScrollBars::Vertical, 120);
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.at(0).at(0).toInt(), ScrollBars::Vertical);

    bars.setPage(ScrollBars::Vertical, 20);
    EXPECT_EQ(bars.Page(ScrollBars::Vertical), 20);
    EXPECT_EQ(bars.Max(ScrollBars::Vertical), 120);
    EXPECT_EQ(changes.count(), 2);
}

TEST_F(DrivenArea, UserScrollingRaisesChangeOncePerStep)
{
    QSignalSpy changes(&bars, &ScrollBars::Change);
    QScrollBar *sb = area.verticalScrollBar();
    sb->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(bars.Pos(ScrollBars::Vertical), 1);
    EXPECT_EQ(changes.count(), 1);

    sb->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bars.Pos(ScrollBars::Vertical), 11);
    EXPECT_EQ(changes.count(), 2);

    // A thumb drag reports every track position.
    sb->setSliderDown(true);
    for (int pos : { 30, 31, 32 })
        sb->setSliderPosition(pos);
    sb->setSliderDown(false);
    EXPECT_EQ(changes.count(), 5);
    EXPECT_EQ(changes.at(4).at(0).toInt(), ScrollBars::Vertical);
}

TEST_F(DrivenArea, PositionStaysWithinTheRange)
{
    bars.setPos(ScrollBars::Vertical, 500);
    EXPECT_EQ(bars.Pos(ScrollBars::Vertical), 100);
    QSignalSpy changes(&bars, &ScrollBars::Change);
    bars.setPos(ScrollBars::Vertical, 101);
    EXPECT_EQ(changes.count(), 0);
}

TEST_F(DrivenArea, TerminatedObjectNoLongerHearsTheBar)
{
    bars.Terminate();
    QSignalSpy changes(&bars, &ScrollBars::Change);
    area.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(changes.count(), 0);
}

TEST(VScroll, OutOfRangePropertiesAreReplaced)
{
    struct Case {
        const char *name;
        void (VScroll::*set)(int);
        int (VScroll::*get)() const;
        int given;
        int stored;
    };
    const Case cases[] = {
        { "Value above Max", &VScroll::setValue, &VScroll::Value, 70000, 65535 },
        { "Value below Min", &VScroll::setValue, &VScroll::Value, -3, 0 },
        { "negative Min", &VScroll::setMin, &VScroll::Min, -5, 0 },
        { "negative Max", &VScroll::setMax, &VScroll::Max, -5, 65535 },
        { "Max too large", &VScroll::setMax, &VScroll::Max, 70000, 65535 },
        { "negative SmallChange", &VScroll::setSmallChange, &VScroll::SmallChange, -1, 1 },
        { "LargeChange too large", &VScroll::setLargeChange, &VScroll::LargeChange, 65536, 1 },
        { "LargeChange in range", &VScroll::setLargeChange, &VScroll::LargeChange, 0, 0 },
    };
    for (const Case &c : cases) {
        VScroll scroll;
        (scroll.*c.set)(c.given);
        EXPECT_EQ((scroll.*c.get)(), c.stored) << c.name;
    }
}

TEST(VScroll, ChangeIsRaisedOncePerRealChangeOfValue)
{
    VScroll scroll;
    scroll.setMax(100);
    QSignalSpy changes(&scroll, &VScroll::Change);
    scroll.setValue(40);
    EXPECT_EQ(changes.count(), 1);
    scroll.setValue(40);
    EXPECT_EQ(changes.count(), 1);
    scroll.setValue(500);
    scroll.setValue(600);
    EXPECT_EQ(scroll.Value(), 100);
    EXPECT_EQ(changes.count(), 2);
}

TEST(VScroll, ANarrowerRangeCarriesTheValueAlongAndSaysSo)
{
    VScroll scroll;
    scroll.setMax(100);
    scroll.setValue(80);
    QSignalSpy changes(&scroll, &VScroll::Change);
    scroll.setMax(50);
    EXPECT_EQ(scroll.Value(), 50);
    EXPECT_EQ(changes.count(), 1);
    scroll.setMin(60);
    EXPECT_EQ(scroll.Value(), 60);
    EXPECT_EQ(changes.count(), 2);
}

TEST(VScroll, TheBarShowsTheValueAndTheUsersScrollingComesBack)
{
    VScroll scroll;
    scroll.resize(scroll.sizeHint().width(), 200);
    scroll.setMax(100);
    scroll.setLargeChange(10);
    scroll.setValue(30);
    QScrollBar *bar = nullptr;
    for (QScrollBar *candidate : scroll.findChildren<QScrollBar *>())
        if (candidate->orientation() == Qt::Vertical)
            bar = candidate;
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value(), 30);
    EXPECT_EQ(bar->maximum(), 100);
    EXPECT_EQ(bar->pageStep(), 10);

    QSignalSpy changes(&scroll, &VScroll::Change);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(scroll.Value(), 40);
    EXPECT_EQ(changes.count(), 1);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(scroll.Value(), 100);
    EXPECT_EQ(changes.count(), 2);
}

} // namespace
