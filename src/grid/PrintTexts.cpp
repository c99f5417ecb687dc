#include "PrintTexts.h"

#include "GridData.h"
#include "ReportTitle.h"

#include <QFontMetricsF>
#include <QImage>

#include <cmath>

namespace {

constexpr double MarginFontPoints = 9;

// Measuring happens on a 96 dpi image, so that points come out in layout units.
const QImage &layoutDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return device;
}

} // namespace

QFont PrintTexts::titleFont(const ReportTitle &title)
{
    QFont font(title.Font.Name);
    font.setPointSizeF(title.Font.Size > 0 ? title.Font.Size : 12);
    return font;
}

QFont PrintTexts::marginFont(const GridData &data)
{
    QFont font(data.defaultFont().family());
    font.setPointSizeF(MarginFontPoints);
    return font;
}

double PrintTexts::height(const QFont &font, const QString &text, double width)
{
    const QFontMetricsF metrics(font, &layoutDevice());
    const QRectF box(0, 0, std::max(width, 1.0), 1e6);
    const double textHeight = text.isEmpty()
        ? metrics.height()
        : metrics.boundingRect(box, Qt::AlignHCenter | Qt::TextWordWrap, text).height();
    return std::ceil(textHeight + metrics.height() / 4);
}

QString PrintTexts::expand(const QString &text, int page, int count)
{
    QString expanded = text;
    expanded.replace(QLatin1String("&n"), QString::number(count), Qt::CaseInsensitive);
    expanded.replace(QLatin1String("&p"), QString::number(page), Qt::CaseInsensitive);
    return expanded;
}
