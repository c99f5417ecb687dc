#include "gridprint/PdfTextCompactor.h"

#include <QByteArray>
#include <QList>
#include <QString>

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
        if (token.ends_with("BDC")) {
            // Marked content (/ActualText) places nothing.
        } else if (token == "BT" || token == "Tm") {
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
const std::string qtF7at16 = "/F7 16 Tf 1 0 0 -1 0 0 Tm";

class PdfTextCompactorTest : public ::testing::Test {
protected:
    PdfTextCompactorTest()
    {
        // Glyph 1 and 2 are digits of 556, 3 a CJK character of 1000; glyph 9 falls back.
        fonts["F7"] = { { 1000, 556, 556, 1000 }, 1000 };
        f7at16 = { "F7", 16, &fonts["F7"] };
        f7at24 = { "F7", 24, &fonts["F7"] };
    }
    // A text as the program hands it over: its first glyph at (x, y) (y upwards, as Qt writes
    // it), each other one by its advance from the one before.
    PdfTextCompactor::Text text(const PdfTextCompactor::Font &font, double x, double y,
        const std::vector<std::pair<double, unsigned>> &advanceAndGlyph, const QByteArray &color = "0 0 0 rg") const
    {
        PdfTextCompactor::Text text;
        text.color = color;
        text.runs.push_back({ &font, {} });
        for (const auto &[advance, glyph] : advanceAndGlyph) {
            x += text.runs.front().glyphs.empty() ? 0 : advance;
            text.runs.front().glyphs.push_back({ x, -y, glyph });
        }
        return text;
    }
    // The written stream puts every glyph where it was handed over, to within the tolerance.
    void expectSamePlaces(const std::vector<PdfTextCompactor::Text> &texts, const QByteArray &written) const
    {
        std::vector<Placed> before;
        for (const PdfTextCompactor::Text &t : texts)
            for (const PdfTextCompactor::Run &run : t.runs)
                for (const PdfTextCompactor::Glyph &glyph : run.glyphs)
                    before.push_back({ run.font->name.toStdString(), run.font->size, glyph.x, -glyph.y, glyph.code });
        const std::vector<Placed> after = placements(written, fonts);
        ASSERT_EQ(after.size(), before.size()) << written.toStdString();
        for (size_t i = 0; i < before.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(after[i].font, before[i].font);
            EXPECT_EQ(after[i].size, before[i].size);
            EXPECT_EQ(after[i].glyph, before[i].glyph);
            EXPECT_NEAR(after[i].x, before[i].x, PdfTextCompactor::Tolerance * before[i].size / 1000 + 0.001);
            EXPECT_NEAR(after[i].y, before[i].y, 0.001);
        }
    }
    static QByteArray write(const std::vector<PdfTextCompactor::Text> &texts)
    {
        return PdfTextCompactor::write(texts.data(), texts.data() + texts.size());
    }
    Fonts fonts;
    PdfTextCompactor::Font f7at16;
    PdfTextCompactor::Font f7at24;
};

TEST_F(PdfTextCompactorTest, GlyphsKeepTheirPlacesInFewerOperators)
{
    PdfTextCompactor::Text clipped = text(f7at16, 10, -20, { { 0, 1 } });
    clipped.clip = QRectF(5, 5, 40, 20);
    PdfTextCompactor::Text spoken = text(f7at16, 40, -20, { { 0, 3 }, { 16, 3 } });
    spoken.actualText = QStringLiteral("⼥女");
    const struct {
        const char *name;
        std::vector<PdfTextCompactor::Text> texts;
        int textObjects; // BT in the result
        int moves; // adjustments written inside strings
    } cases[] = {
        { "advances as the font's: one string", { text(f7at16, 84.140625, -599, { { 0, 1 }, { 8.896, 2 }, { 8.896, 1 } }) },
            1, 0 },
        { "hinted advances drift: a move where the drift passes the tolerance",
            { text(f7at16, 84.140625, -599,
                { { 0, 1 }, { 8.90625, 1 }, { 8.90625, 1 }, { 8.90625, 1 }, { 8.90625, 1 }, { 8.90625, 1 },
                    { 8.90625, 1 } }) },
            1, 1 },
        { "a gap inside a text (a space drawn as nothing)", { text(f7at16, 10, -20, { { 0, 3 }, { 22, 3 } }) }, 1, 1 },
        { "a glyph past the font's width list uses its default width",
            { text(f7at16, 10, -20, { { 0, 9 }, { 16, 3 } }) }, 1, 0 },
        { "texts of one font and colour share a text object",
            { text(f7at16, 84.1, -599, { { 0, 1 }, { 8.896, 2 } }), text(f7at16, 127.5, -599, { { 0, 3 } }),
                text(f7at16, 84.2, -626, { { 0, 2 }, { 8.896, 2 } }) },
            1, 0 },
        { "another colour starts another",
            { text(f7at16, 10, -20, { { 0, 1 } }), text(f7at16, 40, -20, { { 0, 1 } }, "1 0 0 rg"),
                text(f7at16, 70, -20, { { 0, 1 } }) },
            3, 0 },
        { "another size stays in it",
            { text(f7at24, 199.15625, -103.203125, { { 0, 3 }, { 24, 3 } }), text(f7at16, 10, -140, { { 0, 3 } }) },
            1, 0 },
        { "a clip starts another", { text(f7at16, 40, -20, { { 0, 1 } }), clipped }, 2, 0 },
        { "a glyph off the baseline starts a string of its own",
            { [this] {
                PdfTextCompactor::Text t = text(f7at16, 10, -20, { { 0, 1 }, { 8.896, 2 } });
                t.runs.front().glyphs.back().y += 3;
                return t;
            }() },
            1, 0 },
        { "characters the font cannot tell go with their glyphs", { text(f7at16, 10, -20, { { 0, 1 } }), spoken }, 1,
            0 },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray written = write(c.texts);
        expectSamePlaces(c.texts, written);
        EXPECT_EQ(written.count("BT\n"), c.textObjects) << written.toStdString();
        EXPECT_EQ(written.count("] TJ") > 0 ? written.count("> ") - written.count("> Tj") : 0, c.moves)
            << written.toStdString();
        // One placing move a run, each glyph of it in one string.
        qsizetype runs = 0;
        for (const PdfTextCompactor::Text &t : c.texts)
            for (const PdfTextCompactor::Run &run : t.runs)
                runs += 1 + qsizetype(run.glyphs.size() > 1 && run.glyphs.back().y != run.glyphs.front().y);
        EXPECT_EQ(written.count(" Td "), runs);
        // Written no longer than Qt writes it.
        QByteArray asQt;
        for (const PdfTextCompactor::Text &t : c.texts) {
            std::vector<std::pair<double, unsigned>> glyphs;
            for (const PdfTextCompactor::Glyph &glyph : t.runs.front().glyphs)
                glyphs.push_back({ glyph.x - t.runs.front().glyphs.front().x, glyph.code });
            asQt += qtText(black, qtF7at16, t.runs.front().glyphs.front().x, -t.runs.front().glyphs.front().y, glyphs);
        }
        EXPECT_LE(written.size(), asQt.size());
    }
    const QByteArray withActualText = write(cases[std::size(cases) - 1].texts);
    EXPECT_TRUE(withActualText.contains("/Span<</ActualText<FEFF2F255973>>>BDC\n30 0 Td <00030003> Tj\nEMC\n"))
        << withActualText.toStdString();
}

TEST_F(PdfTextCompactorTest, OnlyWhatIsPlainlyQtsTextIsReadAsIt)
{
    const QByteArray tail = "0 0 0 SCN\n10 10 m\n20 20 l\nS\n";
    const QByteArray plain = qtText(black, qtF7at16, 30, -20, { { 0, 1 }, { 8.896, 2 } });
    const struct {
        const char *name;
        QByteArray content;
    } cases[] = {
        { "a glyph that leaves the baseline",
            QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\n10 -20 Td <0001> Tj\n8.9 -3 Td <0002> Tj\nET\nQ\n") },
        { "character spacing in the state", qtText("2 Tc\n", qtF7at16, 10, -20, { { 0, 1 }, { 9.5, 2 } }) },
        { "horizontal scaling in the state", qtText("90 Tz\n", qtF7at16, 10, -20, { { 0, 1 }, { 9.5, 2 } }) },
        { "another operator among the glyphs",
            QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\n10 -20 Td <0001> Tj\n2 Tr\n8.9 0 Td <0002> Tj\nET\nQ\n") },
        { "a glyph in two bytes", QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\n10 -20 Td <01> Tj\nET\nQ\n") },
        { "a number that is no number",
            QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\n1e -20 Td <0001> Tj\nET\nQ\n") },
        { "a size of nothing", QByteArray("q\nBT\n/F7 0 Tf 1 0 0 -1 0 0 Tm\n10 -20 Td <0001> Tj\nET\nQ\n") },
        { "a text without glyphs", QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\nET\nQ\n") },
        { "a text cut short", QByteArray("q\nBT\n/F7 16 Tf 1 0 0 -1 0 0 Tm\n10 -20 Td <0001> Tj\nET\n") },
        { "a state of many lines", qtText("a\nb\nc\nd\ne\nf\n", qtF7at16, 10, -20, { { 0, 1 } }) },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(PdfTextCompactor::readQtTexts(c.content + tail).empty());
        // A plain text after one of them is still read, where it stands.
        const std::vector<PdfTextCompactor::QtText> after = PdfTextCompactor::readQtTexts(c.content + plain + tail);
        ASSERT_EQ(after.size(), 1u);
        EXPECT_EQ(after[0].fontName, "F7");
        EXPECT_EQ(after[0].size, 16);
        EXPECT_EQ(after[0].x, 30);
        EXPECT_EQ(after[0].y, -20);
        EXPECT_EQ(after[0].codes, (std::vector<unsigned> { 1, 2 }));
    }
    EXPECT_TRUE(PdfTextCompactor::readQtTexts(plain.chopped(1)).empty()) << "no newline at the end";
}

// A page of a 50,000-examinee list: thousands of glyphs in hundreds of texts, rows 27 units
// apart. Far off the page, with positions of many digits, the places still hold, in a third of
// what Qt writes.
TEST_F(PdfTextCompactorTest, ALongPageKeepsEveryPlaceAndShrinks)
{
    std::vector<PdfTextCompactor::Text> page;
    QByteArray asQt;
    for (int row = 0; row < 40; ++row)
        for (int col = 0; col < 8; ++col) {
            std::vector<std::pair<double, unsigned>> glyphs { { 0, 1 } };
            for (int i = 0; i < col; ++i)
                glyphs.push_back({ i % 3 == 0 ? 8.90625 : 8.921875, unsigned(1 + (row + i) % 2) });
            const double x = 84.140625 + col * 75.015625 + row * 0.015625;
            page.push_back(text(f7at16, x, -167 - row * 27.0, glyphs));
            asQt += qtText(black, qtF7at16, x, -167 - row * 27.0, glyphs);
        }
    const QByteArray written = write(page);
    expectSamePlaces(page, written);
    EXPECT_EQ(written.count("BT\n"), 1);
    EXPECT_LT(written.size(), asQt.size() / 3);
}

} // namespace
