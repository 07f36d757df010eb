#pragma once

#include "core/parcel_types.h"
#include "watch/delivery_estimate.h"

#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>

class TrackingHistory;

// What `parcelvue list` shows: the listed parcels, without the archived ones unless asked for,
// with what the overview tells beside their state (the archive, the delivery estimate).
struct ParcelReport
{
    QList<ParcelRecord> parcels;
    DeliveryEstimator estimator;
    int archiveDays = 0;
    QDateTime now;

    bool archived(const ParcelRecord &parcel) const;
    // "archived" and "eta" for list --json.
    QJsonObject extraJson(const ParcelRecord &parcel) const;
};

// `settingsPath`: parcelvue.ini, for 归档天数.
ParcelReport parcelReport(const TrackingHistory &history, const QString &settingsPath, const QDateTime &now,
                          bool withArchived);

// `parcelvue stats`: one line per carrier and per month, for a terminal.
QString statisticsText(const TrackingHistory &history);
QJsonObject statisticsJson(const TrackingHistory &history);

// The English word of a status for scripts ("delivered", "out_for_delivery", ...), beside the
// Chinese status itself in the JSON; "unknown" for a word the program does not know.
QString statusCode(const QString &status);
