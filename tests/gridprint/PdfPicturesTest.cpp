// Pictures in a written PDF: each one object however often it is drawn, in its own JPEG bytes
// unless it is finer than it prints, and on the page that shows it.
#include "griddata/GridData.h"
#include "gridprint/Paginator.h"
#include "gridprint/PdfWriter.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

QByteArray encoded(const QSize &size, const QColor &colour, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

struct Written {
    QByteArray bytes; // as stored in the file
    std::string filter;
    QSize pixels;
};

// The distinct pictures on each page of a PDF file, by page number.
std::map<int, std::vector<Written>> picturesOf(const QString &path)
{
    QPDF pdf;
    pdf.processFile(QFile::encodeName(path).constData());
    std::map<int, std::vector<Written>> pages;
    int number = 0;
    for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        std::vector<Written> &pictures = pages[++number];
        std::set<QPDFObjGen> seen;
        for (auto &[name, image] : page.getImages()) {
            if (!seen.insert(image.getObjGen()).second)
                continue;
            const std::shared_ptr<Buffer> raw = image.getRawStreamData();
            QPDFObjectHandle dict = image.getDict();
            pictures.push_back({ QByteArray(reinterpret_cast<const char *>(raw->getBuffer()), qsizetype(raw->getSize())),
                dict.getKey("/Filter").isName() ? dict.getKey("/Filter").getName() : std::string(),
                QSize(int(dict.getKey("/Width").getIntValue()), int(dict.getKey("/Height").getIntValue())) });
        }
    }
    return pages;
}

} // namespace

TEST(PdfPictures, APictureDrawnTwiceIsWrittenOnceInItsOwnBytesUnlessFinerThanItPrints)
{
    // Two cells of 100 × 130 layout pixels print their pictures in at most 306 × 400 dots.
    const struct {
        const char *what;
        QByteArray bytes;
        bool ownBytes;
        QSize pixels;
    } cases[] = {
        { "a JPEG as fine as it prints", encoded({ 240, 320 }, Qt::red, "JPEG"), true, { 240, 320 } },
        { "a finer JPEG", encoded({ 1200, 1600 }, Qt::red, "JPEG"), false, { 300, 400 } },
        { "a PNG", encoded({ 240, 320 }, Qt::blue, "PNG"), false, { 240, 320 } },
    };
    const QTemporaryDir dir;
    for (const auto &c : cases) {
        GridData data;
        data.setColWidth(1, 100);
        data.setColWidth(2, 100);
        data.setRowHeight(1, 130);
        ASSERT_TRUE(data.images().addData(QStringLiteral("1001"), c.bytes)) << c.what;
        data.setImageKey(1, 1, QStringLiteral("1001"));
        data.setImageKey(1, 2, QStringLiteral("1001"));
        const QString path = dir.filePath(QString::fromUtf8(c.what) + QStringLiteral(".pdf"));
        QString error;
        ASSERT_TRUE(PdfWriter::write(path, data, &error)) << error.toStdString();
        const std::vector<Written> pictures = picturesOf(path).at(1);
        ASSERT_EQ(pictures.size(), 1u) << c.what;
        EXPECT_EQ(pictures[0].filter, "/DCTDecode") << c.what;
        EXPECT_EQ(pictures[0].bytes == c.bytes, c.ownBytes) << c.what;
        EXPECT_EQ(pictures[0].pixels, c.pixels) << c.what;
    }
}

// A long document is painted by several threads; every page still shows its own photos.
TEST(PdfPictures, EveryPageOfALongDocumentShowsItsOwnPictures)
{
    GridData data;
    data.setRows(301);
    std::map<int, QByteArray> byRow;
    for (int row = 1; row < data.rows(); ++row) {
        data.setRowHeight(row, 300);
        const QString key = QString::number(row);
        byRow[row] = encoded({ 60, 80 }, QColor::fromHsv(row % 360, 255, 255 - row % 100), "JPEG");
        ASSERT_TRUE(data.images().addData(key, byRow[row]));
        data.setImageKey(row, 1, key);
    }
    const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.pdf"));
    QString error;
    ASSERT_TRUE(PdfWriter::write(path, data, &error, 3)) << error.toStdString();
    const std::map<int, std::vector<Written>> written = picturesOf(path);
    const QList<Page> pages = Paginator::paginate(data);
    ASSERT_GE(pages.size(), 80) << "enough pages for more than one thread";
    ASSERT_EQ(written.size(), size_t(pages.size()));
    for (const Page &page : pages) {
        std::multiset<QByteArray> expected;
        for (const Page::Line &row : page.rows)
            if (row.index > 0)
                expected.insert(byRow[row.index]);
        std::multiset<QByteArray> found;
        for (const Written &picture : written.at(page.number))
            found.insert(picture.bytes);
        EXPECT_EQ(found, expected) << "page " << page.number;
    }
}
