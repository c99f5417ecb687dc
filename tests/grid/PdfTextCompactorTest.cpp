#include "grid/PdfTextCompactor.h"

#include <QByteArray>
#include <QList>

#include <cctype>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Where a reader puts each glyph: the text operators of a content stream played through, with
// the fonts' advances.
struct Placed {
    std::string font;
    double size;
    double x;
    double y;
    unsigned glyph;
};

using Fonts = std::map<std::string, PdfTextCompactor::Widths, std::less<>>;

std::vector<Placed> placements(const QByteArray &content, const Fonts &fonts)
{
    std::vector<Placed> placed;
    std::istringstream in(content.toStdString());
    std::vector<std::string> operands;
    std::string font;
    double size = 0;
    double lineX = 0, lineY = 0, x = 0, y = 0;
    auto show = [&](const std::string &hex) {
        for (size_t i = 0; i + 4 <= hex.size(); i += 4) {
            const unsigned glyph = unsigned(std::stoul(hex.substr(i, 4), nullptr, 16));
            placed.push_back({ font, size, x, y, glyph });
            x += fonts.at(font).of(glyph) * size / 1000;
        }
    };
    std::string token;
    while (in >> token) {
        // Array brackets only group the operands of TJ.
        if (token.front() == '[')
            token.erase(0, 1);
        if (!token.empty() && token.back() == ']')
            token.pop_back();
        if (token.empty())
            continue;
        if (token == "BT" || token == "Tm") {
            lineX = lineY = x = y = 0;
        } else if (token == "Tf") {
            font = operands[0].substr(1);
            size = std::stod(operands[1]);
        } else if (token == "Td") {
            lineX += std::stod(operands[0]);
            lineY += std::stod(operands[1]);
            x = lineX;
            y = lineY;
        } else if (token == "Tj" || token == "TJ") {
            for (const std::string &item : operands) {
                if (item.front() == '<')
                    show(item.substr(1, item.size() - 2));
                else
                    x -= std::stod(item) * size / 1000;
            }
        } else if (!std::isalpha(static_cast<unsigned char>(token.back())) || token.front() == '/') {
            operands.push_back(token);
            continue;
        }
        operands.clear();
    }
    return placed;
}

// One text as Qt writes it: each glyph moved to with its own Td, from (x, y) for the first and
// by its advance from the one before for the others.
QByteArray qtText(const std::string &state, const std::string &font, double x, double y,
    const std::vector<std::pair<double, unsigned>> &advanceAndGlyph)
{
    std::string text = "q\n" + state + "BT\n" + font + "\n";
    bool first = true;
    for (const auto &[advance, glyph] : advanceAndGlyph) {
        char line[64];
        std::snprintf(line, sizeof line, "%.7g %.7g Td <%04X> Tj\n", first ? x : advance, first ? y : 0.0, glyph);
        text += line;
        first = false;
    }
    return QByteArray::fromStdString(text + "ET\nQ\n");
}

const std::string black = "/CSp cs 0 0 0 scn\n/GSa gs\n";
const std::string red = "/CSp cs 1 0 0 scn\n/GSa gs\n";
const std::string f7at16 = "/F7 16 Tf 1 0 0 -1 0 0 Tm";
const std::string f7at24 = "/F7 24 Tf 1 0 0 -1 0 0 Tm";

class PdfTextCompactorTest : public ::testing::Test {
protected:
    PdfTextCompactorTest()
    {
        // Glyph 1 and 2 are digits of 556, 3 a CJK character of 1000; glyph 9 falls back.
        fonts["F7"] = { { 1000, 556, 556, 1000 }, 1000 };
    }
    QByteArray compact(const QByteArray &content) const
    {
        return PdfTextCompactor::compact(content, [this](QByteArrayView name) -> const PdfTextCompactor::Widths * {
            const auto found = fonts.find(std::string(name.data(), size_t(name.size())));
            return found == fonts.end() ? nullptr : &found->second;
        });
    }
    // The compacted stream puts every glyph where the original did, to within the tolerance.
    void expectSamePlaces(const QByteArray &original, const QByteArray &compacted) const
    {
        const std::vector<Placed> before = placements(original, fonts);
        const std::vector<Placed> after = placements(compacted, fonts);
        ASSERT_EQ(after.size(), before.size()) << compacted.toStdString();
        for (size_t i = 0; i < before.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(after[i].font, before[i].font);
            EXPECT_EQ(after[i].size, before[i].size);
            EXPECT_EQ(after[i].glyph, before[i].glyph);
            EXPECT_NEAR(after[i].x, before[i].x, PdfTextCompactor::Tolerance * before[i].size / 1000 + 0.001);
            EXPECT_NEAR(after[i].y, before[i].y, 0.001);
        }
    }
    Fonts fonts;
};

TEST_F(PdfTextCompactorTest, GlyphsKeepTheirPlacesInFewerOperators)
{
    const struct {
        const char *name;
        QByteArray content;
        int textObjects; // BT in the result
        int moves; // adjustments written inside strings
    } cases[] = {
        { "advances as the font's: one string",
            qtText(black, f7at16, 84.140625, -599, { { 0, 1 }, { 8.896, 2 }, { 8.896, 1 } }), 1, 0 },
        { "hinted advances drift: a move where the drift passes the tolerance",
            qtText(black, f7at16, 84.140625, -599,
                { { 0, 1 }, { 8.90625, 1 }, { 8.90625, 1 }, { 8.90625, 1 }, { 8.90625, 1 }, { 8.90625, 1 },
                    { 8.90625, 1 } }),
            1, 1 },
        { "a gap inside a text (a space drawn as nothing)", qtText(black, f7at16, 10, -20, { { 0, 3 }, { 22, 3 } }), 1,
            1 },
        { "a glyph past the font's width list uses its default width",
            qtText(black, f7at16, 10, -20, { { 0, 9 }, { 16, 3 } }), 1, 0 },
        { "texts of one font and colour share a text object",
            qtText(black, f7at16, 84.1, -599, { { 0, 1 }, { 8.896, 2 } })
                + qtText(black, f7at16, 127.5, -599, { { 0, 3 } })
                + qtText(black, f7at16, 84.2, -626, { { 0, 2 }, { 8.896, 2 } }),
            1, 0 },
        { "another colour starts another", qtText(black, f7at16, 10, -20, { { 0, 1 } })
                + qtText(red, f7at16, 40, -20, { { 0, 1 } }) + qtText(black, f7at16, 70, -20, { { 0, 1 } }),
            3, 0 },
        { "another size starts another", qtText(black, f7at24, 199.15625, -103.203125, { { 0, 3 }, { 24, 3 } })
                + qtText(black, f7at16, 10, -140, { { 0, 3 } }),
            2, 0 },
        { "lines between texts stay between them, in order",
            qtText(black, f7at16, 10, -20, { { 0, 1 } })
                + "Q q\n116.85 119.59 m\n191.85 119.59 l\nh\nW* n\n0 0 0 SCN\n1 w 2 J 2 j []0  d\n"
                + qtText(black, f7at16, 40, -20, { { 0, 1 } }),
            2, 0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray compacted = compact(c.content);
        expectSamePlaces(c.content, compacted);
        EXPECT_EQ(compacted.count("BT\n"), c.textObjects) << compacted.toStdString();
        EXPECT_EQ(compacted.count("] TJ") > 0 ? compacted.count("> ") : 0, c.moves) << compacted.toStdString();
        EXPECT_EQ(compacted.count(" Td "), c.content.count(" Tj\n") - c.content.count(" 0 Td <"));
        EXPECT_LE(compacted.size(), c.content.size());
        // What is not text comes through as it was.
        if (c.content.contains("W* n")) {
            EXPECT_TRUE(compacted.contains("Q q\n116.85 119.59 m\n191.85 119.59 l\nh\nW* n\n0 0 0 SCN\n"));
        }
    }
}

TEST_F(PdfTextCompactorTest, WhatIsNotPlainlyQtsTextIsLeftAsItIs)
{
    const QByteArray tail = "0 0 0 SCN\n10 10 m\n20 20 l\nS\n";
    const struct {
        const char *name;
        QByteArray content;
    } cases[] = {
        { "a font the page does not describe",
            qtText(black, "/F9 16 Tf 1 0 0 -1 0 0 Tm", 10, -20, { { 0, 1 }, { 8.9, 2 } }) },
        { "a glyph that leaves the baseline",
            QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\n10 -20 Td <0001> Tj\n8.9 -3 Td <0002> Tj\nET\nQ\n") },
        { "character spacing in the state", qtText("2 Tc\n", f7at16, 10, -20, { { 0, 1 }, { 9.5, 2 } }) },
        { "horizontal scaling in the state", qtText("90 Tz\n", f7at16, 10, -20, { { 0, 1 }, { 9.5, 2 } }) },
        { "another operator among the glyphs",
            QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\n10 -20 Td <0001> Tj\n2 Tr\n8.9 0 Td <0002> Tj\nET\nQ\n") },
        { "a glyph in two bytes", QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\n10 -20 Td <01> Tj\nET\nQ\n") },
        { "a number that is no number",
            QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\n1e -20 Td <0001> Tj\nET\nQ\n") },
        { "a size of nothing", QByteArray("q\nBT\n/F7 0 Tf 1 0 0 -1 0 0 Tm\n10 -20 Td <0001> Tj\nET\nQ\n") },
        { "a text without glyphs", QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\nET\nQ\n") },
        { "a text cut short", QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\n10 -20 Td <0001> Tj\nET\n") },
        { "no newline at the end", QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\n10 -20 Td <0001> Tj\nET\nQ") },
        { "a state of many lines",
            qtText("a\nb\nc\nd\ne\nf\n", f7at16, 10, -20, { { 0, 1 } }) },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(compact(c.content + tail), c.content + tail);
    }
    // A plain text after one of them is still compacted.
    const QByteArray plain = qtText(black, f7at16, 30, -20, { { 0, 1 }, { 8.896, 2 } });
    const QByteArray mixed = cases[0].content + plain;
    const QByteArray compacted = compact(mixed);
    EXPECT_TRUE(compacted.startsWith(cases[0].content));
    EXPECT_TRUE(compacted.contains("<00010002> Tj"));
}

// A page of a 50,000-examinee list: thousands of glyphs in hundreds of texts, rows 27 units
// apart. Far off the page, with positions of many digits, the places still hold.
TEST_F(PdfTextCompactorTest, ALongPageKeepsEveryPlaceAndShrinks)
{
    QByteArray page = "/GSa gs /CSp cs /CSp CS\n0.750000000 0 0 -0.750000000 0 842 cm\n";
    for (int row = 0; row < 40; ++row)
        for (int col = 0; col < 8; ++col) {
            std::vector<std::pair<double, unsigned>> glyphs { { 0, 1 } };
            for (int i = 0; i < col; ++i)
                glyphs.push_back({ i % 3 == 0 ? 8.90625 : 8.921875, unsigned(1 + (row + i) % 2) });
            page += qtText(black, f7at16, 84.140625 + col * 75.015625 + row * 0.015625, -167 - row * 27.0, glyphs);
        }
    const QByteArray compacted = compact(page);
    expectSamePlaces(page, compacted);
    EXPECT_EQ(compacted.count("BT\n"), 1);
    EXPECT_LT(compacted.size(), page.size() / 3);
}

} // namespace
