#include "watch/delivery_estimate.h"

#include "core/carrier_catalogue.h"
#include "core/delivery_status.h"
#include "watch/wall_clock.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QJsonValue>
#include <QLocale>
#include <algorithm>

TransitSummary summariseTransits(QList<qint64> seconds)
{
    TransitSummary summary;
    summary.count = int(seconds.size());
    if (seconds.isEmpty())
        return summary;
    std::sort(seconds.begin(), seconds.end());
    const qsizetype n = seconds.size();
    summary.median = n % 2 ? seconds.at(n / 2) : (seconds.at(n / 2 - 1) + seconds.at(n / 2)) / 2;
    // The smallest span that at least 80 of 100 parcels kept to.
    const qsizetype rank = (n * 80 + 99) / 100;
    summary.p80 = seconds.at(std::max<qsizetype>(rank, 1) - 1);
    return summary;
}

qint64 signedTransitSeconds(const ParcelRecord &parcel)
{
    if (parcel.status != kSignedFor)
        return -1;
    const qint64 accepted = wallSeconds(parcel.oldestTime);
    const qint64 signedAt = wallSeconds(parcel.signedTime);
    if (accepted < 0 || signedAt < accepted)
        return -1;
    return signedAt - accepted;
}

DeliveryEstimator::DeliveryEstimator(const QList<ParcelRecord> &history)
{
    QHash<QString, QList<qint64>> spans;
    for (const ParcelRecord &parcel : history) {
        const qint64 seconds = signedTransitSeconds(parcel);
        if (seconds >= 0 && !parcel.key.com.isEmpty())
            spans[parcel.key.com].append(seconds);
    }
    for (auto it = spans.cbegin(); it != spans.cend(); ++it)
        m_byCarrier.insert(it.key(), summariseTransits(it.value()));
}

DeliveryEstimate DeliveryEstimator::estimate(const ParcelRecord &parcel) const
{
    DeliveryEstimate estimate;
    if (parcel.status == kSignedFor)
        return estimate;
    if (parcel.serviceEstimate.isValid()) {
        estimate.source = DeliveryEstimate::Source::Service;
        estimate.from = parcel.serviceEstimate.from.toLocalTime();
        estimate.to
            = (parcel.serviceEstimate.to.isValid() ? parcel.serviceEstimate.to : parcel.serviceEstimate.from)
                  .toLocalTime();
        estimate.serviceName = parcel.serviceEstimate.source;
        return estimate;
    }
    const qint64 accepted = wallSeconds(parcel.oldestTime);
    const TransitSummary summary = m_byCarrier.value(parcel.key.com);
    if (accepted < 0 || summary.count < kMinimumSignedParcels)
        return estimate;
    estimate.source = DeliveryEstimate::Source::History;
    estimate.from = wallTime(accepted + summary.median);
    estimate.to = wallTime(accepted + summary.p80);
    estimate.carrierName = parcel.carrierName;
    estimate.basis = summary;
    return estimate;
}

namespace {
QString translated(const char *source)
{
    return QCoreApplication::translate("DeliveryEstimate", source);
}

QString dayText(const QDateTime &time, const QDateTime &now)
{
    const QDate date = time.date();
    // The formats name the month in English words under the English interface.
    const QString format = date.year() == now.toLocalTime().date().year()
        ? translated(QT_TRANSLATE_NOOP("DeliveryEstimate", "M月d日"))
        : translated(QT_TRANSLATE_NOOP("DeliveryEstimate", "yyyy年M月d日"));
    return QLocale::c().toString(date, format);
}

// `shown`: in the interface's language; otherwise the Chinese text reports and files carry.
QString span(qint64 seconds, bool shown)
{
    const auto text
        = [shown](const char *source) { return shown ? translated(source) : QString::fromUtf8(source); };
    const qint64 days = seconds / 86400;
    const qint64 hours = seconds % 86400 / 3600;
    if (days > 0)
        return hours > 0 ? text(QT_TRANSLATE_NOOP("DeliveryEstimate", "%1天%2小时")).arg(days).arg(hours)
                         : text(QT_TRANSLATE_NOOP("DeliveryEstimate", "%1天")).arg(days);
    if (hours > 0)
        return text(QT_TRANSLATE_NOOP("DeliveryEstimate", "%1小时")).arg(hours);
    return text(QT_TRANSLATE_NOOP("DeliveryEstimate", "%1分钟")).arg(std::max<qint64>(seconds, 0) / 60);
}
} // namespace

QString withinText(qint64 seconds)
{
    if (seconds >= 86400)
        return translated(QT_TRANSLATE_NOOP("DeliveryEstimate", "%1天内")).arg((seconds + 86399) / 86400);
    return translated(QT_TRANSLATE_NOOP("DeliveryEstimate", "%1小时内"))
        .arg(std::max<qint64>((seconds + 3599) / 3600, 1));
}

QString estimateText(const DeliveryEstimate &estimate, const QDateTime &now)
{
    switch (estimate.source) {
    case DeliveryEstimate::Source::None:
        break;
    case DeliveryEstimate::Source::Service: {
        const QString from = dayText(estimate.from, now);
        const QString to = dayText(estimate.to, now);
        return translated(QT_TRANSLATE_NOOP("DeliveryEstimate", "预计 %1 (%2)"))
            .arg(from == to ? from : from + QStringLiteral(" – ") + to, estimate.serviceName);
    }
    case DeliveryEstimate::Source::History:
        return translated(
                   QT_TRANSLATE_NOOP("DeliveryEstimate", "预计 %1左右 (按您以往的%2: 中位 %3, 80% %4)"))
            .arg(dayText(estimate.from, now), carrierShownName(estimate.carrierName),
                 shownSpanText(estimate.basis.median), withinText(estimate.basis.p80));
    }
    return QString();
}

QString spanText(qint64 seconds)
{
    return span(seconds, false);
}

QString shownSpanText(qint64 seconds)
{
    return span(seconds, true);
}

QJsonValue estimateJson(const DeliveryEstimate &estimate)
{
    if (!estimate.isValid())
        return QJsonValue();
    return QJsonObject {
        {QStringLiteral("from"), estimate.from.toUTC().toString(Qt::ISODate)},
        {QStringLiteral("to"), estimate.to.toUTC().toString(Qt::ISODate)},
        {QStringLiteral("source"),
         estimate.source == DeliveryEstimate::Source::Service ? estimate.serviceName
                                                              : QStringLiteral("history")},
    };
}
