#include "toolbar/BorderPreset.h"

namespace {

// Edges: 0 left, 1 right, 2 top, 3 bottom, 4 inside vertical, 5 inside horizontal, 6 rising
// and 7 falling diagonal. Styles: 0 none, 1 thin, 2 thick.
using Write = BorderPreset::Write;
using Redraw = BorderPreset::Redraw;

const QList<Write> kNoLines { { 0, 0 }, { 1, 0 }, { 2, 0 }, { 3, 0 }, { 5, 0 }, { 4, 0 }, { 6, 0 }, { 7, 0 } };
const QList<Write> kFrame { { 0, 1 }, { 1, 1 }, { 2, 1 }, { 3, 1 } };
const QList<Write> kThickFrame { { 0, 2 }, { 1, 2 }, { 2, 2 }, { 3, 2 } };
const QList<Write> kInnerLines { { 5, 1 }, { 4, 1 } };

} // namespace

std::optional<BorderPreset> BorderPreset::of(int value)
{
    // By panel cell: no lines; top, bottom, left, right line; rising and falling diagonal; inner
    // lines; frame; thick frame; frame with inner lines; thick frame with inner lines.
    static const BorderPreset presets[] = {
        { kNoLines, Redraw::Suspended },
        { { { 2, 1 } }, Redraw::Untouched },
        { { { 3, 1 } }, Redraw::Untouched },
        { { { 0, 1 } }, Redraw::Untouched },
        { { { 1, 1 } }, Redraw::Untouched },
        { { { 6, 1 } }, Redraw::Untouched },
        { { { 7, 1 } }, Redraw::Untouched },
        { kInnerLines, Redraw::Suspended },
        { kFrame, Redraw::Suspended },
        { kThickFrame, Redraw::Suspended },
        { kFrame + kInnerLines, Redraw::RefreshedAfter },
        { kThickFrame + kInnerLines, Redraw::Suspended },
    };
    if (value < 0 || value >= int(std::size(presets)))
        return std::nullopt;
    return presets[value];
}
