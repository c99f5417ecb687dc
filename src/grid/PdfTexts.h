#pragma once

#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
#include <QRgb>
#include <QString>

#include <vector>

class QPainter;

// The texts a thread draws onto a PDF, kept for the program to write into the file itself
// (see PdfJoin): compactly, and each with the characters it stands for.
//
// Qt's PDF writer places every glyph with operators of its own, compresses all that, and its
// character maps read a glyph back as the lowest code point the font gives it (女 as the
// radical ⼥, a blank as a tab) or as nothing. While a recording is open on a thread, texts drawn
// through here reach Qt only as each glyph the first time it is used, drawn off the paper so
// that Qt embeds it in its font; the texts themselves are kept in the log. Without a recording,
// or on any other device, they are drawn as Qt draws them.
class PdfTexts {
public:
    // Glyphs of one font: the log's glyphs and positions from `first` on, each at its place on
    // the page in device units.
    struct Run {
        int font = 0; // in Log::fonts
        size_t first = 0;
        size_t count = 0;
    };
    // One line of text as drawn: its runs (more than one where the font falls back), the log's
    // runs from `firstRun` on, and the characters they stand for.
    struct Text {
        int page = 0;
        QString text;
        size_t firstRun = 0;
        size_t runCount = 0;
        QRgb color = 0xFF000000;
        QRectF clip; // in device units; null when the text is not clipped
    };
    // Glyphs handed to Qt, in the order Qt met them, so that the codes Qt gave them can be read
    // back from its pages.
    struct Introduction {
        int page = 0;
        int font = 0;
        std::vector<quint32> glyphs;
    };
    // Kept flat: a long list draws hundreds of thousands of texts.
    struct Log {
        std::vector<QRawFont> fonts;
        std::vector<Text> texts;
        std::vector<Run> runs;
        std::vector<quint32> glyphs;
        std::vector<QPointF> positions;
        std::vector<Introduction> introductions;
        int page = 0;
        // By font and glyph: whether Qt has met it.
        std::vector<std::vector<char>> introduced;
    };

    // Where glyphs are shown to Qt, far off any paper, in device units.
    static constexpr double OffPaper = -30000;

    // A log open on this thread while it lives; pages are counted from 0.
    class Recording {
    public:
        Recording();
        ~Recording();
        Recording(const Recording &) = delete;
        Recording &operator=(const Recording &) = delete;
        void nextPage() { ++m_log.page; }
        const Log &log() const { return m_log; }

    private:
        Log m_log;
        Log *m_outer;
    };

    // Draws shaped glyphs standing for `text` with their origin at `origin`, as
    // QPainter::drawGlyphRun draws each of them.
    static void drawGlyphs(QPainter &painter, QPointF origin, const QList<QGlyphRun> &runs, const QString &text);
    // Draws a text in a box as QPainter::drawText(rect, flags, text) does.
    static void drawText(QPainter &painter, const QRectF &rect, int flags, const QString &text);
};
