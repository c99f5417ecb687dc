#include "PdfJoin.h"

#include "PdfTextCompactor.h"

#include <QFile>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>

namespace {

// The glyph widths of a font Qt embeds: a composite font whose codes are its glyph numbers.
// Other fonts give nullopt and their texts stay as they are.
std::optional<PdfTextCompactor::Widths> widthsOf(QPDFObjectHandle font)
{
    if (!font.isDictionary() || !font.getKey("/Subtype").isNameAndEquals("/Type0")
        || !font.getKey("/Encoding").isNameAndEquals("/Identity-H"))
        return std::nullopt;
    QPDFObjectHandle descendants = font.getKey("/DescendantFonts");
    if (!descendants.isArray() || descendants.getArrayNItems() != 1)
        return std::nullopt;
    QPDFObjectHandle cidFont = descendants.getArrayItem(0);
    if (!cidFont.isDictionary() || !cidFont.getKey("/CIDToGIDMap").isNameAndEquals("/Identity"))
        return std::nullopt;
    PdfTextCompactor::Widths widths;
    if (QPDFObjectHandle fallback = cidFont.getKey("/DW"); fallback.isNumber())
        widths.fallback = fallback.getNumericValue();
    QPDFObjectHandle w = cidFont.getKey("/W");
    if (!w.isArray())
        return widths;
    auto set = [&widths](long long glyph, double width) {
        if (glyph < 0 || glyph > 0xFFFF)
            return false;
        if (size_t(glyph) >= widths.byGlyph.size())
            widths.byGlyph.resize(size_t(glyph) + 1, widths.fallback);
        widths.byGlyph[size_t(glyph)] = width;
        return true;
    };
    // Entries are "first [w w ...]" or "first last w".
    const int count = w.getArrayNItems();
    for (int i = 0; i < count;) {
        QPDFObjectHandle first = w.getArrayItem(i);
        QPDFObjectHandle next = w.getArrayItem(i + 1);
        if (!first.isInteger())
            return std::nullopt;
        if (next.isArray()) {
            for (int k = 0; k < next.getArrayNItems(); ++k)
                if (!next.getArrayItem(k).isNumber()
                    || !set(first.getIntValue() + k, next.getArrayItem(k).getNumericValue()))
                    return std::nullopt;
            i += 2;
        } else {
            QPDFObjectHandle width = w.getArrayItem(i + 2);
            if (!next.isInteger() || !width.isNumber() || next.getIntValue() - first.getIntValue() > 0xFFFF)
                return std::nullopt;
            for (long long glyph = first.getIntValue(); glyph <= next.getIntValue(); ++glyph)
                if (!set(glyph, width.getNumericValue()))
                    return std::nullopt;
            i += 3;
        }
    }
    return widths;
}

std::string bytesOf(QPDFObjectHandle stream)
{
    const std::shared_ptr<Buffer> data = stream.getStreamData(qpdf_dl_generalized);
    return std::string(reinterpret_cast<const char *>(data->getBuffer()), data->getSize());
}

// The content of a page, its streams one after the other.
std::string contentOf(QPDFPageObjectHelper &page)
{
    std::string content;
    for (QPDFObjectHandle &stream : page.getPageContents())
        content += bytesOf(stream);
    return content;
}

// A new stream of `data`, compressed (qCompress puts the length before the zlib stream, which
// is what FlateDecode reads).
QPDFObjectHandle compressedStream(QPDF &pdf, const QByteArray &data)
{
    const QByteArray compressed = qCompress(data, 6);
    QPDFObjectHandle stream = QPDFObjectHandle::newStream(&pdf);
    stream.replaceStreamData(std::string(compressed.constData() + 4, size_t(compressed.size() - 4)),
        QPDFObjectHandle::newName("/FlateDecode"), QPDFObjectHandle::newNull());
    return stream;
}

// A font of the PDF as the program writes its texts: Qt's object, the codes Qt gave the glyphs
// and what each code reads back as.
struct PdfFont {
    QPDFObjectHandle object;
    PdfTextCompactor::Widths widths;
    std::map<unsigned, QString> characters; // as Qt mapped them
    std::vector<char32_t> drawnAs; // by code: the character a text drew it for, or 0
};

// What a font's character map says now, code by code (Qt's ranges and single codes).
std::map<unsigned, QString> characterMap(QPDFObjectHandle font)
{
    std::map<unsigned, QString> map;
    QPDFObjectHandle cmap = font.getKey("/ToUnicode");
    if (!cmap.isStream())
        return map;
    const std::string text = bytesOf(cmap);
    const auto hexAt = [&text](size_t &at, QString &out) {
        const size_t open = text.find('<', at);
        const size_t close = open == std::string::npos ? open : text.find('>', open);
        if (close == std::string::npos)
            return false;
        out.clear();
        for (size_t i = open + 1; i + 4 <= close; i += 4)
            out += QChar(char16_t(std::stoul(text.substr(i, 4), nullptr, 16)));
        at = close + 1;
        return true;
    };
    const auto codeOf = [](const QString &hex) { return hex.isEmpty() ? 0u : unsigned(hex.front().unicode()); };
    for (const char *section : { "beginbfrange", "beginbfchar" }) {
        const bool ranges = section[5] == 'r';
        size_t at = text.find(section);
        const size_t end = at == std::string::npos ? at : text.find(ranges ? "endbfrange" : "endbfchar", at);
        if (end == std::string::npos)
            continue;
        at += std::string_view(section).size();
        QString first, last, target;
        for (;;) {
            size_t probe = at;
            if (!hexAt(probe, first) || probe > end)
                break;
            at = probe;
            if (!ranges) {
                if (!hexAt(at, target))
                    break;
                map[codeOf(first)] = target;
                continue;
            }
            if (!hexAt(at, last))
                break;
            const size_t next = text.find_first_not_of(" \r\n", at);
            unsigned code = codeOf(first);
            if (next != std::string::npos && text[next] == '[') {
                const size_t close = text.find(']', next);
                at = next + 1;
                while (code <= codeOf(last) && hexAt(at, target) && at <= close)
                    map[code++] = target;
                at = close + 1;
            } else if (hexAt(at, target) && !target.isEmpty()) {
                for (; code <= codeOf(last); ++code, target.back() = QChar(char16_t(target.back().unicode() + 1)))
                    map[code] = target;
            }
        }
    }
    return map;
}

QByteArray toUnicodeCMap(const std::map<unsigned, QString> &characters)
{
    QByteArray cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    // At most a hundred entries a section.
    auto it = characters.begin();
    while (it != characters.end()) {
        const auto end = std::next(it, std::min<std::ptrdiff_t>(100, std::distance(it, characters.end())));
        cmap += QByteArray::number(std::distance(it, end)) + " beginbfchar\n";
        for (; it != end; ++it) {
            cmap += '<' + QByteArray::number(it->first, 16).rightJustified(4, '0').toUpper() + "> <";
            for (const QChar c : it->second)
                cmap += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
            cmap += ">\n";
        }
        cmap += "endbfchar\n";
    }
    cmap += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
    return cmap;
}

QByteArray fillOf(QRgb color)
{
    QByteArray fill;
    for (int channel : { qRed(color), qGreen(color), qBlue(color) })
        fill += QByteArray::number(channel / 255.0, 'g', 3) + ' ';
    return fill + "rg";
}

} // namespace

std::unique_ptr<QPDF> PdfJoin::part(const QString &path, const PdfTexts::Log &log)
{
    auto pdf = std::make_unique<QPDF>();
    pdf->processFile(QFile::encodeName(path).constData());
    if (log.texts.empty())
        return pdf;
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(*pdf).getAllPages();

    // 1. The codes Qt gave the glyphs it was shown, read from the pages where it was shown them,
    // and the fonts it named for them.
    std::map<std::string, PdfFont> fonts; // by the name the pages use
    struct Known {
        QByteArray name;
        double size = 0;
        std::unordered_map<quint32, unsigned> codes;
        PdfFont *pdf = nullptr;
    };
    std::vector<Known> known(log.fonts.size());
    QByteArray pageMatrix;
    size_t next = 0;
    while (next < log.introductions.size()) {
        const int pageIndex = log.introductions[next].page;
        if (pageIndex < 0 || size_t(pageIndex) >= pages.size())
            return nullptr;
        QPDFPageObjectHelper &page = pages[size_t(pageIndex)];
        const std::string content = contentOf(page);
        if (pageMatrix.isEmpty()) {
            // Qt's page starts by turning its device units into the page's.
            const size_t cm = content.find(" cm\n");
            const size_t start = cm == std::string::npos ? cm : content.rfind('\n', cm);
            if (cm == std::string::npos || start == std::string::npos)
                return nullptr;
            pageMatrix = QByteArray::fromStdString(content.substr(start + 1, cm + 4 - start - 1));
        }
        QPDFObjectHandle named = page.getAttribute("/Resources", false);
        named = named.isDictionary() ? named.getKey("/Font") : QPDFObjectHandle();
        for (const PdfTextCompactor::QtText &text :
            PdfTextCompactor::readQtTexts(QByteArrayView(content.data(), qsizetype(content.size())))) {
            if (std::abs(text.x - PdfTexts::OffPaper) > 1 || std::abs(text.y + PdfTexts::OffPaper) > 1)
                continue;
            if (next >= log.introductions.size() || log.introductions[next].page != pageIndex)
                return nullptr;
            const PdfTexts::Introduction &shown = log.introductions[next++];
            // A font Qt slants or stretches itself is drawn by Qt.
            if (shown.glyphs.size() != text.codes.size() || !text.fontLine.endsWith(" Tf 1 0 0 -1 0 0 Tm"))
                return nullptr;
            Known &font = known[size_t(shown.font)];
            if (!font.name.isEmpty() && font.name != text.fontName)
                return nullptr;
            font.name = text.fontName;
            font.size = text.size;
            for (size_t i = 0; i < shown.glyphs.size(); ++i)
                font.codes[shown.glyphs[i]] = text.codes[i];
            const std::string name = text.fontName.toStdString();
            if (!fonts.count(name)) {
                QPDFObjectHandle object = named.isDictionary() ? named.getKey("/" + name) : QPDFObjectHandle();
                const std::optional<PdfTextCompactor::Widths> widths = widthsOf(object);
                if (!widths)
                    return nullptr;
                fonts[name] = PdfFont { object, *widths, characterMap(object), {} };
            }
            font.pdf = &fonts.at(name);
        }
        if (next < log.introductions.size() && log.introductions[next].page == pageIndex)
            return nullptr;
    }

    // 2. Page by page, the texts in codes, after what Qt drew there (its content set apart
    // between "q" and "Q", the texts drawn from the page's own units). Each code reads back as
    // the character it was first drawn for; a text the codes cannot tell carries its characters.
    std::vector<PdfTextCompactor::Font> compactFonts(log.fonts.size());
    std::vector<std::vector<int>> codes(log.fonts.size()); // by font and glyph; -1: none
    for (size_t i = 0; i < known.size(); ++i) {
        if (known[i].name.isEmpty())
            continue;
        compactFonts[i] = { known[i].name, known[i].size, &known[i].pdf->widths };
        for (const auto &[glyph, code] : known[i].codes) {
            if (glyph >= codes[i].size())
                codes[i].resize(glyph + 1, -1);
            codes[i][glyph] = int(code);
        }
    }
    QPDFObjectHandle save = compressedStream(*pdf, "q\n");
    std::vector<PdfTextCompactor::Text> pageTexts; // kept from page to page with their buffers
    QRgb lastColor = 0;
    QByteArray lastFill;
    size_t nextText = 0;
    for (size_t pageIndex = 0; pageIndex < pages.size(); ++pageIndex) {
        size_t used = 0;
        std::vector<char> fontsUsed(log.fonts.size(), 0);
        for (; nextText < log.texts.size() && log.texts[nextText].page == int(pageIndex); ++nextText) {
            const PdfTexts::Text &drawn = log.texts[nextText];
            if (used == pageTexts.size())
                pageTexts.emplace_back();
            PdfTextCompactor::Text &text = pageTexts[used++];
            if (lastFill.isEmpty() || drawn.color != lastColor) {
                lastColor = drawn.color;
                lastFill = fillOf(drawn.color);
            }
            text.color = lastFill;
            text.clip = drawn.clip;
            text.actualText.clear();
            text.runs.resize(drawn.runCount);
            // Runs of glyphs left to right, a glyph a character, read back through the fonts.
            const QString &characters = drawn.text;
            qsizetype at = 0;
            bool readsBack = true;
            for (size_t r = 0; r < drawn.runCount; ++r) {
                const PdfTexts::Run &run = log.runs[drawn.firstRun + r];
                if (!known[size_t(run.font)].pdf)
                    return nullptr;
                const std::vector<int> &byGlyph = codes[size_t(run.font)];
                std::vector<char32_t> &drawnAs = known[size_t(run.font)].pdf->drawnAs;
                PdfTextCompactor::Run &compact = text.runs[r];
                compact.font = &compactFonts[size_t(run.font)];
                compact.glyphs.clear();
                fontsUsed[size_t(run.font)] = 1;
                for (size_t i = run.first; i < run.first + run.count; ++i) {
                    const quint32 glyph = log.glyphs[i];
                    const int code = glyph < byGlyph.size() ? byGlyph[glyph] : -1;
                    if (code < 0)
                        return nullptr;
                    compact.glyphs.push_back({ log.positions[i].x(), log.positions[i].y(), unsigned(code) });
                    if (!readsBack)
                        continue;
                    if (at >= characters.size()) {
                        readsBack = false;
                        continue;
                    }
                    char32_t shown = characters[at++].unicode();
                    if (QChar::isHighSurrogate(shown) && at < characters.size()
                        && characters[at].isLowSurrogate())
                        shown = QChar::surrogateToUcs4(char16_t(shown), characters[at++].unicode());
                    if (QChar::direction(shown) == QChar::DirR || QChar::direction(shown) == QChar::DirAL) {
                        readsBack = false;
                        continue;
                    }
                    if (size_t(code) >= drawnAs.size())
                        drawnAs.resize(size_t(code) + 1, 0);
                    if (drawnAs[size_t(code)] == 0)
                        drawnAs[size_t(code)] = shown;
                    readsBack = drawnAs[size_t(code)] == shown;
                }
            }
            if (!readsBack || at != characters.size())
                text.actualText = characters;
        }
        if (nextText < log.texts.size() && log.texts[nextText].page < int(pageIndex))
            return nullptr; // the log out of page order
        if (used == 0)
            continue;
        QPDFPageObjectHelper &page = pages[pageIndex];
        QPDFObjectHandle resources = page.getAttribute("/Resources", true);
        if (!resources.isDictionary())
            return nullptr;
        QPDFObjectHandle named = resources.getKey("/Font");
        if (!named.isDictionary()) {
            named = QPDFObjectHandle::newDictionary();
            resources.replaceKey("/Font", named);
        }
        for (size_t font = 0; font < fontsUsed.size(); ++font)
            if (const std::string key = "/" + known[font].name.toStdString(); fontsUsed[font] && !named.hasKey(key))
                named.replaceKey(key, known[font].pdf->object);
        QPDFObjectHandle contents = QPDFObjectHandle::newArray();
        contents.appendItem(save);
        for (QPDFObjectHandle &stream : page.getPageContents())
            contents.appendItem(stream);
        contents.appendItem(compressedStream(
            *pdf, "Q\n" + pageMatrix + '\n' + PdfTextCompactor::write(pageTexts.data(), pageTexts.data() + used)));
        page.getObjectHandle().replaceKey("/Contents", contents);
    }
    if (nextText != log.texts.size())
        return nullptr;
    for (auto &[name, font] : fonts) {
        for (size_t code = 0; code < font.drawnAs.size(); ++code)
            if (font.drawnAs[code] != 0)
                font.characters[unsigned(code)] = QString::fromUcs4(&font.drawnAs[code], 1);
        font.object.replaceKey("/ToUnicode", compressedStream(*pdf, toUnicodeCMap(font.characters)));
    }
    return pdf;
}

void PdfJoin::join(std::vector<std::unique_ptr<QPDF>> &parts, const QString &path)
{
    if (parts.empty() || !parts.front())
        throw std::invalid_argument("no document to join");
    // The pages of the others join the first document's, which is written as the whole: its
    // own pages and fonts are not copied (thousands of objects for a long list).
    QPDF &joined = *parts.front();
    QPDFPageDocumentHelper pages(joined);
    for (size_t i = 1; i < parts.size(); ++i)
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(*parts[i]).getAllPages())
            pages.addPage(page, false);
    // The writer keeps the name's pointer and opens the file only in write(): the bytes must
    // outlive the writer, not just this statement.
    const QByteArray fileName = QFile::encodeName(path);
    QPDFWriter writer(joined, fileName.constData());
    // Contents are already compressed; the small objects between them go into compressed
    // object streams.
    writer.setStreamDataMode(qpdf_s_preserve);
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
}
