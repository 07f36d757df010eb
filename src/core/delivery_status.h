#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

inline const QString kSignedFor = QStringLiteral("已签收");
inline const QString kOutForDelivery = QStringLiteral("派件中");
inline const QString kInTransit = QStringLiteral("运送中");

// The statuses a service gives a parcel it has not delivered, where the rows alone would not say so.
inline const QString kProblemParcel = QStringLiteral("问题件");
inline const QString kAwaitingPickup = QStringLiteral("待取件");
inline const QString kDeliveryFailed = QStringLiteral("派送失败");

// The notes an adapter adds to the newest row when the service's status says more than the row,
// so that the status rule below reads the service's status.
inline const QString kSignedForNote = QStringLiteral("（已签收）");
inline const QString kOutForDeliveryNote = QStringLiteral("（派件中）");

// Whether a progress text says the parcel was signed for: "签" or "妥", but not the "签" of
// 拒签, 待签, 未签 or 签收失败, and never a row that says 拒收 or 退回.
bool saysSignedFor(const QString &progress);
// "已签收" when the newest progress text says it was signed for, else "派件中" when it holds "派",
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
