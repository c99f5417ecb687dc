#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QRectF>
#include <QString>

#include <vector>

// Writes the texts of a page (see PdfTexts) in the compact form PDF offers, and reads back the
// texts Qt's PDF writer wrote.
//
// Qt writes every text on its own, each glyph moved to with its own "x y Td" operator:
//
//     q  <colour, state>  BT  /F7 16 Tf 1 0 0 -1 0 0 Tm
//     84.1406250 -599 Td <0011> Tj
//     7.53125000 0 Td <0003> Tj
//     ET  Q
//
// A list page holds some 250 such texts; the positions are most of a 50,000-examinee PDF. Here
// the glyphs of a text become one string, with a move in thousandths of an em only where the
// laid-out place and the font's own advance part by more than a hair, and texts of the same
// font, colour and clip that follow each other share one text object, each placed relative to
// the last. A text whose glyphs the font's character map cannot read back as its characters
// carries them itself (/ActualText).
class PdfTextCompactor {
public:
    // Advance widths of a font's glyphs in thousandths of an em, by glyph code.
    struct Widths {
        std::vector<double> byGlyph;
        double fallback = 1000; // for glyphs past the end of byGlyph
        double of(unsigned glyph) const { return glyph < byGlyph.size() ? byGlyph[glyph] : fallback; }
    };
    // A font as a page's content names it.
    struct Font {
        QByteArray name; // without the slash
        double size = 0;
        const Widths *widths = nullptr; // null when every glyph has its width
        bool slanted = false; // leant by Slant, as Qt slants a font that has no italic
        double emboldenedBy = 0; // drawn again this far aside, as Qt makes bold a font that has no bold
    };
    // A glyph by its code in the font, at its place in device units (y down, as Qt draws); its
    // width, when not negative, instead of the font's.
    struct Glyph {
        double x = 0;
        double y = 0;
        unsigned code = 0;
        double width = -1;
    };
    struct Run {
        const Font *font = nullptr;
        std::vector<Glyph> glyphs;
    };
    struct Text {
        std::vector<Run> runs;
        QByteArray color = "0 0 0 rg"; // the fill operator
        QRectF clip; // null: none
        QString actualText; // the characters, written out when not empty
    };

    // How far a glyph may sit from its laid-out place before a move is written, in thousandths
    // of an em: 2 is 0.03 pixel at the 16-pixel type of a list, far below a printer's dot.
    static constexpr double Tolerance = 2;
    // How far Qt leans the glyphs of a font it slants itself: x by this much of y.
    static constexpr double Slant = 0.3;

    // The content that draws the texts from `begin` to `end`, on top of whatever the page drew
    // before, in device units.
    static QByteArray write(const Text *begin, const Text *end);

    // `content` deflated as a stream's /FlateDecode reads it.
    static QByteArray deflate(const QByteArray &content);

    // A text as Qt wrote it: its font, where its first glyph stands (as written: y upwards) and
    // the codes of its glyphs.
    struct QtText {
        QByteArray fontName;
        QByteArray fontLine; // "/F7 16 Tf 1 0 0 -1 0 0 Tm"
        double size = 0;
        double x = 0;
        double y = 0;
        std::vector<unsigned> codes;
        double emboldenedBy = 0; // where Qt draws the glyphs again to make them bold; 0: it does not
    };
    // Qt's texts in a page's content, in order; anything not plainly in Qt's form is skipped.
    static std::vector<QtText> readQtTexts(QByteArrayView content);
};
