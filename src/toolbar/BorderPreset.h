#pragma once

#include <QList>

#include <optional>

// What one border preset of the border button writes on the selection: its edges in order
// (edge numbers and line styles as the grid's Borders take them) and how it treats painting.
// The several-edge presets switch painting off for their writes and repaint once at the end;
// the "all lines" preset writes with painting on and repaints once more at the end.
struct BorderPreset {
    enum class Redraw { Untouched, Suspended, RefreshedAfter };
    struct Write {
        int edge;
        int style;
        bool operator==(const Write &) const = default;
    };

    QList<Write> writes;
    Redraw redraw = Redraw::Untouched;

    // The preset of panel cell `value` (0 no lines ... 11 thick frame with inner lines); none
    // for any other value.
    static std::optional<BorderPreset> of(int value);

    // Writes the edges on `target` (anything with SetBorders(edge, style), SetAutoRedraw(on)
    // and Refresh()). A write that throws passes its error on, but never leaves the target
    // with painting switched off: the edges written so far stay and show.
    template <class Target> void applyTo(Target &target) const
    {
        if (redraw == Redraw::Suspended)
            target.SetAutoRedraw(false);
        try {
            for (const Write &write : writes)
                target.SetBorders(write.edge, write.style);
        } catch (...) {
            repaint(target);
            throw;
        }
        repaint(target);
    }

private:
    template <class Target> void repaint(Target &target) const
    {
        if (redraw == Redraw::Untouched)
            return;
        target.SetAutoRedraw(true);
        target.Refresh();
    }
};
