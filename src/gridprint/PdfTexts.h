#pragma once

#include "PdfTextCompactor.h"

#include <QByteArray>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <QRectF>
#include <QRgb>
#include <QString>

#include <algorithm>
#include <memory>
#include <vector>

class QPainter;

// The texts a thread draws onto a PDF, written by the program itself (see PdfTextCompactor):
// compactly, and each with the characters it stands for.
//
// Qt's PDF writer places every glyph with operators of its own, compresses all that, and its
// character maps read a glyph back as the lowest code point the font gives it (女 as the
// radical ⼥, a blank as a tab) or as nothing. While a recording is open on a thread, texts drawn
// through here reach Qt only as each glyph the first time it is used, drawn off the paper so
// that Qt embeds it in its font. The texts are written page by page, compressed, with the
// glyphs' own numbers as their codes; PdfJoin then tells each font which of Qt's glyphs a code
// shows, how wide it is and which characters it reads back as. Without a recording, or on any
// other device, texts are drawn as Qt draws them.
class PdfTexts {
public:
    // Glyphs handed to Qt, in the order Qt met them, so that the codes Qt gave them can be read
    // back from its pages.
    struct Introduction {
        int page = 0;
        int font = 0;
        std::vector<quint32> glyphs;
    };
    // Values by glyph number, kept in blocks of 256 made on first use: a Chinese font numbers
    // its glyphs up to 65,535, a document draws a few hundred of them.
    template <typename T>
    class GlyphTable {
    public:
        explicit GlyphTable(T none = T())
            : m_none(none)
        {
        }
        T operator[](quint32 glyph) const
        {
            const size_t block = glyph >> 8;
            return block < m_blocks.size() && m_blocks[block] ? m_blocks[block][glyph & 255] : m_none;
        }
        T &at(quint32 glyph)
        {
            const size_t block = glyph >> 8;
            if (block >= m_blocks.size())
                m_blocks.resize(block + 1);
            if (!m_blocks[block]) {
                m_blocks[block] = std::make_unique<T[]>(256);
                std::fill_n(m_blocks[block].get(), 256, m_none);
            }
            return m_blocks[block][glyph & 255];
        }
        // Past the last glyph held.
        quint32 end() const { return quint32(m_blocks.size() * 256); }

    private:
        std::vector<std::unique_ptr<T[]>> m_blocks;
        T m_none;
    };
    // One typeface: the widths its glyphs are written with, in thousandths of an em, and the
    // character each glyph was first drawn for.
    struct Face {
        QRawFont design; // at its em size, for the glyphs' design widths
        GlyphTable<float> widths { -1 }; // -1: not drawn
        GlyphTable<char32_t> drawnAs; // 0: none
    };
    // A typeface at one size, named K<n> on the pages.
    struct Font {
        QRawFont raw;
        int face = 0;
        PdfTextCompactor::Font written;
        GlyphTable<char> introduced; // whether Qt has met the glyph
    };
    struct Log {
        std::vector<std::unique_ptr<Face>> faces;
        std::vector<std::unique_ptr<Font>> fonts;
        std::vector<Introduction> introductions;
        // Each page's texts, compressed, to go after what Qt drew there, and the fonts they use.
        std::vector<QByteArray> pages;
        std::vector<std::vector<int>> pageFonts;
        // Set when Qt had to draw a text itself: its glyphs are numbered Qt's way.
        bool drawnByQt = false;
        // The page being painted.
        std::vector<PdfTextCompactor::Text> texts;
        std::vector<char> fontsUsed;
        QRgb lastColor = 0;
        QByteArray lastFill;
    };

    // Where glyphs are shown to Qt, far off any paper, in device units.
    static constexpr double OffPaper = -30000;

    // A log open on this thread while it lives.
    class Recording {
    public:
        Recording();
        ~Recording();
        Recording(const Recording &) = delete;
        Recording &operator=(const Recording &) = delete;
        // Writes the texts of the page painted last.
        void endPage();
        Log &log() { return m_log; }

    private:
        Log m_log;
        Log *m_outer;
    };

    // Draws shaped glyphs standing for `text` with their origin at `origin`, as
    // QPainter::drawGlyphRun draws each of them, cut at `clip` when there is one (a clip the
    // program writes itself costs Qt's PDF writer nothing).
    static void drawGlyphs(QPainter &painter, QPointF origin, const QList<QGlyphRun> &runs, const QString &text,
        const QRectF *clip = nullptr);
    // Draws a text in a box as QPainter::drawText(rect, flags, text) does, cut at `clip`.
    static void drawText(
        QPainter &painter, const QRectF &rect, int flags, const QString &text, const QRectF *clip = nullptr);
};
