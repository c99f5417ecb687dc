#include "PdfJoin.h"

#include "PdfFileOutput.h"
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

// A new stream of content already deflated.
QPDFObjectHandle deflatedStream(QPDF &pdf, const QByteArray &deflated)
{
    QPDFObjectHandle stream = QPDFObjectHandle::newStream(&pdf);
    stream.replaceStreamData(std::string(deflated.constData(), size_t(deflated.size())),
        QPDFObjectHandle::newName("/FlateDecode"), QPDFObjectHandle::newNull());
    return stream;
}

QPDFObjectHandle compressedStream(QPDF &pdf, const QByteArray &data)
{
    return deflatedStream(pdf, PdfTextCompactor::deflate(data));
}

// A font Qt embedded, as the program's texts show it: the code Qt gave each glyph, by the
// glyph's own number, and the typefaces drawn with it.
struct Embedded {
    QPDFObjectHandle object;
    std::vector<int> codeOf; // -1: not embedded
    std::vector<int> faces;
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

} // namespace

std::unique_ptr<QPDF> PdfJoin::part(const QString &path, PdfTexts::Log &log)
{
    auto pdf = std::make_unique<QPDF>();
    pdf->processFile(QFile::encodeName(path).constData());
    if (log.introductions.empty())
        return pdf;
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(*pdf).getAllPages();
    if (log.drawnByQt || pages.size() != log.pages.size())
        return nullptr;

    // 1. The codes Qt gave the glyphs it was shown, read from the pages where it was shown them,
    // and the fonts it put them in.
    std::map<QPDFObjGen, Embedded> embedded;
    std::vector<Embedded *> fontOf(log.fonts.size(), nullptr); // by the log's font
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
            // Off the paper, where a slanted font's text space leans x by y.
            const bool offPaper = std::abs(text.x - PdfTexts::OffPaper) <= 1
                || std::abs(text.x + PdfTextCompactor::Slant * text.y - PdfTexts::OffPaper) <= 1;
            if (!offPaper || std::abs(text.y + PdfTexts::OffPaper) > 1)
                continue;
            if (next >= log.introductions.size() || log.introductions[next].page != pageIndex)
                return nullptr;
            const PdfTexts::Introduction &shown = log.introductions[next++];
            const PdfTexts::Font &font = *log.fonts[size_t(shown.font)];
            // A font Qt stretches itself is drawn by Qt, as is one Qt slants or makes bold when
            // the program did not see that it would.
            if (shown.glyphs.size() != text.codes.size()
                || !text.fontLine.endsWith(font.written.slanted ? " Tf 1 0 .3 -1 0 0 Tm" : " Tf 1 0 0 -1 0 0 Tm")
                || std::abs(text.size - font.written.size) > 0.01
                || std::abs(text.emboldenedBy - font.written.emboldenedBy) > 0.01)
                return nullptr;
            QPDFObjectHandle object = named.isDictionary() ? named.getKey("/" + text.fontName.toStdString())
                                                           : QPDFObjectHandle();
            QPDFObjectHandle cidFont = object.isDictionary() ? object.getKey("/DescendantFonts") : QPDFObjectHandle();
            cidFont = cidFont.isArray() && cidFont.getArrayNItems() == 1 ? cidFont.getArrayItem(0) : QPDFObjectHandle();
            if (!object.isIndirect() || !object.getKey("/Subtype").isNameAndEquals("/Type0")
                || !object.getKey("/Encoding").isNameAndEquals("/Identity-H") || !cidFont.isDictionary()
                || !cidFont.getKey("/CIDToGIDMap").isNameAndEquals("/Identity"))
                return nullptr;
            Embedded &target = embedded[object.getObjGen()];
            target.object = object;
            if (fontOf[size_t(shown.font)] && fontOf[size_t(shown.font)] != &target)
                return nullptr;
            fontOf[size_t(shown.font)] = &target;
            if (std::find(target.faces.begin(), target.faces.end(), font.face) == target.faces.end())
                target.faces.push_back(font.face);
            for (size_t i = 0; i < shown.glyphs.size(); ++i) {
                if (shown.glyphs[i] >= target.codeOf.size())
                    target.codeOf.resize(shown.glyphs[i] + 1, -1);
                target.codeOf[shown.glyphs[i]] = int(text.codes[i]);
            }
        }
        if (next < log.introductions.size() && log.introductions[next].page == pageIndex)
            return nullptr;
    }

    // 2. Each font shows a text's codes, the glyphs' own numbers, as the glyphs Qt embedded, as
    // wide as the texts were written with, and reads them back as the characters drawn.
    for (auto &[id, font] : embedded) {
        std::vector<double> widths;
        std::vector<char32_t> drawnAs;
        for (const int face : font.faces) {
            const PdfTexts::Face &from = *log.faces[size_t(face)];
            widths.resize(std::max<size_t>(widths.size(), from.widths.end()), -1);
            drawnAs.resize(std::max<size_t>(drawnAs.size(), from.drawnAs.end()), 0);
            for (quint32 glyph = 0; glyph < from.widths.end(); ++glyph) {
                const double width = from.widths[glyph];
                if (width >= 0 && widths[glyph] >= 0 && widths[glyph] != width)
                    return nullptr;
                if (width >= 0)
                    widths[glyph] = width;
            }
            for (quint32 glyph = 0; glyph < from.drawnAs.end(); ++glyph) {
                const char32_t character = from.drawnAs[glyph];
                if (character != 0 && drawnAs[glyph] != 0 && drawnAs[glyph] != character)
                    return nullptr;
                if (character != 0)
                    drawnAs[glyph] = character;
            }
        }
        const std::map<unsigned, QString> asQt = characterMap(font.object);
        std::map<unsigned, QString> characters;
        QByteArray map;
        std::string w = "[";
        for (size_t glyph = 0; glyph < widths.size(); ++glyph) {
            if (widths[glyph] < 0)
                continue;
            const int code = glyph < font.codeOf.size() ? font.codeOf[glyph] : -1;
            if (code < 0)
                return nullptr;
            map.resize(qsizetype(2 * glyph + 2), '\0');
            map[qsizetype(2 * glyph)] = char(code >> 8);
            map[qsizetype(2 * glyph + 1)] = char(code & 0xFF);
            w += ' ' + std::to_string(glyph) + " [" + std::to_string(std::lround(widths[glyph])) + ']';
            if (glyph < drawnAs.size() && drawnAs[glyph] != 0)
                characters[unsigned(glyph)] = QString::fromUcs4(&drawnAs[glyph], 1);
            else if (const auto qt = asQt.find(unsigned(code)); qt != asQt.end())
                characters[unsigned(glyph)] = qt->second;
        }
        QPDFObjectHandle cidFont = font.object.getKey("/DescendantFonts").getArrayItem(0);
        cidFont.replaceKey("/CIDToGIDMap", compressedStream(*pdf, map));
        cidFont.replaceKey("/W", QPDFObjectHandle::parse(w + " ]"));
        // The set of codes it had no longer holds; it is optional.
        if (QPDFObjectHandle descriptor = cidFont.getKey("/FontDescriptor"); descriptor.isDictionary())
            descriptor.removeKey("/CIDSet");
        font.object.replaceKey("/ToUnicode", compressedStream(*pdf, toUnicodeCMap(characters)));
    }

    // 3. Each page's texts go after what Qt drew there, from the page's own units: Qt's content
    // is set apart between "q" and "Q".
    QPDFObjectHandle save = compressedStream(*pdf, "q\n");
    QPDFObjectHandle restore = compressedStream(*pdf, "Q\n" + pageMatrix + '\n');
    for (size_t i = 0; i < pages.size(); ++i) {
        if (log.pages[i].isEmpty())
            continue;
        QPDFPageObjectHelper &page = pages[i];
        QPDFObjectHandle resources = page.getAttribute("/Resources", true);
        if (!resources.isDictionary())
            return nullptr;
        QPDFObjectHandle named = resources.getKey("/Font");
        if (!named.isDictionary()) {
            named = QPDFObjectHandle::newDictionary();
            resources.replaceKey("/Font", named);
        }
        for (const int font : log.pageFonts[i]) {
            if (!fontOf[size_t(font)])
                return nullptr;
            named.replaceKey("/" + log.fonts[size_t(font)]->written.name.toStdString(), fontOf[size_t(font)]->object);
        }
        QPDFObjectHandle contents = QPDFObjectHandle::newArray();
        contents.appendItem(save);
        for (QPDFObjectHandle &stream : page.getPageContents())
            contents.appendItem(stream);
        contents.appendItem(restore);
        contents.appendItem(deflatedStream(*pdf, log.pages[i]));
        log.pages[i] = QByteArray(); // the stream holds a copy
        page.getObjectHandle().replaceKey("/Contents", contents);
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
    PdfFileOutput file(path);
    QPDFWriter writer(joined);
    writer.setOutputPipeline(&file);
    // Contents are already compressed; the small objects between them go into compressed
    // object streams.
    writer.setStreamDataMode(qpdf_s_preserve);
    writer.setObjectStreamMode(qpdf_o_generate);
    writer.write();
    file.close();
}
