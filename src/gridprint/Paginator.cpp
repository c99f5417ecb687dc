#include "Paginator.h"

#include "griddata/GridData.h"
#include "PrintTexts.h"

#include <QPageSize>

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

constexpr double LayoutDpi = 96.0;

// A run of rows or columns that goes onto one page; `last` < `first` when it is empty.
struct Band {
    int first = 0;
    int last = -1;
};

// Where the paper goes, in layout units.
struct Frame {
    QSizeF paper;
    QRectF content; // inside the four margins
};

Frame frameOf(const PageSetup &setup)
{
    Frame frame;
    frame.paper = Paginator::paperSize(setup);
    const double left = Paginator::fromCm(setup.LeftMargin);
    const double top = Paginator::fromCm(setup.TopMargin);
    const double width = frame.paper.width() - left - Paginator::fromCm(setup.RightMargin);
    const double height = frame.paper.height() - top - Paginator::fromCm(setup.BottomMargin);
    frame.content = QRectF(left, top, std::max(width, 0.0), std::max(height, 0.0));
    return frame;
}

// Where merged blocks begin and end down the rows.
struct Blocks {
    // For every line, the first line of the merged block that reaches into it from before it
    // (the line itself when none does).
    QList<int> start;
    // For a line that begins blocks, the last line they reach (the line itself otherwise).
    QList<int> end;
    // Running total of line sizes: extent of lines [a, b] is total[b + 1] - total[a].
    QList<double> total;

    double extent(int first, int last) const { return total[last + 1] - total[first]; }
};

// Blocks are visited by their first line, so each line takes the earliest start; a skip list
// makes every line filled once, whatever the spans.
Blocks blocksOf(const QList<int> &sizes, QList<QRect> merges)
{
    const int count = int(sizes.size());
    Blocks blocks;
    blocks.start.resize(count);
    std::iota(blocks.start.begin(), blocks.start.end(), 0);
    blocks.end = blocks.start;
    blocks.total.resize(count + 1);
    for (int i = 0; i < count; ++i)
        blocks.total[i + 1] = blocks.total[i] + std::max(sizes[i], 0);

    std::sort(merges.begin(), merges.end(), [](const QRect &a, const QRect &b) { return a.top() < b.top(); });

    QList<int> next(count + 1);
    std::iota(next.begin(), next.end(), 0);
    const auto unfilled = [&next](int i) {
        int root = i;
        while (next[root] != root)
            root = next[root];
        while (next[i] != root)
            i = std::exchange(next[i], root);
        return root;
    };
    for (const QRect &m : merges) {
        const int from = m.top();
        const int to = std::min(m.bottom(), count - 1);
        if (from < 0 || from >= to)
            continue;
        blocks.end[from] = std::max(blocks.end[from], to);
        for (int i = unfilled(from + 1); i <= to; i = unfilled(i)) {
            blocks.start[i] = from;
            next[i] = i + 1;
        }
    }
    return blocks;
}

// The line that should open the next page instead of `line`: the first line of the merged
// blocks that `line` belongs to (blocks side by side in other columns chain on), when they fit
// a page of their own and the current page keeps something besides them.
int keptTogether(const Blocks &blocks, int line, int firstVisible, double nextRoom)
{
    int top = line;
    int bottom = line;
    while (blocks.start[top] < top) {
        top = blocks.start[top];
        bottom = std::max(bottom, blocks.end[top]);
    }
    if (top == line || top <= firstVisible || blocks.extent(top, bottom) > nextRoom)
        return line;
    return top;
}

// Cuts lines [from, sizes.size()) into bands, each filling at most `room(band)`. A band always
// takes at least one visible line, so an oversized line gets a page of its own.
template <class Room, class Forced>
QList<Band> cut(const QList<int> &sizes, int from, const Blocks &blocks, Room room, Forced forced)
{
    const int count = int(sizes.size());
    if (from >= count)
        return { Band { from, from - 1 } };
    QList<Band> bands;
    for (int start = from; start < count;) {
        const double space = room(int(bands.size()));
        double used = 0;
        int firstVisible = -1;
        int i = start;
        for (; i < count; ++i) {
            if (i > start && forced(i))
                break;
            const int size = sizes[i];
            if (size <= 0)
                continue;
            if (firstVisible >= 0 && used + size > space) {
                i = keptTogether(blocks, i, firstVisible, room(int(bands.size()) + 1));
                break;
            }
            if (firstVisible < 0)
                firstVisible = i;
            used += size;
        }
        bands.append(Band { start, i - 1 });
        start = i;
    }
    return bands;
}

QList<Page::Line> linesOf(const QList<int> &sizes, const QList<int> &indexes, Band band, double &offset)
{
    QList<Page::Line> lines;
    const auto add = [&](int index) {
        const int size = sizes[index];
        if (size <= 0)
            return;
        lines.append(Page::Line { index, offset, double(size) });
        offset += size;
    };
    for (int index : indexes)
        add(index);
    for (int index = band.first; index <= band.last; ++index)
        add(index);
    return lines;
}

int visibleCount(const QList<int> &sizes, const QList<int> &indexes)
{
    return int(std::count_if(indexes.begin(), indexes.end(), [&sizes](int index) { return sizes[index] > 0; }));
}

double extentOf(const QList<int> &sizes, const QList<int> &indexes)
{
    double total = 0;
    for (int index : indexes)
        total += std::max(sizes[index], 0);
    return total;
}

double titlesHeight(const QList<Paginator::TitleBlock> &titles, bool firstRows)
{
    double total = 0;
    for (const Paginator::TitleBlock &title : titles)
        if (firstRows || title.onAllPages)
            total += title.height;
    return total;
}

// Rows repeated at the top of every page: the fixed row, then the title rows.
QList<int> repeatedRowsOf(const Paginator::Input &input)
{
    QList<int> rows;
    const int count = int(input.rowHeights.size());
    if (input.setup.PrintFixedRow && count > 0)
        rows.append(0);
    for (int row = 1; row <= input.setup.PrintTitleRows && row < count; ++row)
        rows.append(row);
    return rows;
}

QList<int> repeatedColsOf(const Paginator::Input &input)
{
    if (input.setup.PrintFixedColumn && !input.colWidths.isEmpty())
        return { 0 };
    return {};
}

QList<Band> rowBandsOf(const Paginator::Input &input, const Frame &frame, double repeatedHeight)
{
    QList<bool> breaks(input.rowHeights.size(), false);
    for (int row : input.pageBreaks.rows())
        if (row >= 0 && row < breaks.size())
            breaks[row] = true;
    const auto room
        = [&](int band) { return frame.content.height() - titlesHeight(input.titles, band == 0) - repeatedHeight; };
    const int bodyStart = std::max(input.setup.PrintTitleRows, 0) + 1;
    QList<Band> bands = cut(input.rowHeights, bodyStart, blocksOf(input.rowHeights, input.merges), room,
        [&breaks](int row) { return breaks[row]; });
    while (bands.size() > 1 && bands.last().first > input.lastContentRow)
        bands.removeLast();
    return bands;
}

QList<Band> colBandsOf(const Paginator::Input &input, const Frame &frame, double fixedWidth)
{
    const auto room = [&](int) { return frame.content.width() - fixedWidth; };
    // Merged blocks do not hold columns back: a block cut by the split is drawn on both sheets.
    return cut(input.colWidths, 1, blocksOf(input.colWidths, {}), room, [](int) { return false; });
}

QRect cellsOf(Band rows, Band cols)
{
    if (rows.last < rows.first || cols.last < cols.first)
        return {};
    return QRect(QPoint(cols.first, rows.first), QPoint(cols.last, rows.last));
}

// Titles stack down from the top margin: all of them on page 1, the ones for every page on the
// others. AlignTo 1 centres a title over the printed grid, 0 between the margins.
void placeTitles(Page &page, const Paginator::Input &input, const Frame &frame)
{
    double y = frame.content.top();
    for (int i = 0; i < input.titles.size(); ++i) {
        const Paginator::TitleBlock &title = input.titles[i];
        if (page.number != 1 && !title.onAllPages)
            continue;
        const bool overGrid = title.alignTo == 1;
        const double x = overGrid ? page.grid.left() : frame.content.left();
        const double width = overGrid ? page.grid.width() : frame.content.width();
        page.titles.append(Page::Title { i, QRectF(x, y, width, title.height) });
        y += title.height;
    }
}

Page pageOf(const Paginator::Input &input, const Frame &frame, Band rows, Band cols, bool firstRows)
{
    const QList<int> repeatedRows = repeatedRowsOf(input);
    const QList<int> repeatedCols = repeatedColsOf(input);
    Page page;
    double height = 0;
    page.rows = linesOf(input.rowHeights, repeatedRows, rows, height);
    page.repeatedRows = visibleCount(input.rowHeights, repeatedRows);
    double width = 0;
    page.cols = linesOf(input.colWidths, repeatedCols, cols, width);
    page.repeatedCols = visibleCount(input.colWidths, repeatedCols);
    page.body = cellsOf(rows, cols);
    page.paper = frame.paper;

    // The grid stands below the titles of its stretch of rows, so every sheet of that stretch
    // (the column slices side by side) puts it at the same height.
    const double spare = frame.content.width() - width;
    const double x = frame.content.left() + (input.setup.CenterHorizontally && spare > 0 ? spare / 2 : 0);
    const double y = frame.content.top() + titlesHeight(input.titles, firstRows);
    page.grid = QRectF(x, y, width, height);

    const double headerTop = Paginator::fromCm(input.setup.HeaderMargin);
    page.header = QRectF(frame.content.left(), headerTop, frame.content.width(), input.headerHeight);
    const double footerBottom = frame.paper.height() - Paginator::fromCm(input.setup.FooterMargin);
    page.footer
        = QRectF(frame.content.left(), footerBottom - input.footerHeight, frame.content.width(), input.footerHeight);
    return page;
}

// Something on the row would show on paper: text, a picture, a colour or a line. A row's top
// line is left out, as the row above carries the same line as its bottom.
bool rowHasContent(const GridData &data, int row)
{
    for (int col = 1; col < data.cols(); ++col) {
        if (!data.text(row, col).isEmpty() || !data.imageKey(row, col).isEmpty() || data.isMerged(row, col))
            return true;
        const CellStyle &style = data.style(row, col);
        if (style.backColor != CellStyle::NoColor || style.lines[LineLeft] || style.lines[LineRight]
            || style.lines[LineBottom] || style.lines[LineDiagonalUp] || style.lines[LineDiagonalDown])
            return true;
    }
    return false;
}

int lastContentRowOf(const GridData &data)
{
    int row = data.rows() - 1;
    while (row > 0 && !rowHasContent(data, row))
        --row;
    return row;
}

} // namespace

QList<Page> Paginator::paginate(const GridData &data)
{
    return paginate(inputOf(data));
}

Paginator::Input Paginator::inputOf(const GridData &data)
{
    Input input;
    input.rowHeights.resize(data.rows());
    for (int row = 0; row < data.rows(); ++row)
        input.rowHeights[row] = data.rowHeight(row);
    input.colWidths.resize(data.cols());
    for (int col = 0; col < data.cols(); ++col)
        input.colWidths[col] = data.colWidth(col);
    input.merges.reserve(qsizetype(data.merges().size()));
    for (const CellRange &m : data.merges())
        input.merges.append(QRect(QPoint(m.col1, m.row1), QPoint(m.col2, m.row2)));
    input.pageBreaks = data.hPageBreaks();
    input.setup = data.pageSetup();

    const double width = frameOf(input.setup).content.width();
    for (const ReportTitle &title : data.reportTitles().all()) {
        const double lineWidth = title.AlignTo == 1 ? 1e6 : width; // over the grid: one line
        const double height = PrintTexts::titleHeight(title, lineWidth);
        input.titles.append(TitleBlock { height, title.PrintOnAllPages, title.AlignTo });
    }
    const QFont marginFont = PrintTexts::marginFont(data);
    if (!input.setup.Header.isEmpty())
        input.headerHeight = PrintTexts::height(marginFont, input.setup.Header, width);
    if (!input.setup.Footer.isEmpty())
        input.footerHeight = PrintTexts::height(marginFont, input.setup.Footer, width);
    input.lastContentRow = lastContentRowOf(data);
    return input;
}

QSizeF Paginator::paperSize(const PageSetup &setup)
{
    const QPageSize page(setup.PaperSize);
    const QSizeF mm = (page.isValid() ? page : QPageSize(QPageSize::A4)).size(QPageSize::Millimeter);
    const QSizeF size = mm * (LayoutDpi / 25.4);
    return setup.Orientation == 2 ? size.transposed() : size;
}

double Paginator::fromCm(double cm)
{
    return cm * LayoutDpi / 2.54;
}

QList<Page> Paginator::paginate(const Input &input)
{
    const Frame frame = frameOf(input.setup);
    const double repeatedHeight = extentOf(input.rowHeights, repeatedRowsOf(input));
    const double fixedWidth = extentOf(input.colWidths, repeatedColsOf(input));
    const QList<Band> rowBands = rowBandsOf(input, frame, repeatedHeight);
    const QList<Band> colBands = colBandsOf(input, frame, fixedWidth);

    QList<Page> pages;
    pages.reserve(rowBands.size() * colBands.size());
    for (int r = 0; r < rowBands.size(); ++r) {
        for (int c = 0; c < colBands.size(); ++c) {
            Page page = pageOf(input, frame, rowBands[r], colBands[c], r == 0);
            page.number = int(pages.size()) + 1;
            page.rowBand = r;
            page.colBand = c;
            placeTitles(page, input, frame);
            pages.append(page);
        }
    }
    return pages;
}
