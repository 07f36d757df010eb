#pragma once

#include "core/parcel_types.h"

#include <QDateTime>
#include <QHash>
#include <QJsonValue>
#include <QList>
#include <QString>

// How long parcels took: the median and the 80th percentile of their transit times.
struct TransitSummary
{
    int count = 0; // parcels measured
    qint64 median = -1; // seconds; -1 without any
    qint64 p80 = -1; // 80 of 100 arrived within this (nearest rank)
};
TransitSummary summariseTransits(QList<qint64> seconds);

// From the oldest row to the signing row of a parcel signed for; -1 when it is not signed for or
// a time cannot be read.
qint64 signedTransitSeconds(const ParcelRecord &parcel);

// When a parcel not yet signed for should arrive ("预计送达").
struct DeliveryEstimate
{
    enum class Source { None, Service, History };
    Source source = Source::None;
    QDateTime from, to; // local times
    QString serviceName; // Service: who said it
    QString carrierName; // History: whose parcels it was learnt from
    TransitSummary basis; // History: what it was learnt from
    bool isValid() const { return source != Source::None; }
};

// The estimates of the user's own history: per carrier, the transit times of the parcels signed
// for, once there are enough of them; a service's own estimate comes first.
class DeliveryEstimator
{
public:
    static constexpr int kMinimumSignedParcels = 5;

    DeliveryEstimator() = default;
    explicit DeliveryEstimator(const QList<ParcelRecord> &history);

    DeliveryEstimate estimate(const ParcelRecord &parcel) const;
    // The carrier's summary (by service code); count 0 when none was signed for.
    TransitSummary carrier(const QString &com) const { return m_byCarrier.value(com); }

private:
    QHash<QString, TransitSummary> m_byCarrier;
};

// "预计 12月11日左右 (按您以往的顺丰快递: 中位 2天5小时, 80% 3天内)", "预计 12月11日 – 12月12日 (17TRACK)";
// empty for none. A date of another year than `now` names its year. In the interface's language.
QString estimateText(const DeliveryEstimate &estimate, const QDateTime &now);
// "2天5小时", "5小时", "40分钟": the Chinese text reports and files carry.
QString spanText(qint64 seconds);
// spanText() in the interface's language: "2d 5h", "5h", "40 min".
QString shownSpanText(qint64 seconds);
// "3天内", "20小时内": the span rounded up, in the interface's language.
QString withinText(qint64 seconds);
// The JSON of the command line: {"from", "to", "source"} in UTC, or null.
QJsonValue estimateJson(const DeliveryEstimate &estimate);
