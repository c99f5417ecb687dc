#include "PdfPictures.h"

#include "griddata/GridImages.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <optional>
#include <set>
#include <string>

namespace {

constexpr double LayoutDpi = 96.0;
constexpr double FinerKept = 1.25;

// What a JPEG's frame header says; nullopt when the bytes are no JPEG that every PDF reader
// shows as it is (baseline or progressive, 8 bits, grey or colour).
struct JpegFrame {
    int width = 0;
    int height = 0;
    int components = 0;
};

std::optional<JpegFrame> plainJpegFrame(const QByteArray &bytes)
{
    const auto at = [&bytes](qsizetype i) { return int(uchar(bytes[i])); };
    if (bytes.size() < 4 || at(0) != 0xFF || at(1) != 0xD8)
        return std::nullopt;
    // Segments follow one another up to the frame header: a marker, then a length that counts
    // itself.
    for (qsizetype i = 2; i + 4 <= bytes.size();) {
        if (at(i) != 0xFF)
            return std::nullopt;
        const int marker = at(i + 1);
        if (marker == 0xFF) {
            ++i;
            continue;
        }
        const qsizetype length = (at(i + 2) << 8) | at(i + 3);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (i + 10 > bytes.size() || marker > 0xC2 || at(i + 4) != 8)
                return std::nullopt;
            const JpegFrame frame { (at(i + 7) << 8) | at(i + 8), (at(i + 5) << 8) | at(i + 6), at(i + 9) };
            if (frame.width <= 0 || frame.height <= 0 || (frame.components != 1 && frame.components != 3))
                return std::nullopt;
            return frame;
        }
        if (length < 2)
            return std::nullopt;
        i += 2 + length;
    }
    return std::nullopt;
}

QSize pictureSize(const QByteArray &bytes)
{
    if (const std::optional<JpegFrame> frame = plainJpegFrame(bytes))
        return { frame->width, frame->height };
    QBuffer buffer;
    buffer.setData(bytes);
    return QImageReader(&buffer).size();
}

// The stand-in of picture `number`: its mark, then the number in the second pixel's colour.
QImage standIn(int number)
{
    QImage image(PdfPictures::StandInWidth, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, PdfPictures::StandInMark);
    image.setPixel(1, 0, qRgb((number >> 16) & 0xFF, (number >> 8) & 0xFF, number & 0xFF));
    return image;
}

// The picture number of a stand-in's image object; -1 for any other object.
int standInNumber(QPDFObjectHandle image)
{
    QPDFObjectHandle dict = image.getDict();
    if (!dict.getKey("/Width").isInteger() || dict.getKey("/Width").getIntValue() != PdfPictures::StandInWidth
        || !dict.getKey("/Height").isInteger() || dict.getKey("/Height").getIntValue() != 1)
        return -1;
    std::shared_ptr<Buffer> data;
    try {
        data = image.getStreamData(qpdf_dl_generalized);
    } catch (const std::exception &) {
        return -1;
    }
    if (data->getSize() != 6)
        return -1;
    const unsigned char *rgb = data->getBuffer();
    if (qRgb(rgb[0], rgb[1], rgb[2]) != PdfPictures::StandInMark)
        return -1;
    return (rgb[3] << 16) | (rgb[4] << 8) | rgb[5];
}

// The picture shrunk into `box` as a colour JPEG, on white where it is transparent.
QByteArray shrunk(const QByteArray &bytes, const QSize &box)
{
    QBuffer source;
    source.setData(bytes);
    QImageReader reader(&source);
    const QSize size = reader.size();
    if (size.isValid() && !box.isEmpty() && (size.width() > box.width() || size.height() > box.height()))
        reader.setScaledSize(size.scaled(box, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        return {};
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        image = flat;
    }
    QByteArray jpeg;
    QBuffer target(&jpeg);
    target.open(QIODevice::WriteOnly);
    return image.convertToFormat(QImage::Format_RGB32).save(&target, "JPEG", 90) ? jpeg : QByteArray();
}

} // namespace

PdfPictures::PdfPictures(const GridImages &images)
    : m_images(images)
{
    const QStringList keys = images.keys();
    m_pictures.reserve(size_t(keys.size()));
    for (const QString &key : keys) {
        m_numbers.insert(key, int(m_pictures.size()));
        m_pictures.push_back(Picture { key, pictureSize(images.data(key)), standIn(int(m_pictures.size())) });
    }
    m_boxes.resize(m_pictures.size());
}

bool PdfPictures::draw(QPainter &painter, const QString &key, const QRectF &box) const
{
    const auto found = m_numbers.constFind(key);
    if (found == m_numbers.constEnd() || box.isEmpty() || m_pictures[size_t(*found)].size.isEmpty())
        return false;
    const Picture &picture = m_pictures[size_t(*found)];
    {
        const double scale = MaxDpi / LayoutDpi;
        const QSize dots(qMax(1, qRound(box.width() * scale)), qMax(1, qRound(box.height() * scale)));
        const std::lock_guard lock(m_boxesLock);
        m_boxes[size_t(*found)] = m_boxes[size_t(*found)].expandedTo(dots);
    }
    QRectF target(QPointF(), QSizeF(picture.size).scaled(box.size(), Qt::KeepAspectRatio));
    target.moveCenter(box.center());
    painter.save();
    // Written without loss, so that embed() reads the stand-in's number back.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.drawImage(target, picture.standIn);
    painter.restore();
    return true;
}

QByteArray PdfPictures::pdfBytes(int number, const QSize &box) const
{
    const QByteArray bytes = m_images.data(m_pictures[size_t(number)].key);
    // A picture a little finer than it prints (a photo made for the box, which the cell's
    // inner edge trims by a line) stays as it is: shrinking would cost a decoding and lose
    // detail for a few bytes.
    const QSize limit = box * FinerKept;
    const std::optional<JpegFrame> frame = plainJpegFrame(bytes);
    if (frame && (box.isEmpty() || (frame->width <= limit.width() && frame->height <= limit.height())))
        return bytes;
    return shrunk(bytes, box);
}

void PdfPictures::embed(QPDF &pdf) const
{
    std::set<QPDFObjGen> done;
    for (QPDFPageObjectHelper &page : QPDFPageDocumentHelper(pdf).getAllPages()) {
        for (auto &[name, image] : page.getImages()) {
            if (!done.insert(image.getObjGen()).second)
                continue;
            const int number = standInNumber(image);
            if (number < 0 || size_t(number) >= m_pictures.size())
                continue;
            const QSize box = [&] {
                const std::lock_guard lock(m_boxesLock);
                return m_boxes[size_t(number)];
            }();
            const QByteArray jpeg = pdfBytes(number, box);
            const std::optional<JpegFrame> frame = plainJpegFrame(jpeg);
            QPDFObjectHandle dict = image.getDict();
            for (const char *gone : { "/SMask", "/Mask", "/Decode", "/DecodeParms", "/Interpolate" })
                dict.removeKey(gone);
            if (!frame) {
                // Bytes that cannot be read show nothing, as on screen: one masked-out dot.
                dict.removeKey("/ColorSpace");
                dict.replaceKey("/ImageMask", QPDFObjectHandle::newBool(true));
                dict.replaceKey("/Width", QPDFObjectHandle::newInteger(1));
                dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(1));
                image.replaceStreamData("\xFF", QPDFObjectHandle::newNull(), QPDFObjectHandle::newNull());
                continue;
            }
            dict.replaceKey("/Width", QPDFObjectHandle::newInteger(frame->width));
            dict.replaceKey("/Height", QPDFObjectHandle::newInteger(frame->height));
            dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
            dict.replaceKey(
                "/ColorSpace", QPDFObjectHandle::newName(frame->components == 1 ? "/DeviceGray" : "/DeviceRGB"));
            image.replaceStreamData(std::string(jpeg.constData(), size_t(jpeg.size())),
                QPDFObjectHandle::newName("/DCTDecode"), QPDFObjectHandle::newNull());
        }
    }
}
