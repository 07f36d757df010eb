#include "core/delivery_status.h"

bool saysSignedFor(const QString &progress)
{
    // A parcel refused or on its way back was not signed for, whatever else the row says.
    if (progress.contains(QStringLiteral("拒收")) || progress.contains(QStringLiteral("退回")))
        return false;
    if (progress.contains(QStringLiteral("妥")))
        return true;
    QString rest = progress;
    for (const char *notSigned : {"签收失败", "拒签", "待签", "未签"})
        rest.remove(QString::fromUtf8(notSigned));
    return rest.contains(QStringLiteral("签"));
}

QString deliveryStatusOf(const QString &newestProgress)
{
    if (saysSignedFor(newestProgress))
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
