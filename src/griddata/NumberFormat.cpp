#include "NumberFormat.h"

#include <QLocale>

QString NumberFormat::apply(const QString &format, const QString &text)
{
    if (format.isEmpty())
        return text;
    bool isNumber = false;
    double value = text.trimmed().toDouble(&isNumber);
    if (!isNumber)
        return text;
    const bool percent = format.endsWith(QLatin1Char('%'));
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    int decimals = 0;
    if (point >= 0)
        while (point + 1 + decimals < format.size() && format.at(point + 1 + decimals) == QLatin1Char('0'))
            ++decimals;
    if (percent)
        value *= 100;
    QLocale locale = QLocale::c();
    locale.setNumberOptions(format.contains(QLatin1Char(',')) ? QLocale::NumberOptions()
                                                              : QLocale::NumberOptions(QLocale::OmitGroupSeparator));
    QString shown = locale.toString(value, 'f', decimals);
    if (shown.startsWith(QLatin1Char('-'))
        && shown.count(QLatin1Char('0')) + shown.count(QLatin1Char('.')) + shown.count(QLatin1Char(','))
            == shown.size() - 1)
        shown.remove(0, 1); // -0.00 reads as 0.00
    return percent ? shown + QLatin1Char('%') : shown;
}
