#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

inline const QString kSignedFor = QStringLiteral("已签收");
inline const QString kOutForDelivery = QStringLiteral("派件中");
inline const QString kInTransit = QStringLiteral("运送中");

// "已签收" when the newest progress text holds "签" or "妥", else "派件中" when it holds "派",
// else "运送中".
QString deliveryStatusOf(const QString &newestProgress);

// Reads a row's time as local time: "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy/M/d H:mm:ss"
// and ISO "yyyy-MM-ddTHH:mm:ss".
std::optional<QDateTime> parseRowTime(const QString &text);

// Days, hours and minutes of a span of seconds, truncated toward zero: "1天2小时5分"; a negative
// span shows minus signs.
QString transitTimeText(qint64 seconds);

// The span from the oldest row's time to now; 0 seconds when the time cannot be read.
qint64 secondsSince(const QString &oldestTime, const QDateTime &now);
