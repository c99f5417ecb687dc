#include "workspace/ColumnFit.h"

#include "gridview/Grid.h"

#include <algorithm>
#include <cmath>

namespace {

// Type gets smaller in these steps, and never below the size a teacher still reads without
// effort on a sheet pinned to a door.
constexpr double kFontStep = 0.5;
constexpr double kSmallestFontSize = 7;

} // namespace

ColumnFit::ColumnFit(Grid &grid, Wrapped wrapped)
    : m_grid(grid)
    , m_wrapped(wrapped)
    , m_measure(grid.data())
    , m_widest(size_t(grid.Cols()))
    , m_mergedShare(size_t(grid.Cols()), 0)
{
    for (int col = 0; col < grid.Cols(); ++col) {
        if (grid.Column(col).Width() == 0)
            continue;
        m_widest[size_t(col)] = widestIn(col);
        if (col > 0)
            m_cols.push_back(col);
    }
    measureMergedBlocks();
}

ColumnFit::Widest ColumnFit::widestIn(int col)
{
    const GridData &data = m_grid.data();
    const bool merges = !data.merges().empty();
    Widest widest;
    for (int row = 0; row < data.rows(); ++row) {
        if (data.rowHeight(row) == 0 || (merges && data.isMerged(row, col)))
            continue;
        const int width = m_wrapped == Wrapped::ByWidestWord && data.style(row, col).wrap
            ? m_measure.widestWordNeeded(row, col)
            : m_measure.widthNeededOver(row, col, widest.width);
        if (width > widest.width)
            widest = { width, row };
    }
    return widest;
}

void ColumnFit::measureMergedBlocks()
{
    const GridData &data = m_grid.data();
    for (const CellRange &block : data.merges()) {
        int shown = 0;
        for (int col = block.col1; col <= block.col2; ++col)
            shown += data.colWidth(col) > 0 ? 1 : 0;
        if (shown == 0)
            continue;
        const int share = (m_measure.widthNeeded(block.row1, block.col1) + shown - 1) / shown;
        for (int col = block.col1; col <= block.col2; ++col)
            if (data.colWidth(col) > 0)
                m_mergedShare[size_t(col)] = std::max(m_mergedShare[size_t(col)], share);
    }
}

int ColumnFit::needed(int col) const
{
    if (col < 0 || size_t(col) >= m_widest.size())
        return 0;
    return std::max(m_widest[size_t(col)].width, m_mergedShare[size_t(col)]);
}

int ColumnFit::totalNeeded() const
{
    int total = 0;
    for (int col : m_cols)
        total += needed(col);
    return total;
}

void ColumnFit::fitInto(double available, TooWide tooWide)
{
    while (totalNeeded() > available && shrinkWidestColumns(available)) {
    }
    if (totalNeeded() <= available)
        share(available);
    else if (tooWide == TooWide::Wrap)
        wrap(available);
    else
        keepNeeds();
    // A text that wraps by its words needs the lines its column now leaves it.
    if (m_wrapped == Wrapped::ByWidestWord)
        growRows(m_cols);
}

void ColumnFit::keepNeeds()
{
    for (int col : m_cols)
        m_grid.Column(col).SetWidth(std::max(m_grid.Column(col).Width(), needed(col)));
}

void ColumnFit::share(double available)
{
    int wanted = 0;
    int needs = 0;
    for (int col : m_cols) {
        wanted += std::max(m_grid.Column(col).Width(), needed(col));
        needs += needed(col);
    }
    // Only reached with the needs within the page, so a list too wide has spare to give.
    const double kept = wanted <= available ? 1.0 : (available - needs) / (wanted - needs);
    for (int col : m_cols) {
        const int spare = std::max(m_grid.Column(col).Width(), needed(col)) - needed(col);
        m_grid.Column(col).SetWidth(needed(col) + int(std::floor(spare * kept)));
    }
}

bool ColumnFit::shrinkWidestColumns(double available)
{
    // Glyphs shrink with their type: the widths are estimated by that rule and measured again
    // once the type is set, and the caller comes back when the estimate was short.
    const GridData &data = m_grid.data();
    std::vector<double> size(m_widest.size(), 0);
    std::vector<double> estimate(m_widest.size(), 0);
    std::vector<double> target(m_widest.size(), 0);
    double total = 0;
    for (int col : m_cols) {
        const Widest &widest = m_widest[size_t(col)];
        size[size_t(col)] = target[size_t(col)] = data.effectiveFont(widest.row, col).pointSizeF();
        estimate[size_t(col)] = widest.width;
        total += needed(col);
    }
    while (total > available) {
        int widest = -1;
        for (int col : m_cols) {
            const size_t c = size_t(col);
            // A column whose width its merged share sets gains nothing from smaller type.
            if (target[c] - kFontStep >= kSmallestFontSize && estimate[c] > m_mergedShare[c]
                && (widest < 0 || estimate[c] > estimate[size_t(widest)]))
                widest = col;
        }
        if (widest < 0)
            break;
        const size_t c = size_t(widest);
        const double before = std::max(estimate[c], double(m_mergedShare[c]));
        estimate[c] *= (target[c] - kFontStep) / target[c];
        target[c] -= kFontStep;
        total -= before - std::max(estimate[c], double(m_mergedShare[c]));
    }
    bool shrunk = false;
    for (int col : m_cols) {
        if (target[size_t(col)] >= size[size_t(col)])
            continue;
        const double points = target[size_t(col)];
        restyleColumn(col, [points](CellStyle &style) { style.fontSize = points; });
        m_widest[size_t(col)] = widestIn(col);
        shrunk = true;
    }
    return shrunk;
}

void ColumnFit::wrap(double available)
{
    // The widest texts give way first: every column keeps what its texts need up to one cap,
    // the one at which the columns fill the page, and only the columns above it wrap. Shared in
    // proportion instead, one long remark would leave every other column a pixel wide.
    std::vector<int> needs;
    for (int col : m_cols)
        needs.push_back(needed(col));
    std::sort(needs.begin(), needs.end());
    double rest = available;
    double cap = 0;
    for (size_t i = 0; i < needs.size(); ++i) {
        const double left = double(needs.size() - i);
        if (needs[i] * left > rest) {
            cap = rest / left;
            break;
        }
        rest -= needs[i];
    }
    std::vector<int> wrapped;
    for (int col : m_cols) {
        const int width = std::max(1, std::min(needed(col), int(std::floor(cap))));
        m_grid.Column(col).SetWidth(width);
        if (width < needed(col)) {
            wrapped.push_back(col);
            restyleColumn(col, [](CellStyle &style) { style.wrap = true; });
        }
    }
    growRows(wrapped);
}

void ColumnFit::growRows(const std::vector<int> &cols)
{
    if (cols.empty())
        return;
    const GridData &data = m_grid.data();
    const bool merges = !data.merges().empty();
    for (int row = 0; row < data.rows(); ++row) {
        int height = data.rowHeight(row);
        if (height == 0)
            continue;
        for (int col : cols)
            if ((!merges || !data.isMerged(row, col)) && data.style(row, col).wrap)
                height = std::max(height, m_measure.heightNeeded(row, col, data.colWidth(col)));
        if (height > data.rowHeight(row))
            m_grid.SetRowHeight(row, height);
    }
}

void ColumnFit::restyleColumn(int col, const std::function<void(CellStyle &)> &change)
{
    GridData &data = m_grid.data();
    const bool merges = !data.merges().empty();
    int first = -1;
    for (int row = 0; row <= data.rows(); ++row) {
        const bool own = row < data.rows() && !(merges && data.isMerged(row, col));
        if (own && first < 0)
            first = row;
        if (!own && first >= 0) {
            data.updateStyle({ first, col, row - 1, col }, change);
            first = -1;
        }
    }
}
