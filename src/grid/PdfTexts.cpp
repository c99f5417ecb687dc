#include "PdfTexts.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

thread_local PdfTexts::Log *current = nullptr;

int fontIndex(PdfTexts::Log &log, const QRawFont &font)
{
    for (size_t i = 0; i < log.fonts.size(); ++i)
        if (log.fonts[i] == font)
            return int(i);
    log.fonts.push_back(font);
    log.introduced.emplace_back();
    return int(log.fonts.size() - 1);
}

// The lines of a text laid out in a box as QPainter::drawText lays them out, each with its
// glyphs placed from the box's top left.
struct Laid {
    struct Line {
        QString text;
        QList<QGlyphRun> glyphs;
    };
    std::vector<Line> lines;
};

Laid layOut(const QFont &font, QPaintDevice *device, QSizeF box, int flags, const QString &text)
{
    const bool singleLine = flags & Qt::TextSingleLine;
    QString shown = text;
    for (QChar &c : shown) {
        if (c == u'\n' || c == QChar::LineSeparator)
            c = singleLine ? QChar(u' ') : QChar(QChar::LineSeparator);
        else if (c == u'\t' && !(flags & Qt::TextExpandTabs))
            c = u' ';
    }
    QTextLayout layout(shown, font, device);
    QTextOption option;
    const bool wrap = flags & (Qt::TextWordWrap | Qt::TextWrapAnywhere);
    option.setWrapMode(flags & Qt::TextWordWrap
            ? QTextOption::WordWrap
            : (flags & Qt::TextWrapAnywhere ? QTextOption::WrapAnywhere : QTextOption::ManualWrap));
    if (!wrap)
        option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    const double leading = QFontMetricsF(font, device).leading();
    double height = -leading;
    double width = 0;
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(wrap ? std::max(0.0, box.width()) : 0x01000000);
        height += leading;
        // Lines stand on whole pixels.
        height = std::ceil(height);
        line.setPosition(QPointF(0, height));
        height += line.ascent() + line.descent();
        width = std::max(width, line.naturalTextWidth());
        if (!(flags & Qt::TextDontClip) && height >= box.height())
            break;
    }
    layout.endLayout();
    double top = 0;
    if (flags & Qt::AlignBottom)
        top = box.height() - height;
    else if (flags & Qt::AlignVCenter)
        top = (box.height() - height) / 2;
    Laid laid;
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const double advance = line.horizontalAdvance();
        double left = 0;
        if (flags & Qt::AlignRight)
            left = box.width() - advance;
        else if (flags & Qt::AlignHCenter)
            left = (box.width() - advance) / 2;
        QList<QGlyphRun> glyphs = line.glyphRuns();
        for (QGlyphRun &run : glyphs) {
            QList<QPointF> positions = run.positions();
            for (QPointF &p : positions)
                p += QPointF(left, top);
            run.setPositions(positions);
        }
        laid.lines.push_back({ shown.mid(line.textStart(), line.textLength()), glyphs });
    }
    return laid;
}

// Texts laid out in boxes, kept from page to page: a list's header cells wrap the same words
// on every page.
const Laid &laidOut(const QFont &font, QPaintDevice *device, QSizeF box, int flags, const QString &text)
{
    thread_local QHash<QString, Laid> kept;
    const QString key = QStringLiteral("%1\x1f%2\x1f%3\x1f%4\x1f%5\x1f%6")
                            .arg(font.key())
                            .arg(device->logicalDpiY())
                            .arg(box.width(), 0, 'g', 17)
                            .arg(box.height(), 0, 'g', 17)
                            .arg(flags)
                            .arg(text);
    if (const auto found = kept.constFind(key); found != kept.constEnd())
        return found.value();
    if (kept.size() > 500)
        kept.clear();
    return kept.insert(key, layOut(font, device, box, flags, text)).value();
}

} // namespace

PdfTexts::Recording::Recording()
    : m_outer(current)
{
    current = &m_log;
}

PdfTexts::Recording::~Recording()
{
    current = m_outer;
}

void PdfTexts::drawGlyphs(QPainter &painter, QPointF origin, const QList<QGlyphRun> &runs, const QString &text)
{
    Log *log = current;
    const QTransform transform = painter.worldTransform();
    const QPaintEngine *engine = painter.paintEngine();
    const bool decorated = std::any_of(runs.begin(), runs.end(),
        [](const QGlyphRun &run) { return run.underline() || run.overline() || run.strikeOut(); });
    if (!log || !engine || engine->type() != QPaintEngine::Pdf || transform.type() > QTransform::TxTranslate
        || decorated) {
        for (const QGlyphRun &run : runs)
            painter.drawGlyphRun(origin, run);
        return;
    }
    if (painter.pen().style() == Qt::NoPen)
        return;
    Text drawn;
    drawn.page = log->page;
    drawn.text = text;
    drawn.color = painter.pen().color().rgb();
    if (painter.hasClipping())
        drawn.clip = transform.mapRect(painter.clipBoundingRect());
    drawn.firstRun = log->runs.size();
    const QPointF at = transform.map(origin);
    for (const QGlyphRun &run : runs) {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        if (glyphs.isEmpty() || positions.size() != glyphs.size())
            continue;
        Run kept;
        kept.font = fontIndex(*log, run.rawFont());
        kept.first = log->glyphs.size();
        kept.count = size_t(glyphs.size());
        std::vector<char> &introduced = log->introduced[size_t(kept.font)];
        QList<quint32> fresh;
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            const quint32 glyph = glyphs[i];
            log->glyphs.push_back(glyph);
            // Qt places glyphs on a grid of 1/64 unit, cutting off the rest.
            const QPointF place = at + positions[i];
            log->positions.emplace_back(std::trunc(place.x() * 64) / 64, std::trunc(place.y() * 64) / 64);
            if (glyph >= introduced.size())
                introduced.resize(std::max<size_t>(glyph + 1, 2 * introduced.size()), 0);
            if (!introduced[glyph]) {
                introduced[glyph] = 1;
                fresh.append(glyph);
            }
        }
        if (!fresh.isEmpty()) {
            // Shown to Qt off the paper, all at one place, so that it embeds them.
            QGlyphRun shown = run;
            shown.setGlyphIndexes(fresh);
            shown.setPositions(QList<QPointF>(fresh.size(), QPointF(0, 0)));
            painter.drawGlyphRun(QPointF(OffPaper, OffPaper) - QPointF(transform.dx(), transform.dy()), shown);
            log->introductions.push_back({ log->page, kept.font, std::vector<quint32>(fresh.begin(), fresh.end()) });
        }
        log->runs.push_back(kept);
    }
    drawn.runCount = log->runs.size() - drawn.firstRun;
    if (drawn.runCount > 0)
        log->texts.push_back(std::move(drawn));
}

void PdfTexts::drawText(QPainter &painter, const QRectF &rect, int flags, const QString &text)
{
    const QPaintEngine *engine = painter.paintEngine();
    if (!current || !engine || engine->type() != QPaintEngine::Pdf || !painter.device()) {
        painter.drawText(rect, flags, text);
        return;
    }
    const Laid &laid = laidOut(painter.font(), painter.device(), rect.size(), flags, text);
    for (const Laid::Line &line : laid.lines)
        drawGlyphs(painter, rect.topLeft(), line.glyphs, line.text);
}
