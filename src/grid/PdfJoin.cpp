#include "PdfJoin.h"

#include <QFile>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <memory>

void PdfJoin::join(const std::vector<QByteArray> &pdfs, const QString &path)
{
    // The documents the pages come from are read until the joined one is written.
    std::vector<std::unique_ptr<QPDF>> sources;
    QPDF joined;
    joined.emptyPDF();
    QPDFPageDocumentHelper pages(joined);
    for (const QByteArray &pdf : pdfs) {
        sources.push_back(std::make_unique<QPDF>());
        sources.back()->processMemoryFile("run", pdf.constData(), size_t(pdf.size()));
        for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(*sources.back()).getAllPages())
            pages.addPage(page, false);
    }
    QPDFObjectHandle info = joined.makeIndirectObject(QPDFObjectHandle::newDictionary());
    info.replaceKey("/Creator", QPDFObjectHandle::newUnicodeString("kaowu"));
    joined.getTrailer().replaceKey("/Info", info);
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
