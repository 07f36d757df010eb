#include "core/delivery_status.h"

QString deliveryStatusOf(const QString &newestProgress)
{
    if (newestProgress.contains(QStringLiteral("签")) || newestProgress.contains(QStringLiteral("妥")))
        return kSignedFor;
    if (newestProgress.contains(QStringLiteral("派")))
        return kOutForDelivery;
    return kInTransit;
}

std::optional<QDateTime> parseRowTime(const QString &text)
{
    static const char *const formats[] = {
        "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm",    "yyyy/M/d H:mm:ss",
        "yyyy/M/d H:mm",       "yyyy-MM-ddTHH:mm:ss", "yyyy-M-d H:mm:ss",
    };
    const QString trimmed = text.trimmed();
    for (const char *format : formats) {
        QDateTime time = QDateTime::fromString(trimmed, QLatin1String(format));
        if (time.isValid()) {
            time.setTimeSpec(Qt::LocalTime);
            return time;
        }
    }
    return std::nullopt;
}

QString transitTimeText(qint64 seconds)
{
    const qint64 days = seconds / 86400;
    const qint64 hours = (seconds / 3600) % 24;
    const qint64 minutes = (seconds % 3600) / 60;
    return QString::number(days) + QStringLiteral("天") + QString::number(hours) + QStringLiteral("小时")
        + QString::number(minutes) + QStringLiteral("分");
}

qint64 secondsSince(const QString &oldestTime, const QDateTime &now)
{
    const std::optional<QDateTime> start = parseRowTime(oldestTime);
    if (!start)
        return 0;
    return start->secsTo(now);
}
