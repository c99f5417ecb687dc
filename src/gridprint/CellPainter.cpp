#include "CellPainter.h"

#include "griddata/FontSubstitutes.h"
#include "griddata/GridData.h"
#include "griddata/NumberFormat.h"
#include "griddata/OleColor.h"
#include "PdfPictures.h"
#include "PdfTexts.h"

#include <QCoreApplication>
#include <QGlyphRun>
#include <QHash>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>
#include <QtMath>

#include <memory>
#include <optional>
#include <tuple>

// Every cell is drawn through this file, so the font names are mapped as soon as there is an
// application, in the program and in every test alike.
Q_COREAPP_STARTUP_FUNCTION(RegisterFontSubstitutes)

namespace {

const QColor HeaderBackground(0xEE, 0xF0, 0xF4);
const QColor HeaderSelected(0xD2, 0xDB, 0xEA);
const QColor HeaderLine(0x9A, 0xA3, 0xB0);
// Pictures on paper are drawn at most this sharp: photos at printer resolution would make a
// thousand-page document needlessly heavy.
constexpr double MaxPictureDpi = PdfPictures::MaxDpi;

// Device pixels per grid pixel under the painter's current transform.
double deviceScale(const QPainter &painter)
{
    const QTransform t = painter.deviceTransform();
    return std::sqrt(std::abs(t.determinant()));
}

bool isFixed(int row, int col)
{
    return row == 0 || col == 0;
}

Qt::Alignment alignmentFlags(int code)
{
    static const Qt::Alignment horizontal[] = { Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight };
    static const Qt::Alignment vertical[] = { Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom };
    const int h = std::clamp(GridAlignment::horizontal(code), 0, 2);
    const int v = std::clamp(GridAlignment::vertical(code), 0, 2);
    return horizontal[h] | vertical[v];
}

// Positions of the row (or column) edges of a block inside its drawn rectangle, so that a
// merged block's border segments fall where its cells are, whatever the scale.
std::vector<double> edges(int first, int last, double start, double length, const std::function<int(int)> &pos)
{
    std::vector<double> result;
    const double total = pos(last + 1) - pos(first);
    for (int i = first; i <= last + 1; ++i)
        result.push_back(total > 0 ? start + (pos(i) - pos(first)) * length / total : start);
    return result;
}

QPen linePen(int style)
{
    QPen pen(Qt::black, style == LineThick ? 2.0 : 1.0);
    pen.setCapStyle(Qt::SquareCap);
    return pen;
}

void paintCheckBox(QPainter &painter, const QRectF &rect, bool ticked)
{
    const double side = std::min({ 13.0, rect.width() - 2, rect.height() - 2 });
    if (side <= 2)
        return;
    const QRectF box(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    painter.setPen(QPen(Qt::black, 1.0));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    if (!ticked)
        return;
    painter.setPen(QPen(Qt::black, 2.0));
    const QPointF tick[] = { { box.left() + side * 0.2, box.top() + side * 0.5 },
        { box.left() + side * 0.42, box.top() + side * 0.75 }, { box.left() + side * 0.8, box.top() + side * 0.25 } };
    painter.drawPolyline(tick, 3);
}

void paintPicture(
    QPainter &painter, const GridData &data, const QString &key, const QRectF &rect, const CellPaintOptions &options)
{
    const QRectF inner = rect.adjusted(1, 1, -1, -1);
    if (!data.images().contains(key) || inner.isEmpty())
        return;
    if (options.pdfPictures) {
        options.pdfPictures->draw(painter, key, inner);
        return;
    }
    // A PDF has no resolution of its own: its photos keep the finest paper's.
    const QPaintEngine *engine = painter.paintEngine();
    const bool vector = engine && engine->type() == QPaintEngine::Pdf;
    const double scale = vector ? MaxPictureDpi / 96.0 : std::min(deviceScale(painter), MaxPictureDpi / 96.0);
    const QSize box(qMax(1, qRound(inner.width() * scale)), qMax(1, qRound(inner.height() * scale)));
    const QImage image = data.images().scaled(key, box);
    if (image.isNull())
        return;
    QSizeF shown = QSizeF(image.size()).scaled(inner.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(), shown);
    target.moveCenter(inner.center());
    painter.drawImage(target, image);
}

// Draws the arrow button at the right of a drop-down cell; returns where the text must end.
double paintDropDownArrow(QPainter &painter, const QRectF &rect)
{
    const double side = std::min(14.0, rect.height() - 2);
    if (side < 6)
        return rect.right() - 2;
    const QRectF button(rect.right() - side - 1, rect.center().y() - side / 2, side, side);
    painter.fillRect(button, HeaderBackground);
    painter.setPen(HeaderLine);
    painter.drawRect(button);
    const QPointF c = button.center();
    const QPointF arrow[] = { { c.x() - 3, c.y() - 1.5 }, { c.x() + 3, c.y() - 1.5 }, { c.x(), c.y() + 2 } };
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow, 3);
    painter.setBrush(Qt::NoBrush);
    return button.left() - 2;
}

// Texts shaped once per font and device and kept from page to page: a long list repeats its
// schools, classes and names thousands of times. Bounded, as exam numbers never repeat: a
// few thousand texts hold what repeats on a page and the next, at some 300 bytes a text.
class ShapedTexts {
public:
    // One line of text as a painter lays it out: its width, its height and its glyphs placed
    // from the top left of the line.
    struct Line {
        double advance = 0;
        double height = 0;
        QList<QGlyphRun> glyphs;
    };

    ShapedTexts(const QFont &font, const QPaintDevice *device)
        : m_font(font)
        , m_device(device)
        , m_resolution(resolutionOf(device))
    {
    }

    // Shapes depend on the device only through its kind and resolution. A device is known by
    // these, not by its address: the next page image may well take the address of the last,
    // at another zoom.
    bool isFor(const QFont &font, const QPaintDevice *device) const
    {
        return font == m_font && resolutionOf(device) == m_resolution;
    }
    // The device texts are laid out on from now: it must outlive the painting.
    void paintOn(const QPaintDevice *device) { m_device = device; }
    // The line stays valid until the next is asked for. One put together from its characters
    // is not kept: most are exam numbers, which never repeat.
    const Line &line(const QString &text)
    {
        if (std::optional<Line> composed = fromCharacters(text)) {
            m_composed = std::move(*composed);
            return m_composed;
        }
        if (const auto found = m_lines.constFind(text); found != m_lines.constEnd())
            return found.value();
        if (m_lines.size() > MaxTexts)
            m_lines.clear();
        return m_lines.insert(text, shaped(text)).value();
    }

private:
    static constexpr qsizetype MaxTexts = 2000;

    Line shaped(const QString &text) const
    {
        QTextLayout layout(text, m_font, const_cast<QPaintDevice *>(m_device));
        QTextOption option;
        option.setWrapMode(QTextOption::ManualWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(0x01000000);
        line.setPosition(QPointF(0, 0));
        layout.endLayout();
        return Line { line.horizontalAdvance(), line.height(), layout.glyphRuns() };
    }

    // A single character shaped alone: its one glyph (none when it takes more or fewer) and
    // where it stands. Characters are kept apart from the texts: texts come and go, the
    // characters that make them up stay.
    struct Character {
        std::optional<quint32> glyph;
        QPointF position;
        double advance = 0;
        double height = 0;
        QRawFont font;
        QGlyphRun run;
    };
    const Character &character(QChar c)
    {
        if (const auto found = m_characters.constFind(c.unicode()); found != m_characters.constEnd())
            return found.value();
        if (m_characters.size() > MaxTexts)
            m_characters.clear();
        const Line line = shaped(QString(c));
        Character single;
        single.advance = line.advance;
        single.height = line.height;
        if (line.glyphs.size() == 1 && line.glyphs[0].glyphIndexes().size() == 1) {
            single.run = line.glyphs[0];
            single.glyph = single.run.glyphIndexes()[0];
            single.position = single.run.positions()[0];
            single.font = single.run.rawFont();
        }
        return m_characters.insert(c.unicode(), single).value();
    }

    static std::tuple<int, int, int> resolutionOf(const QPaintDevice *device)
    {
        return { device->devType(), device->logicalDpiX(), device->logicalDpiY() };
    }

    // Digits and Chinese characters neither kern nor join: a text of them only (an exam
    // number, a row number, most names) is its characters' glyphs side by side, with no new
    // shaping. Texts never seen before are mostly such numbers.
    std::optional<Line> fromCharacters(const QString &text)
    {
        if (text.size() < 2 || !std::all_of(text.begin(), text.end(), [](QChar c) {
                return (c >= u'0' && c <= u'9') || (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF);
            }))
            return std::nullopt;
        QList<quint32> indexes;
        QList<QPointF> positions;
        indexes.reserve(text.size());
        positions.reserve(text.size());
        // The first character's run, copied: looking up the next may move the characters kept.
        QGlyphRun joined;
        double x = 0;
        double height = 0;
        for (const QChar c : text) {
            const Character &single = character(c);
            if (!single.glyph)
                return std::nullopt;
            if (indexes.isEmpty())
                joined = single.run;
            else if (single.font != joined.rawFont())
                return std::nullopt;
            indexes.append(*single.glyph);
            positions.append(single.position + QPointF(x, 0));
            x += single.advance;
            height = std::max(height, single.height);
        }
        joined.setGlyphIndexes(indexes);
        joined.setPositions(positions);
        return Line { x, height, { joined } };
    }

    QFont m_font;
    const QPaintDevice *m_device;
    std::tuple<int, int, int> m_resolution;
    QHash<QString, Line> m_lines;
    QHash<char16_t, Character> m_characters;
    Line m_composed;
};

ShapedTexts &shapedTexts(const QFont &font, const QPaintDevice *device)
{
    thread_local std::vector<std::unique_ptr<ShapedTexts>> fonts;
    for (const auto &texts : fonts)
        if (texts->isFor(font, device)) {
            texts->paintOn(device);
            return *texts;
        }
    if (fonts.size() > 16)
        fonts.clear();
    fonts.push_back(std::make_unique<ShapedTexts>(font, device));
    return *fonts.back();
}

// Whether a text is one line of characters written left to right, laid out alike whether it
// is drawn as text or from its shaped glyphs.
bool isPlainLine(const QString &text)
{
    return std::none_of(text.begin(), text.end(), [](QChar c) {
        return c == u'\n' || c == u'\r' || c == u'\t' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator
            || c.direction() == QChar::DirR || c.direction() == QChar::DirAL;
    });
}

// Lines drawn with one pen. Cells side by side share their edges and a table's rows line up,
// so straight lines are joined into the longest runs they make: a page of a list is a few
// dozen lines, not four per cell.
class LineSet {
public:
    void add(QPointF from, QPointF to)
    {
        if (from.y() == to.y())
            m_across.push_back({ from.y(), std::min(from.x(), to.x()), std::max(from.x(), to.x()) });
        else if (from.x() == to.x())
            m_down.push_back({ from.x(), std::min(from.y(), to.y()), std::max(from.y(), to.y()) });
        else
            m_slanted.push_back({ from, to });
    }
    void addRect(const QRectF &r)
    {
        add(r.topLeft(), r.topRight());
        add(r.bottomLeft(), r.bottomRight());
        add(r.topLeft(), r.bottomLeft());
        add(r.topRight(), r.bottomRight());
    }
    bool isEmpty() const { return m_across.empty() && m_down.empty() && m_slanted.empty(); }

    QPainterPath path()
    {
        QPainterPath path;
        joined(m_across, [&](double y, double x1, double x2) {
            path.moveTo(x1, y);
            path.lineTo(x2, y);
        });
        joined(m_down, [&](double x, double y1, double y2) {
            path.moveTo(x, y1);
            path.lineTo(x, y2);
        });
        for (const auto &[from, to] : m_slanted) {
            path.moveTo(from);
            path.lineTo(to);
        }
        return path;
    }

private:
    // A straight line: where it stands and the span it covers.
    struct Run {
        double at;
        double from;
        double to;
        bool operator<(const Run &o) const { return std::tie(at, from) < std::tie(o.at, o.from); }
    };
    static constexpr double Touch = 1e-6;

    template <typename Draw> static void joined(std::vector<Run> &runs, Draw draw)
    {
        std::sort(runs.begin(), runs.end());
        for (size_t i = 0; i < runs.size();) {
            Run run = runs[i];
            for (++i; i < runs.size() && std::abs(runs[i].at - run.at) < Touch && runs[i].from <= run.to + Touch; ++i)
                run.to = std::max(run.to, runs[i].to);
            draw(run.at, run.from, run.to);
        }
    }

    std::vector<Run> m_across;
    std::vector<Run> m_down;
    std::vector<std::pair<QPointF, QPointF>> m_slanted;
};

} // namespace

// Every line of a run of cells, by the pen it is drawn with.
struct CellPainter::Lines {
    LineSet header;
    LineSet grid;
    LineSet thin;
    LineSet thick;
};

// What the painter already holds while a run of cells is drawn: the look of the last text, so
// that cells sharing a look (nearly all of a list) set no font or pen of their own.
struct CellPainter::TextState {
    int style = -1;
    bool header = false;
    QFont font;
    QColor color;
    ShapedTexts *texts = nullptr;
    // A PDF gets glyphs already shaped: drawing a text asks the font system again, under a
    // lock all threads share.
    bool glyphs = false;
};

void CellPainter::paintCells(
    QPainter &painter, const GridData &data, const std::vector<PlacedCell> &cells, const CellPaintOptions &options)
{
    // Backgrounds first, so that a text running on over its neighbours stays on top of them.
    for (const PlacedCell &cell : cells)
        paintBackground(painter, data, cell, options);
    const std::vector<RunOn> runOns = runOnsOf(data, cells);
    TextState state;
    state.glyphs = painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf;
    for (size_t i = 0; i < cells.size(); ++i)
        paintContent(painter, data, cells[i], runOns[i].textRight, options, state);
    Lines lines;
    for (size_t i = 0; i < cells.size(); ++i)
        addLines(lines, data, cells[i], runOns[i], options);
    // A preview records the page and plays it back at its own zoom, where a line set in device
    // pixels keeps its printer's width: at 300 dpi every line came out three screen pixels wide.
    const QPaintEngine *engine = painter.paintEngine();
    const bool cosmetic = options.cosmeticLines && !(engine && engine->type() == QPaintEngine::Picture);
    const auto stroke = [&](LineSet &set, QPen pen) {
        if (set.isEmpty())
            return;
        pen.setCapStyle(Qt::SquareCap);
        if (cosmetic && pen.widthF() <= 1.0) {
            // Whole device pixels: a line 1.5 pixels wide came out one or two by where it fell.
            pen.setWidthF(std::max(1.0, std::round(pen.widthF() * deviceScale(painter))));
            pen.setCosmetic(true);
        }
        painter.strokePath(set.path(), pen);
    };
    stroke(lines.header, QPen(HeaderLine, 1.0));
    stroke(lines.grid, QPen(options.gridlineColor, 1.0));
    stroke(lines.thin, linePen(LineThin));
    stroke(lines.thick, linePen(LineThick));
}

bool CellPainter::mayRunOn(const GridData &data, int row, int col)
{
    return !isFixed(row, col) && !data.text(row, col).isEmpty() && !data.style(row, col).wrap
        && data.cellType(row, col) == CellTypeText && !data.isMerged(row, col)
        && GridAlignment::horizontal(data.effectiveAlignment(row, col)) == 0;
}

bool CellPainter::lendsSpace(const GridData &data, int row, int col)
{
    return !isFixed(row, col) && data.text(row, col).isEmpty() && data.imageKey(row, col).isEmpty()
        && data.cellType(row, col) == CellTypeText && !data.isMerged(row, col);
}

std::vector<CellPainter::RunOn> CellPainter::runOnsOf(const GridData &data, const std::vector<PlacedCell> &cells)
{
    std::vector<RunOn> runOns(cells.size());
    for (size_t i = 0; i < cells.size(); ++i)
        runOns[i].textRight = cells[i].rect.right();
    // Cells come row by row, left to right: a text's neighbours follow it, as long as no column
    // that shows is missing between them.
    const auto adjacent = [&](const PlacedCell &left, const PlacedCell &right) {
        if (right.row != left.row || right.col <= left.col)
            return false;
        for (int col = left.col + 1; col < right.col; ++col)
            if (data.colWidth(col) > 0)
                return false;
        return true;
    };
    const auto spaceAfter = [&](size_t i) {
        return i + 1 < cells.size() && adjacent(cells[i], cells[i + 1])
            && lendsSpace(data, cells[i + 1].row, cells[i + 1].col);
    };
    for (size_t i = 0; i < cells.size(); ++i) {
        // The neighbour first: in a full table it is taken, and the cell need not be looked at.
        if (!spaceAfter(i) || !mayRunOn(data, cells[i].row, cells[i].col))
            continue;
        size_t last = i;
        while (spaceAfter(last))
            ++last;
        runOns[i].textRight = cells[last].rect.right();
        for (size_t k = i; k < last; ++k) {
            runOns[k].openRight = true;
            runOns[k + 1].openLeft = true;
        }
        i = last;
    }
    return runOns;
}

void CellPainter::paintCell(
    QPainter &painter, const GridData &data, int row, int col, const QRectF &rect, const CellPaintOptions &options)
{
    paintCells(painter, data, { PlacedCell { row, col, rect, false } }, options);
}

QString CellPainter::displayText(const GridData &data, int row, int col)
{
    if (col == 0 && row > 0 && data.displayRowIndex()) {
        const int number = data.rowIndex(row);
        return number > 0 ? QString::number(number) : QString();
    }
    if (data.cellType(row, col) == CellTypeCheckBox && !isFixed(row, col))
        return QString();
    const QString text = data.text(row, col);
    if (isFixed(row, col))
        return text;
    return NumberFormat::apply(data.formatString(col), text);
}

QFont CellPainter::fontForPainter(const QFont &font, const QPainter &painter)
{
    // A point is 96/72 grid pixels. The device turns points into its own pixels at its dpi,
    // while cells are laid out in 96 dpi pixels: size the font as a 96 dpi device would. The
    // painter's transform (a page scaled to its printer, a zoomed preview) then enlarges text
    // and cells alike, so it must not be counted here as well.
    const QPaintDevice *device = painter.device();
    const double dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
    QFont sized = font;
    sized.setPointSizeF(font.pointSizeF() * 96.0 / dpi);
    return sized;
}

void CellPainter::paintBackground(
    QPainter &painter, const GridData &data, const PlacedCell &cell, const CellPaintOptions &options)
{
    const QRectF &rect = cell.rect;
    if (rect.isEmpty())
        return;
    const CellStyle &style = data.style(cell.row, cell.col);
    const bool header = isFixed(cell.row, cell.col) && options.fixedAsHeader;
    QColor background = Qt::white;
    if (header)
        background = cell.selected ? HeaderSelected : HeaderBackground;
    else if (style.backColor != CellStyle::NoColor && !options.blackAndWhite)
        background = FromOleColor(style.backColor);
    if (background != options.paper)
        painter.fillRect(rect, background);
    if (cell.selected && !header)
        painter.fillRect(rect, options.selectionTint);
}

void CellPainter::paintContent(QPainter &painter, const GridData &data, const PlacedCell &cell, double textRight,
    const CellPaintOptions &options, TextState &state)
{
    const QRectF &rect = cell.rect;
    if (rect.isEmpty() || !cell.withContent)
        return;
    const int row = cell.row;
    const int col = cell.col;
    const QString key = data.imageKey(row, col);
    const bool checkBox = data.cellType(row, col) == CellTypeCheckBox && !isFixed(row, col);
    const bool arrow = options.dropDownArrows && !isFixed(row, col) && data.cellType(row, col) == CellTypeDropDown;
    const QString text = displayText(data, row, col);
    if (key.isEmpty() && !checkBox && !arrow && text.isEmpty())
        return;
    // Pictures, boxes and arrows are drawn within the cell, so only a text can cross its edges.
    // They leave pens and brushes of their own behind: the next text sets its look afresh.
    if (!key.isEmpty())
        paintPicture(painter, data, key, rect, options);
    if (checkBox)
        paintCheckBox(painter, rect, data.text(row, col) == QLatin1String("1"));
    QRectF textRect = rect.adjusted(2, 1, -2, -1);
    if (arrow)
        textRect.setRight(paintDropDownArrow(painter, rect));
    if (!key.isEmpty() || checkBox || arrow) {
        painter.setBrush(Qt::NoBrush);
        state.style = -1;
        state.color = QColor();
    }
    if (text.isEmpty())
        return;

    const int styleIndex = data.styleIndex(row, col);
    const bool header = isFixed(row, col) && options.fixedAsHeader;
    const CellStyle &style = data.style(row, col);
    // Fonts and pens go to the painter only when the look changes: each change is a state
    // change in a printout.
    if (styleIndex != state.style || header != state.header) {
        const QFont font = fontForPainter(data.effectiveFont(row, col), painter);
        const bool colored = !header && !options.blackAndWhite;
        const QColor color = colored ? FromOleColor(style.foreColor) : QColor(Qt::black);
        if (!state.texts || font != state.font) {
            painter.setFont(font);
            state.font = font;
            state.texts = &shapedTexts(painter.font(), painter.device());
        }
        if (color != state.color) {
            painter.setPen(color);
            state.color = color;
        }
        state.style = styleIndex;
        state.header = header;
    }
    const Qt::Alignment flags = alignmentFlags(data.effectiveAlignment(row, col));
    if (textRight > rect.right())
        textRect.setRight(textRight - 2);
    // A single line that fits needs no clip: it cannot reach past its box. Anything else is
    // cut at the cell (or where its run over empty neighbours ends).
    const QRectF clip(rect.topLeft(), QPointF(std::max(textRight, rect.right()), rect.bottom()));
    if (!style.wrap && isPlainLine(text)) {
        const ShapedTexts::Line &line = state.texts->line(text);
        const bool fits = line.advance <= textRect.width() && line.height <= textRect.height();
        if (fits && !state.glyphs) {
            painter.drawText(textRect, int(flags) | Qt::TextSingleLine | Qt::TextDontClip, text);
            return;
        }
        if (state.glyphs) {
            // Placed as the painter places a line of text in a box.
            double x = textRect.left();
            if (flags & Qt::AlignRight)
                x = textRect.right() - line.advance;
            else if (flags & Qt::AlignHCenter)
                x = textRect.left() + (textRect.width() - line.advance) / 2;
            double y = textRect.top();
            if (flags & Qt::AlignBottom)
                y = textRect.bottom() - line.height;
            else if (flags & Qt::AlignVCenter)
                y = textRect.top() + (textRect.height() - line.height) / 2;
            PdfTexts::drawGlyphs(painter, QPointF(x, y), line.glyphs, text, fits ? nullptr : &clip);
            return;
        }
    }
    const int wrap = style.wrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    PdfTexts::drawText(painter, textRect, int(flags) | wrap, text, &clip);
}

void CellPainter::addLines(
    Lines &lines, const GridData &data, const PlacedCell &cell, const RunOn &runOn, const CellPaintOptions &options)
{
    const QRectF &rect = cell.rect;
    if (rect.isEmpty())
        return;
    const CellRange block = data.mergeAt(cell.row, cell.col);
    const CellRange shown = cell.part.isEmpty() ? block : cell.part;
    const bool header = isFixed(cell.row, cell.col) && options.fixedAsHeader;
    const auto line = [](LineSet &set, QPointF from, QPointF to) { set.add(from, to); };
    if (header) {
        lines.header.addRect(rect);
    } else if (options.gridlines) {
        if (!runOn.openLeft && !runOn.openRight) {
            lines.grid.addRect(rect);
        } else {
            line(lines.grid, rect.topLeft(), rect.topRight());
            line(lines.grid, rect.bottomLeft(), rect.bottomRight());
            if (!runOn.openLeft)
                line(lines.grid, rect.topLeft(), rect.bottomLeft());
            if (!runOn.openRight)
                line(lines.grid, rect.topRight(), rect.bottomRight());
        }
    }
    const auto xs = edges(shown.col1, shown.col2, rect.left(), rect.width(), [&](int c) { return data.colLeft(c); });
    const auto ys = edges(shown.row1, shown.row2, rect.top(), rect.height(), [&](int r) { return data.rowTop(r); });
    const auto segment = [&](int lineStyle, QPointF from, QPointF to) {
        if (lineStyle != LineNone)
            line(lineStyle == LineThick ? lines.thick : lines.thin, from, to);
    };
    for (int c = shown.col1; c <= shown.col2; ++c) {
        const double x1 = xs[size_t(c - shown.col1)];
        const double x2 = xs[size_t(c - shown.col1 + 1)];
        segment(data.style(shown.row1, c).lines[LineTop], { x1, rect.top() }, { x2, rect.top() });
        segment(data.style(shown.row2, c).lines[LineBottom], { x1, rect.bottom() }, { x2, rect.bottom() });
    }
    for (int r = shown.row1; r <= shown.row2; ++r) {
        const double y1 = ys[size_t(r - shown.row1)];
        const double y2 = ys[size_t(r - shown.row1 + 1)];
        segment(data.style(r, shown.col1).lines[LineLeft], { rect.left(), y1 }, { rect.left(), y2 });
        segment(data.style(r, shown.col2).lines[LineRight], { rect.right(), y1 }, { rect.right(), y2 });
    }
    // Diagonals cross the whole block; a part of one cannot show them truthfully.
    if (shown == block) {
        const CellStyle &master = data.style(block.row1, block.col1);
        segment(master.lines[LineDiagonalUp], rect.bottomLeft(), rect.topRight());
        segment(master.lines[LineDiagonalDown], rect.topLeft(), rect.bottomRight());
    }
}
