#include "PdfJoin.h"

#include "PdfTextCompactor.h"

#include <QFile>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

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

// Rewrites the texts of every page of one document, its content compressed anew.
void compactPages(QPDF &pdf)
{
    std::map<QPDFObjGen, std::optional<PdfTextCompactor::Widths>> fonts;
    for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        QPDFObjectHandle contents = page.getObjectHandle().getKey("/Contents");
        if (!contents.isStream())
            continue;
        // The page's fonts by the names its content uses.
        std::map<std::string, const PdfTextCompactor::Widths *, std::less<>> byName;
        QPDFObjectHandle resources = page.getAttribute("/Resources", false);
        if (QPDFObjectHandle named = resources.isDictionary() ? resources.getKey("/Font") : QPDFObjectHandle();
            named.isDictionary()) {
            for (auto [name, font] : named.ditems()) {
                auto found = fonts.find(font.getObjGen());
                if (found == fonts.end() || !font.isIndirect())
                    found = fonts.insert_or_assign(font.getObjGen(), widthsOf(font)).first;
                if (found->second)
                    byName.emplace(name.substr(1), &*found->second);
            }
        }
        const std::shared_ptr<Buffer> data = contents.getStreamData(qpdf_dl_generalized);
        const QByteArray compact = PdfTextCompactor::compact(
            QByteArrayView(data->getBuffer(), qsizetype(data->getSize())), [&byName](QByteArrayView name) {
                const auto found = byName.find(std::string_view(name.data(), size_t(name.size())));
                return found == byName.end() ? nullptr : found->second;
            });
        // qCompress puts the length before the zlib stream, which is what FlateDecode reads.
        const QByteArray compressed = qCompress(compact, 6);
        contents.replaceStreamData(std::string(compressed.constData() + 4, size_t(compressed.size() - 4)),
            QPDFObjectHandle::newName("/FlateDecode"), QPDFObjectHandle::newNull());
    }
}

} // namespace

void PdfJoin::join(const std::vector<QString> &pdfs, const QString &path)
{
    if (pdfs.empty())
        throw std::invalid_argument("no document to join");
    // Each document is read and rewritten on a thread of its own (one document is never
    // shared between threads); they are read until the joined one is written.
    std::vector<std::unique_ptr<QPDF>> sources(pdfs.size());
    std::vector<std::exception_ptr> failures(pdfs.size());
    std::vector<std::thread> threads;
    for (size_t i = 0; i < pdfs.size(); ++i)
        threads.emplace_back([&, i] {
            try {
                sources[i] = std::make_unique<QPDF>();
                sources[i]->processFile(QFile::encodeName(pdfs[i]).constData());
                compactPages(*sources[i]);
            } catch (...) {
                failures[i] = std::current_exception();
            }
        });
    for (std::thread &thread : threads)
        thread.join();
    for (const std::exception_ptr &failure : failures)
        if (failure)
            std::rethrow_exception(failure);

    // The pages of the others join the first document's, which is written as the whole: its
    // own pages and fonts are not copied (thousands of objects for a long list).
    QPDF &joined = *sources.front();
    QPDFPageDocumentHelper pages(joined);
    for (size_t i = 1; i < sources.size(); ++i)
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(*sources[i]).getAllPages())
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
