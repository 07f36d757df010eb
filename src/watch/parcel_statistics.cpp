#include "watch/parcel_statistics.h"

#include "core/delivery_status.h"
#include "watch/parcel_groups.h"
#include "watch/wall_clock.h"

#include <QHash>
#include <QJsonArray>
#include <QMap>
#include <algorithm>

ParcelStatistics parcelStatistics(const QList<ParcelRecord> &parcels)
{
    QHash<QString, CarrierStatistics> byCarrier;
    QHash<QString, QList<qint64>> spans;
    QMap<QString, int> months;
    for (const ParcelRecord &parcel : parcels) {
        const QString com = parcel.key.com.isEmpty() ? parcel.carrierName : parcel.key.com;
        CarrierStatistics &carrier = byCarrier[com];
        carrier.com = parcel.key.com;
        if (carrier.name.isEmpty())
            carrier.name = parcel.carrierName;
        ++carrier.tracked;
        if (parcel.problemSeen || isProblemStatus(parcel.status))
            ++carrier.problems;
        if (parcel.status != kSignedFor)
            continue;
        ++carrier.signedFor;
        const qint64 seconds = signedTransitSeconds(parcel);
        if (seconds >= 0)
            spans[com].append(seconds);
        const qint64 signedAt = wallSeconds(parcel.signedTime);
        if (signedAt >= 0)
            ++months[wallTime(signedAt).toString(QStringLiteral("yyyy-MM"))];
    }
    ParcelStatistics statistics;
    for (auto it = byCarrier.begin(); it != byCarrier.end(); ++it) {
        it->transit = summariseTransits(spans.value(it.key()));
        statistics.carriers.append(it.value());
    }
    std::sort(statistics.carriers.begin(), statistics.carriers.end(),
              [](const CarrierStatistics &a, const CarrierStatistics &b) {
                  return a.tracked != b.tracked ? a.tracked > b.tracked : a.name < b.name;
              });
    for (auto it = months.cbegin(); it != months.cend(); ++it)
        statistics.months.append({it.key(), it.value()});
    return statistics;
}

QString shareText(double share)
{
    return QString::number(share * 100, 'f', 1) + QLatin1Char('%');
}

namespace {
QJsonValue spanJson(qint64 seconds)
{
    if (seconds < 0)
        return QJsonValue();
    return QJsonObject {{QStringLiteral("seconds"), seconds}, {QStringLiteral("text"), spanText(seconds)}};
}
} // namespace

QJsonObject statisticsJson(const ParcelStatistics &statistics)
{
    QJsonArray carriers;
    for (const CarrierStatistics &carrier : statistics.carriers)
        carriers.append(QJsonObject {
            {QStringLiteral("code"), carrier.com},
            {QStringLiteral("name"), carrier.name},
            {QStringLiteral("tracked"), carrier.tracked},
            {QStringLiteral("signed"), carrier.signedFor},
            {QStringLiteral("transit"),
             QJsonObject {{QStringLiteral("median"), spanJson(carrier.transit.median)},
                          {QStringLiteral("p80"), spanJson(carrier.transit.p80)}}},
            {QStringLiteral("problem_share"), carrier.problemShare()},
        });
    QJsonArray months;
    for (const MonthStatistics &month : statistics.months)
        months.append(QJsonObject {{QStringLiteral("month"), month.month},
                                   {QStringLiteral("received"), month.received}});
    return QJsonObject {{QStringLiteral("carriers"), carriers}, {QStringLiteral("months"), months}};
}
