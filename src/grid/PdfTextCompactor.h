#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>
#include <vector>

// Rewrites the text of a page's content stream as Qt's PDF writer leaves it into the compact
// form PDF offers, drawing the same glyphs at the same places.
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
// font and state that follow each other share one text object, each placed relative to the
// last. Anything not in exactly that shape is copied as it stands.
class PdfTextCompactor {
public:
    // Advance widths of a font's glyphs in thousandths of an em, by glyph number.
    struct Widths {
        std::vector<double> byGlyph;
        double fallback = 1000; // for glyphs past the end of byGlyph
        double of(unsigned glyph) const { return glyph < byGlyph.size() ? byGlyph[glyph] : fallback; }
    };
    // The widths of the font a page's resources name (without the slash), or nullptr when the
    // font is unknown: its texts are then left as they are.
    using FontLookup = std::function<const Widths *(QByteArrayView name)>;

    // How far a glyph may sit from its laid-out place before a move is written, in thousandths
    // of an em: 2 is 0.03 pixel at the 16-pixel type of a list, far below a printer's dot.
    static constexpr double Tolerance = 2;

    static QByteArray compact(QByteArrayView content, const FontLookup &fonts);
};
