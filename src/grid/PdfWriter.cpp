#include "PdfWriter.h"

#include "GridData.h"
#include "PagePainter.h"
#include "Paginator.h"

#include <QPainter>
#include <QPdfWriter>

bool PdfWriter::write(const QString &path, const GridData &data, QString *error)
{
    QPdfWriter pdf(path);
    pdf.setCreator(QStringLiteral("kaowu"));
    PagePainter::setUpDevice(pdf, data.pageSetup());
    QPainter painter;
    if (!painter.begin(&pdf)) {
        if (error)
            *error = QStringLiteral("无法写入文件：%1").arg(path);
        return false;
    }
    PagePainter::paintPages(painter, pdf, data, Paginator::paginate(data));
    return painter.end();
}
