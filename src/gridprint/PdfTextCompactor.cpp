#include "PdfTextCompactor.h"

#include <zlib.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

namespace {

// One text as Qt wrote it, between its "q" and its "Q".
struct Parsed {
    QByteArrayView state; // the lines between "q" and "BT", newlines included
    QByteArrayView fontLine; // "/F7 16 Tf 1 0 0 -1 0 0 Tm", without its newline
    QByteArrayView fontName;
    double size = 0;
    struct Glyph {
        double x;
        double y;
        QByteArrayView hex; // four hex digits
        unsigned id;
    };
    std::vector<Glyph> glyphs;
    // Where Qt draws the glyphs again to make them bold, from where it drew them; 0: it does not.
    double emboldenedBy = 0;
    qsizetype end = 0; // just past the closing "Q\n"
};

class Lines {
public:
    Lines(QByteArrayView text, qsizetype at)
        : m_text(text)
        , m_at(at)
    {
    }
    // The next line without its newline; nullopt at the end or before an unfinished line.
    std::optional<QByteArrayView> next()
    {
        const qsizetype newline = m_text.indexOf('\n', m_at);
        if (newline < 0)
            return std::nullopt;
        const QByteArrayView line = m_text.sliced(m_at, newline - m_at);
        m_at = newline + 1;
        return line;
    }
    qsizetype at() const { return m_at; }

private:
    QByteArrayView m_text;
    qsizetype m_at;
};

std::optional<double> number(QByteArrayView token)
{
    double value = 0;
    const auto [end, error] = std::from_chars(token.begin(), token.end(), value);
    if (error != std::errc() || end != token.end() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// "x y Td <hhhh> Tj"
bool parseGlyphLine(QByteArrayView line, double &dx, double &dy, QByteArrayView &hex)
{
    if (!line.endsWith("> Tj"))
        return false;
    const qsizetype space1 = line.indexOf(' ');
    const qsizetype space2 = space1 < 0 ? -1 : line.indexOf(' ', space1 + 1);
    if (space2 < 0 || line.sliced(space2).size() != 13 || !line.sliced(space2).startsWith(" Td <"))
        return false;
    const std::optional<double> x = number(line.first(space1));
    const std::optional<double> y = number(line.sliced(space1 + 1, space2 - space1 - 1));
    if (!x || !y)
        return false;
    dx = *x;
    dy = *y;
    hex = line.sliced(space2 + 5, 4);
    return true;
}

std::optional<unsigned> glyphNumber(QByteArrayView hex)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(hex.begin(), hex.end(), value, 16);
    if (error != std::errc() || end != hex.end())
        return std::nullopt;
    return value;
}

// "/F7 16 Tf 1 0 0 -1 0 0 Tm": the font and its size.
bool parseFontLine(QByteArrayView line, Parsed &text)
{
    if (!line.startsWith('/') || !line.endsWith(" Tm"))
        return false;
    const qsizetype space1 = line.indexOf(' ');
    const qsizetype space2 = space1 < 0 ? -1 : line.indexOf(' ', space1 + 1);
    if (space2 < 0 || !line.sliced(space2).startsWith(" Tf "))
        return false;
    const std::optional<double> size = number(line.sliced(space1 + 1, space2 - space1 - 1));
    if (!size || *size <= 0)
        return false;
    text.fontLine = line;
    text.fontName = line.sliced(1, space1 - 1);
    text.size = *size;
    return true;
}

// Operators in the state lines that would move glyphs off their advances.
bool spacesGlyphs(QByteArrayView state)
{
    for (const char *op : { " Tc", " Tw", " Tz", " TL", "BT", "ET" })
        if (state.contains(op))
            return true;
    return false;
}

// Reads one text starting at `at`, or nullopt when what stands there is anything else.
std::optional<Parsed> parseText(QByteArrayView content, qsizetype at)
{
    Lines lines(content, at);
    if (lines.next() != QByteArrayView("q"))
        return std::nullopt;
    Parsed text;
    const qsizetype stateStart = lines.at();
    qsizetype stateEnd = stateStart;
    for (int count = 0;; ++count) {
        const std::optional<QByteArrayView> line = lines.next();
        if (!line || count > 4 || *line == "q" || *line == "Q")
            return std::nullopt;
        if (*line == "BT")
            break;
        stateEnd = lines.at();
    }
    text.state = content.sliced(stateStart, stateEnd - stateStart);
    if (spacesGlyphs(text.state))
        return std::nullopt;
    const std::optional<QByteArrayView> font = lines.next();
    if (!font || !parseFontLine(*font, text))
        return std::nullopt;
    double x = 0;
    double y = 0;
    // A font Qt makes bold itself: its glyphs again, from the start, a hair aside and read as
    // nothing.
    std::optional<size_t> again;
    double againX = 0;
    for (;;) {
        const std::optional<QByteArrayView> line = lines.next();
        if (!line)
            return std::nullopt;
        if (*line == "ET")
            break;
        if (!again && !text.glyphs.empty() && text.fontLine.endsWith(" " + line->toByteArray())) {
            if (lines.next() != QByteArrayView("/Span << /ActualText <> >> BDC"))
                return std::nullopt;
            again = 0;
            x = 0;
            y = 0;
            continue;
        }
        if (again && *line == "EMC") {
            if (*again != text.glyphs.size())
                return std::nullopt;
            text.emboldenedBy = againX - text.glyphs.front().x;
            continue;
        }
        double dx = 0;
        double dy = 0;
        QByteArrayView hex;
        if (!parseGlyphLine(*line, dx, dy, hex))
            return std::nullopt;
        if (again) {
            x += dx;
            y += dy;
            if (*again >= text.glyphs.size() || hex != text.glyphs[*again].hex || y != text.glyphs[*again].y)
                return std::nullopt;
            if ((*again)++ == 0)
                againX = x;
            continue;
        }
        // Glyphs after the first stay on its baseline.
        if (!text.glyphs.empty() && dy != 0)
            return std::nullopt;
        const std::optional<unsigned> id = glyphNumber(hex);
        if (!id)
            return std::nullopt;
        x += dx;
        y += dy;
        text.glyphs.push_back({ x, y, hex, *id });
    }
    if (text.glyphs.empty() || lines.next() != QByteArrayView("Q"))
        return std::nullopt;
    text.end = lines.at();
    return text;
}

// Positions are written in thousandths of a unit, which no printer can show.
std::int64_t milli(double value)
{
    return std::llround(value * 1000);
}

void appendMilli(QByteArray &out, std::int64_t value)
{
    if (value < 0) {
        out += '-';
        value = -value;
    }
    char digits[24];
    const auto whole = std::to_chars(digits, digits + sizeof digits, value / 1000).ptr;
    out.append(digits, whole - digits);
    if (int fraction = int(value % 1000); fraction != 0) {
        char decimals[4] = { '.', char('0' + fraction / 100), char('0' + fraction / 10 % 10), char('0' + fraction % 10) };
        qsizetype length = 4;
        while (decimals[length - 1] == '0')
            --length;
        out.append(decimals, length);
    }
}

void appendInt(QByteArray &out, long value)
{
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
}

void appendHex4(QByteArray &out, unsigned value)
{
    static const char digits[] = "0123456789ABCDEF";
    const char hex[4] = { digits[(value >> 12) & 15], digits[(value >> 8) & 15], digits[(value >> 4) & 15],
        digits[value & 15] };
    out.append(hex, 4);
}

void appendRect(QByteArray &out, const QRectF &rect)
{
    for (double value : { rect.x(), rect.y(), rect.width(), rect.height() }) {
        appendMilli(out, milli(value));
        out += ' ';
    }
    out += "re W n\n";
}

// Writes texts into text objects, keeping one open while the texts share colour and clip.
class Writer {
public:
    explicit Writer(QByteArray &out)
        : m_out(out)
    {
    }

    void add(const PdfTextCompactor::Text &text)
    {
        if (!m_open || text.color != m_color || text.clip != m_clip) {
            close();
            m_out += "q\n";
            if (!text.clip.isNull())
                appendRect(m_out, text.clip);
            m_out += text.color;
            m_out += "\nBT\n";
            m_open = true;
            m_color = text.color;
            m_clip = text.clip;
            m_font = nullptr;
        }
        if (!text.actualText.isEmpty()) {
            m_out += "/Span<</ActualText<FEFF";
            for (const QChar c : text.actualText)
                appendHex4(m_out, c.unicode());
            m_out += ">>>BDC\n";
        }
        for (const PdfTextCompactor::Run &run : text.runs)
            add(run);
        if (!text.actualText.isEmpty())
            m_out += "EMC\n";
    }

    void close()
    {
        if (m_open)
            m_out += "ET\nQ\n";
        m_open = false;
    }

private:
    void add(const PdfTextCompactor::Run &run)
    {
        if (run.glyphs.empty())
            return;
        add(run, 0);
        // Made bold as Qt makes bold a font that has no bold: drawn again a hair aside, read as
        // nothing.
        if (const double by = run.font->emboldenedBy; by != 0) {
            m_out += "/Span<</ActualText<>>>BDC\n";
            add(run, by);
            m_out += "EMC\n";
        }
    }

    // The run with its glyphs moved `aside` along the line.
    void add(const PdfTextCompactor::Run &run, double aside)
    {
        const PdfTextCompactor::Font &font = *run.font;
        if (!m_font || font.name != m_font->name || font.size != m_font->size || font.slanted != m_font->slanted) {
            m_out += '/';
            m_out += font.name;
            m_out += ' ';
            appendMilli(m_out, milli(font.size));
            // Text space is device space turned upright, as Qt has it.
            m_out += font.slanted ? " Tf 1 0 .3 -1 0 0 Tm\n" : " Tf 1 0 0 -1 0 0 Tm\n";
            m_font = &font;
            m_x = 0;
            m_y = 0;
        }
        // The start of the run, from the start of the last (where the line matrix stands).
        // A slanted text space leans its x by a third of y: glyphs keep their places.
        const double slant = font.slanted ? PdfTextCompactor::Slant : 0;
        const auto xOf = [slant, aside](const PdfTextCompactor::Glyph &glyph) {
            return glyph.x + slant * glyph.y + aside;
        };
        const std::int64_t x = milli(xOf(run.glyphs.front()));
        const std::int64_t y = -milli(run.glyphs.front().y);
        appendMilli(m_out, x - m_x);
        m_out += ' ';
        appendMilli(m_out, y - m_y);
        m_out += " Td ";
        m_x = x;
        m_y = y;

        // The glyphs, each moved only where the font's advance would put it off its place; a
        // glyph off the baseline starts a run of its own.
        const double emPerUnit = 1000 / font.size;
        double pen = double(x) / 1000;
        m_glyphs.clear();
        m_glyphs += '<';
        bool moved = false;
        for (size_t i = 0; i < run.glyphs.size(); ++i) {
            const PdfTextCompactor::Glyph &glyph = run.glyphs[i];
            if (i > 0) {
                if (-milli(glyph.y) != y) {
                    finish(moved);
                    PdfTextCompactor::Run rest { run.font, { run.glyphs.begin() + qsizetype(i), run.glyphs.end() } };
                    add(rest, aside);
                    return;
                }
                const PdfTextCompactor::Glyph &last = run.glyphs[i - 1];
                pen += (last.width >= 0 ? last.width : font.widths->of(last.code)) / emPerUnit;
                const double drift = (pen - xOf(glyph)) * emPerUnit;
                if (std::abs(drift) >= PdfTextCompactor::Tolerance) {
                    const long move = std::lround(drift);
                    m_glyphs += "> ";
                    appendInt(m_glyphs, move);
                    m_glyphs += " <";
                    pen -= double(move) / emPerUnit;
                    moved = true;
                }
            }
            appendHex4(m_glyphs, glyph.code);
        }
        finish(moved);
    }

    void finish(bool moved)
    {
        m_glyphs += '>';
        if (moved) {
            m_out += '[';
            m_out += m_glyphs;
            m_out += "] TJ\n";
        } else {
            m_out += m_glyphs;
            m_out += " Tj\n";
        }
        m_glyphs.clear();
        m_glyphs += '<';
    }

    QByteArray &m_out;
    QByteArray m_glyphs;
    bool m_open = false;
    QByteArray m_color;
    QRectF m_clip;
    const PdfTextCompactor::Font *m_font = nullptr;
    std::int64_t m_x = 0; // where the line matrix stands, in thousandths
    std::int64_t m_y = 0;
};

} // namespace

QByteArray PdfTextCompactor::write(const Text *begin, const Text *end)
{
    QByteArray out;
    Writer writer(out);
    for (const Text *text = begin; text != end; ++text)
        writer.add(*text);
    writer.close();
    return out;
}

QByteArray PdfTextCompactor::deflate(const QByteArray &content)
{
    // One stream a thread, reset for each content rather than set up anew (which clears a
    // quarter of a megabyte). Level 3: nearly as small as the default, in half the time.
    struct Stream {
        z_stream z {};
        bool ready = deflateInit(&z, 3) == Z_OK;
        ~Stream()
        {
            if (ready)
                deflateEnd(&z);
        }
    };
    thread_local Stream stream;
    QByteArray out;
    if (stream.ready && deflateReset(&stream.z) == Z_OK) {
        out.resize(qsizetype(deflateBound(&stream.z, uLong(content.size()))));
        stream.z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(content.constData()));
        stream.z.avail_in = uInt(content.size());
        stream.z.next_out = reinterpret_cast<Bytef *>(out.data());
        stream.z.avail_out = uInt(out.size());
        if (::deflate(&stream.z, Z_FINISH) == Z_STREAM_END) {
            // Kept until the part is joined: no more room than the bytes take.
            out.truncate(qsizetype(stream.z.total_out));
            out.squeeze();
            return out;
        }
    }
    // qCompress puts the length before the zlib stream.
    return qCompress(content, 3).sliced(4);
}

std::vector<PdfTextCompactor::QtText> PdfTextCompactor::readQtTexts(QByteArrayView content)
{
    std::vector<QtText> texts;
    qsizetype at = 0;
    while (at < content.size()) {
        if (content[at] == 'q') {
            if (const std::optional<Parsed> parsed = parseText(content, at)) {
                QtText text;
                text.fontName = parsed->fontName.toByteArray();
                text.fontLine = parsed->fontLine.toByteArray();
                text.size = parsed->size;
                text.emboldenedBy = parsed->emboldenedBy;
                text.x = parsed->glyphs.front().x;
                text.y = parsed->glyphs.front().y;
                for (const Parsed::Glyph &glyph : parsed->glyphs)
                    text.codes.push_back(glyph.id);
                texts.push_back(std::move(text));
                at = parsed->end;
                continue;
            }
        }
        const qsizetype newline = content.indexOf('\n', at);
        at = newline < 0 ? content.size() : newline + 1;
    }
    return texts;
}
