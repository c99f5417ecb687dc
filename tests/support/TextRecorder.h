#pragma once

#include <QImage>
#include <QList>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QString>
#include <QTextItem>
#include <QTransform>

// A paint device that keeps the texts drawn on it and where they start (in device pixels),
// so a test can read what stands on a printed page without a printer or OCR; pictures are kept
// as their size in pixels and the device rectangle they fill. Qt draws a line
// of mixed scripts in several runs; runs that continue one another are joined again.
class TextRecorder : public QPaintDevice {
public:
    struct Text {
        QString text;
        QPointF at;
        double end = 0; // x where the last run stopped
    };
    struct Picture {
        QSize pixels;
        QRectF target;
    };

    explicit TextRecorder(QSize size = QSize(800, 1200), int dpi = 96)
        : m_engine(this)
        , m_size(size)
        , m_dpi(dpi)
    {
    }

    QPaintEngine *paintEngine() const override { return &m_engine; }
    const QList<Text> &texts() const { return m_texts; }
    const QList<Picture> &pictures() const { return m_pictures; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return m_dpi;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(TextRecorder *owner)
            : QPaintEngine(AllFeatures)
            , m_owner(owner)
        {
        }
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &state) override
        {
            if (state.state() & DirtyTransform)
                m_transform = state.transform();
        }
        void drawTextItem(const QPointF &p, const QTextItem &item) override
        {
            const QPointF at = m_transform.map(p);
            const double end = m_transform.map(QPointF(p.x() + item.width(), p.y())).x();
            QList<Text> &texts = m_owner->m_texts;
            if (!texts.isEmpty() && qAbs(texts.last().at.y() - at.y()) < 0.5 && qAbs(texts.last().end - at.x()) < 1) {
                texts.last().text += item.text();
                texts.last().end = end;
                return;
            }
            texts.append({ item.text(), at, end });
        }
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override { }
        void drawImage(const QRectF &r, const QImage &image, const QRectF &, Qt::ImageConversionFlags) override
        {
            m_owner->m_pictures.append({ image.size(), m_transform.mapRect(r) });
        }
        void drawPath(const QPainterPath &) override { }
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override { }
        void drawLines(const QLineF *, int) override { }
        void drawRects(const QRectF *, int) override { }
        void drawEllipse(const QRectF &) override { }
        void drawPoints(const QPointF *, int) override { }
        Type type() const override { return User; }

    private:
        TextRecorder *m_owner;
        QTransform m_transform;
    };

    mutable Engine m_engine;
    QSize m_size;
    int m_dpi;
    QList<Text> m_texts;
    QList<Picture> m_pictures;
};
