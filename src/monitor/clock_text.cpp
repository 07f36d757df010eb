#include "monitor/clock_text.h"

QString clockText(const QDateTime &time, const QLocale &locale)
{
    QString timeFormat = locale.timeFormat(QLocale::ShortFormat);
    if (!timeFormat.contains(QLatin1String("ss")) && timeFormat.contains(QLatin1String("mm")))
        timeFormat.replace(QLatin1String("mm"), QLatin1String("mm:ss"));
    return locale.toString(time, locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') + timeFormat);
}
