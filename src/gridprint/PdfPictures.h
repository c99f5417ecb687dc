#pragma once

#include <QHash>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QString>

#include <mutex>
#include <vector>

class GridImages;
class QPDF;
class QPainter;

// A grid's pictures written to PDF in their own JPEG bytes. Painting draws a tiny stand-in for
// each picture, which Qt's PDF writer writes once however often it is drawn (a ticket's photo
// on its stub and on the ticket); then embed() gives every stand-in's image object the
// picture's bytes, shrunk only when the picture is finer than it prints. No picture is decoded
// to be painted, so several threads may paint with one PdfPictures at once.
class PdfPictures {
public:
    // Pictures print at most at this resolution; a finer one is shrunk to it.
    static constexpr double MaxDpi = 300.0;

    explicit PdfPictures(const GridImages &images);

    // Draws the stand-in of picture `key`, fitted into `box` (layout units) with its aspect ratio
    // kept and centred; false when the grid holds no such picture.
    bool draw(QPainter &painter, const QString &key, const QRectF &box) const;
    // Replaces the stand-ins of one document painted with draw(); several threads may embed
    // into documents of their own at once.
    void embed(QPDF &pdf) const;

    // The stand-in's size in pixels, and its first pixel, by which embed() knows it.
    static constexpr int StandInWidth = 2;
    static constexpr QRgb StandInMark = 0xFF6B6177;

private:
    struct Picture {
        QString key;
        QSize size;     // in pixels; empty when the bytes are no picture
        QImage standIn; // one image, so the PDF writer keeps one object for it
    };
    // The bytes the PDF gets for picture `number`: its own when they are a JPEG that a PDF
    // reader shows as is and no finer than `box`, else the picture shrunk to the box as a JPEG.
    // Empty when the picture cannot be read.
    QByteArray pdfBytes(int number, const QSize &box) const;

    const GridImages &m_images;
    std::vector<Picture> m_pictures;
    QHash<QString, int> m_numbers;
    // The largest box each picture is drawn in, in pixels at MaxDpi.
    mutable std::mutex m_boxesLock;
    mutable std::vector<QSize> m_boxes;
};
