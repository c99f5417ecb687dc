#include "toolbar/BorderPreset.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Records what a preset does to its target, as "redraw off", "2=1", "redraw on", "refresh";
// with failAt set, the write of that number (from 1) throws.
struct Recorder {
    QStringList steps;
    int failAt = 0;
    int writes = 0;

    void SetBorders(int edge, int style)
    {
        if (++writes == failAt)
            throw std::runtime_error("refused");
        steps << QStringLiteral("%1=%2").arg(edge).arg(style);
    }
    void SetAutoRedraw(bool on) { steps << (on ? QStringLiteral("redraw on") : QStringLiteral("redraw off")); }
    void Refresh() { steps << QStringLiteral("refresh"); }
};

QStringList applied(int value)
{
    Recorder recorder;
    BorderPreset::of(value)->applyTo(recorder);
    return recorder.steps;
}

TEST(BorderPreset, EachPresetWritesItsEdgesInOrderAndRepaintsAsItShould)
{
    const QStringList off { "redraw off" };
    const QStringList on { "redraw on", "refresh" };
    const QStringList frame { "0=1", "1=1", "2=1", "3=1" };
    const QStringList thick { "0=2", "1=2", "2=2", "3=2" };
    const QStringList inner { "5=1", "4=1" };
    const QStringList expected[] = {
        off + QStringList { "0=0", "1=0", "2=0", "3=0", "5=0", "4=0", "6=0", "7=0" } + on,
        { "2=1" },
        { "3=1" },
        { "0=1" },
        { "1=1" },
        { "6=1" },
        { "7=1" },
        off + inner + on,
        off + frame + on,
        off + thick + on,
        frame + inner + on, // written with painting on, then repainted once more
        off + thick + inner + on,
    };
    for (int value = 0; value < 12; ++value)
        EXPECT_EQ(applied(value), expected[value]) << "preset " << value;
}

TEST(BorderPreset, OnlyTheTwelveCellsArePresets)
{
    for (int value : { -1, 12, 100 })
        EXPECT_FALSE(BorderPreset::of(value).has_value()) << value;
}

TEST(BorderPreset, AFailingWriteStillLeavesPaintingOnAndPassesTheErrorOn)
{
    const struct {
        int value;
        int failAt;
        QStringList steps;
    } cases[] = {
        { 0, 3, { "redraw off", "0=0", "1=0", "redraw on", "refresh" } },
        { 11, 1, { "redraw off", "redraw on", "refresh" } },
        { 10, 3, { "0=1", "1=1", "redraw on", "refresh" } },
        { 3, 1, {} },
    };
    for (const auto &c : cases) {
        Recorder recorder;
        recorder.failAt = c.failAt;
        EXPECT_THROW(BorderPreset::of(c.value)->applyTo(recorder), std::runtime_error) << c.value;
        EXPECT_EQ(recorder.steps, c.steps) << c.value;
    }
}

} // namespace
