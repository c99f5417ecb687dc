#pragma once

#include <QFile>
#include <QString>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

// The number of pages of a PDF file, as a PDF reader counts them.
inline int pdfPageCount(const QString &path)
{
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path).constData());
    return int(QPDFPageDocumentHelper(pdf).getAllPages().size());
}
