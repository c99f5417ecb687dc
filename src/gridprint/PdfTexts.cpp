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
struct LaidKey {
    QFont font;
    int dpi = 0;
    QSizeF box;
    int flags = 0;
    QString text;
    bool operator==(const LaidKey &other) const
    {
        return dpi == other.dpi && box == other.box && flags == other.flags && text == other.text
            && font == other.font;
    }
};

size_t qHash(const LaidKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.text, key.flags, key.box.width(), key.box.height(), key.dpi);
}

const Laid &laidOut(const QFont &font, QPaintDevice *device, QSizeF box, int flags, const QString &text)
{
    thread_local QHash<LaidKey, Laid> kept;
    LaidKey key { font, device->logicalDpiY(), box, flags, text };
    if (const auto found = kept.constFind(key); found != kept.constEnd())
        return found.value();
    if (kept.size() > 500)
        kept.clear();
    return kept.insert(std::move(key), layOut(font, device, box, flags, text)).value();
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

void PdfTexts::Recording::endPage()
{
    Log &log = m_log;
    const QByteArray content = PdfTextCompactor::write(log.texts.data(), log.texts.data() + log.texts.size());
    log.pages.push_back(content.isEmpty() ? QByteArray() : PdfTextCompactor::deflate(content));
    std::vector<int> used;
    for (size_t font = 0; font < log.fontsUsed.size(); ++font)
        if (log.fontsUsed[font])
            used.push_back(int(font));
    log.pageFonts.push_back(std::move(used));
    log.texts.clear();
    log.fontsUsed.assign(log.fontsUsed.size(), 0);
}

namespace {

QByteArray fillOf(QRgb color)
{
    QByteArray fill;
    for (int channel : { qRed(color), qGreen(color), qBlue(color) })
        fill += QByteArray::number(channel / 255.0, 'g', 3) + ' ';
    return fill + "rg";
}

// The log's font for a typeface at a size, made on first use.
int fontOf(PdfTexts::Log &log, const QRawFont &raw)
{
    for (size_t i = log.fonts.size(); i-- > 0;)
        if (log.fonts[i]->raw == raw)
            return int(i);
    auto font = std::make_unique<PdfTexts::Font>();
    font->raw = raw;
    // One typeface at every size: its widths in thousandths of an em, as designed.
    const auto sameFace = [&raw](const std::unique_ptr<PdfTexts::Face> &face) {
        return face->design.familyName() == raw.familyName() && face->design.styleName() == raw.styleName()
            && face->design.weight() == raw.weight() && face->design.style() == raw.style();
    };
    auto face = std::find_if(log.faces.begin(), log.faces.end(), sameFace);
    if (face == log.faces.end()) {
        auto made = std::make_unique<PdfTexts::Face>();
        made->design = raw;
        made->design.setPixelSize(raw.unitsPerEm());
        log.faces.push_back(std::move(made));
        face = log.faces.end() - 1;
    }
    font->face = int(face - log.faces.begin());
    font->written.name = "K" + QByteArray::number(qsizetype(log.fonts.size()));
    // Qt slants a typeface asked for in italic that has none (a Chinese one), as FreeType
    // tells it from the face's OS/2 or head table.
    const QByteArray os2 = raw.fontTable("OS/2");
    const QByteArray head = raw.fontTable("head");
    const auto word = [](const QByteArray &table, int at) {
        return table.size() >= at + 2 ? (uchar(table[at]) << 8) | uchar(table[at + 1]) : 0;
    };
    const bool italicFace = os2.size() >= 64 ? (word(os2, 62) & 0x201) != 0 : (word(head, 44) & 2) != 0;
    font->written.slanted = raw.style() != QFont::StyleNormal && !italicFace;
    // It makes bold one asked for in bold that has none, proportional, light enough and not too
    // big, drawing it twice half a line's thickness apart.
    const QByteArray post = raw.fontTable("post");
    const bool boldFace = os2.size() >= 64 ? (word(os2, 62) & 0x20) != 0 : (word(head, 44) & 1) != 0;
    const bool fixedPitch = post.size() >= 16 && (word(post, 12) | word(post, 14)) != 0;
    if (raw.weight() >= QFont::Bold && !boldFace && !fixedPitch && os2.size() >= 6 && word(os2, 4) < 700
        && raw.pixelSize() < 64)
        font->written.emboldenedBy = -0.5 * raw.lineThickness();
    font->written.size = raw.pixelSize();
    log.fonts.push_back(std::move(font));
    log.fontsUsed.resize(log.fonts.size(), 0);
    return int(log.fonts.size() - 1);
}

// Gives the glyphs not drawn before their design widths.
void measure(PdfTexts::Face &face, const QList<quint32> &glyphs)
{
    if (glyphs.isEmpty())
        return;
    const QList<QPointF> advances = face.design.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
    for (qsizetype i = 0; i < glyphs.size() && i < advances.size(); ++i)
        face.widths.at(glyphs[i]) = float(std::round(advances[i].x() * 1000 / face.design.unitsPerEm()));
}

// The lines Qt would draw under, over or through a run of glyphs.
void drawDecorations(QPainter &painter, QPointF origin, const QGlyphRun &run)
{
    const QRawFont font = run.rawFont();
    const QList<QPointF> positions = run.positions();
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> last = font.advancesForGlyphIndexes(QList<quint32> { glyphs.back() });
    const double left = origin.x() + positions.front().x();
    const double right = origin.x() + positions.back().x() + (last.isEmpty() ? 0 : last.front().x());
    const double baseline = origin.y() + positions.front().y();
    painter.save();
    QPen pen(painter.pen().color(), std::max(1.0, font.lineThickness()), Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    if (run.underline())
        painter.drawLine(QPointF(left, baseline + font.underlinePosition()),
            QPointF(right, baseline + font.underlinePosition()));
    if (run.overline())
        painter.drawLine(QPointF(left, baseline - font.ascent()), QPointF(right, baseline - font.ascent()));
    if (run.strikeOut())
        painter.drawLine(QPointF(left, baseline - font.ascent() / 3), QPointF(right, baseline - font.ascent() / 3));
    painter.restore();
}

} // namespace

void PdfTexts::drawGlyphs(
    QPainter &painter, QPointF origin, const QList<QGlyphRun> &runs, const QString &text, const QRectF *clip)
{
    Log *log = current;
    const QTransform transform = painter.worldTransform();
    const QPaintEngine *engine = painter.paintEngine();
    if (!log || !engine || engine->type() != QPaintEngine::Pdf || transform.type() > QTransform::TxTranslate) {
        if (log && engine && engine->type() == QPaintEngine::Pdf)
            log->drawnByQt = true;
        if (clip) {
            painter.save();
            painter.setClipRect(*clip, Qt::IntersectClip);
        }
        for (const QGlyphRun &run : runs)
            painter.drawGlyphRun(origin, run);
        if (clip)
            painter.restore();
        return;
    }
    if (painter.pen().style() == Qt::NoPen)
        return;
    PdfTextCompactor::Text drawn;
    const QRgb color = painter.pen().color().rgb();
    if (log->lastFill.isEmpty() || color != log->lastColor) {
        log->lastColor = color;
        log->lastFill = fillOf(color);
    }
    drawn.color = log->lastFill;
    if (painter.hasClipping())
        drawn.clip = transform.mapRect(painter.clipBoundingRect());
    if (clip)
        drawn.clip = drawn.clip.isNull() ? transform.mapRect(*clip) : drawn.clip & transform.mapRect(*clip);
    const QPointF at = transform.map(origin);
    // Glyphs left to right, a glyph a character, read back through the fonts.
    qsizetype character = 0;
    bool readsBack = true;
    for (const QGlyphRun &run : runs) {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        if (glyphs.isEmpty() || positions.size() != glyphs.size())
            continue;
        const int index = fontOf(*log, run.rawFont());
        Font &font = *log->fonts[size_t(index)];
        Face &face = *log->faces[size_t(font.face)];
        log->fontsUsed[size_t(index)] = 1;
        PdfTextCompactor::Run written { &font.written, {} };
        written.glyphs.reserve(size_t(glyphs.size()));
        QList<quint32> fresh;
        QList<quint32> unmeasured;
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            const quint32 glyph = glyphs[i];
            if (glyph > 0xFFFF) {
                log->drawnByQt = true;
                painter.drawGlyphRun(origin, run);
                return;
            }
            // Qt places glyphs on a grid of 1/64 unit, cutting off the rest.
            const QPointF place = at + positions[i];
            written.glyphs.push_back({ std::trunc(place.x() * 64) / 64, std::trunc(place.y() * 64) / 64, glyph });
            if (char &introduced = font.introduced.at(glyph); !introduced) {
                introduced = 1;
                fresh.append(glyph);
            }
            if (face.widths[glyph] < 0)
                unmeasured.append(glyph);
            if (!readsBack)
                continue;
            if (character >= text.size()) {
                readsBack = false;
                continue;
            }
            char32_t shown = text[character++].unicode();
            if (QChar::isHighSurrogate(shown) && character < text.size() && text[character].isLowSurrogate())
                shown = QChar::surrogateToUcs4(char16_t(shown), text[character++].unicode());
            if (QChar::direction(shown) == QChar::DirR || QChar::direction(shown) == QChar::DirAL) {
                readsBack = false;
                continue;
            }
            char32_t &drawnAs = face.drawnAs.at(glyph);
            if (drawnAs == 0)
                drawnAs = shown;
            readsBack = drawnAs == shown;
        }
        measure(face, unmeasured);
        for (PdfTextCompactor::Glyph &glyph : written.glyphs)
            glyph.width = face.widths[glyph.code];
        if (!fresh.isEmpty()) {
            // Shown to Qt off the paper, all at one place, so that it embeds them.
            QGlyphRun shown = run;
            shown.setGlyphIndexes(fresh);
            shown.setPositions(QList<QPointF>(fresh.size(), QPointF(0, 0)));
            shown.setUnderline(false);
            shown.setOverline(false);
            shown.setStrikeOut(false);
            painter.drawGlyphRun(QPointF(OffPaper, OffPaper) - QPointF(transform.dx(), transform.dy()), shown);
            log->introductions.push_back(
                { int(log->pages.size()), index, std::vector<quint32>(fresh.begin(), fresh.end()) });
        }
        if (run.underline() || run.overline() || run.strikeOut())
            drawDecorations(painter, origin, run);
        drawn.runs.push_back(std::move(written));
    }
    if (drawn.runs.empty())
        return;
    if (!readsBack || character != text.size())
        drawn.actualText = text;
    log->texts.push_back(std::move(drawn));
}

void PdfTexts::drawText(QPainter &painter, const QRectF &rect, int flags, const QString &text, const QRectF *clip)
{
    const QPaintEngine *engine = painter.paintEngine();
    if (!current || !engine || engine->type() != QPaintEngine::Pdf || !painter.device()) {
        if (clip) {
            painter.save();
            painter.setClipRect(*clip, Qt::IntersectClip);
        }
        painter.drawText(rect, flags, text);
        if (clip)
            painter.restore();
        return;
    }
    const Laid &laid = laidOut(painter.font(), painter.device(), rect.size(), flags, text);
    for (const Laid::Line &line : laid.lines)
        drawGlyphs(painter, rect.topLeft(), line.glyphs, line.text, clip);
}
