#include "cli/parcel_report.h"

#include "core/carrier_catalogue.h"
#include "core/delivery_status.h"
#include "watch/overview_rows.h"
#include "watch/parcel_groups.h"
#include "watch/parcel_statistics.h"
#include "watch/tracking_history.h"
#include "watch/watch_settings.h"

#include <QCoreApplication>

bool ParcelReport::archived(const ParcelRecord &parcel) const
{
    return isArchived(parcel, archiveDays, now);
}

QJsonObject ParcelReport::extraJson(const ParcelRecord &parcel) const
{
    return QJsonObject {{QStringLiteral("archived"), archived(parcel)},
                        {QStringLiteral("eta"), estimateJson(estimator.estimate(parcel))}};
}

ParcelReport parcelReport(const TrackingHistory &history, const QString &settingsPath, const QDateTime &now,
                          bool withArchived)
{
    ParcelReport report;
    report.now = now;
    report.archiveDays = WatchSettings::load(settingsPath).archiveDays;
    const QList<ParcelRecord> all = history.allParcels();
    report.estimator = DeliveryEstimator(all);
    for (const ParcelRecord &parcel : all) {
        if (parcel.listed && (withArchived || !report.archived(parcel)))
            report.parcels.append(parcel);
    }
    return report;
}

namespace {
QString spanOrDash(qint64 seconds)
{
    return seconds < 0 ? QStringLiteral("-") : spanText(seconds);
}
} // namespace

QString statisticsText(const TrackingHistory &history)
{
    const ParcelStatistics statistics = parcelStatistics(history.allParcels());
    QString text = QCoreApplication::translate(
        "CommandLine", "快递公司\t快递数\t已签收\t中位运送时间\t80%运送时间\t问题件占比\n");
    for (const CarrierStatistics &carrier : statistics.carriers)
        text += QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\n")
                    .arg(carrierShownName(carrier.name))
                    .arg(carrier.tracked)
                    .arg(carrier.signedFor)
                    .arg(spanOrDash(carrier.transit.median), spanOrDash(carrier.transit.p80),
                         shareText(carrier.problemShare()));
    text += QCoreApplication::translate("CommandLine", "\n月份\t签收数\n");
    for (const MonthStatistics &month : statistics.months)
        text += QStringLiteral("%1\t%2\n").arg(month.month).arg(month.received);
    return text;
}

QJsonObject statisticsJson(const TrackingHistory &history)
{
    return statisticsJson(parcelStatistics(history.allParcels()));
}

QString statusCode(const QString &status)
{
    // 问题件 and 派送失败 may carry the service's reason after them.
    const struct
    {
        const QString &status;
        const char *code;
        bool withReason;
    } codes[] = {
        {kSignedFor, "delivered", false},
        {kOutForDelivery, "out_for_delivery", false},
        {kInTransit, "in_transit", false},
        {kProblemParcel, "exception", true},
        {kNotQueried, "not_queried", false},
        {kQueryFailed, "failed", false},
        {kAwaitingPickup, "awaiting_pickup", false},
        {kDeliveryFailed, "delivery_failed", true},
        {kNoInformationYet, "no_information", false},
    };
    for (const auto &code : codes) {
        if (code.withReason ? status.startsWith(code.status) : status == code.status)
            return QString::fromLatin1(code.code);
    }
    return QStringLiteral("unknown");
}
