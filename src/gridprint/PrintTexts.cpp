#include "PrintTexts.h"

#include "griddata/GridData.h"
#include "griddata/ReportTitle.h"

#include <QFontMetricsF>
#include <QImage>

#include <algorithm>
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

std::array<QString, 3> PrintTexts::titleParts(const QString &text)
{
    const qsizetype first = text.indexOf(u'|');
    if (first < 0)
        return { QString(), text, QString() };
    const qsizetype second = text.indexOf(u'|', first + 1);
    if (second < 0)
        return { text.left(first), text.mid(first + 1), QString() };
    return { text.left(first), text.mid(first + 1, second - first - 1), text.mid(second + 1) };
}

double PrintTexts::titleHeight(const ReportTitle &title, double width)
{
    const QFont font = titleFont(title);
    double tallest = height(font, QString(), width);
    for (const QString &part : titleParts(title.text))
        if (!part.isEmpty())
            tallest = std::max(tallest, height(font, part, width));
    return tallest;
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
