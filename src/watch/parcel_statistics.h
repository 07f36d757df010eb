#pragma once

#include "core/parcel_types.h"
#include "watch/delivery_estimate.h"

#include <QJsonObject>
#include <QList>
#include <QString>

// What the user's history says about the carriers ("统计"): every parcel ever saved counts.
struct CarrierStatistics
{
    QString com;
    QString name;
    int tracked = 0;
    int signedFor = 0;
    int problems = 0; // parcels that were given a problem status at some time
    TransitSummary transit; // of the parcels signed for
    double problemShare() const { return tracked > 0 ? double(problems) / tracked : 0.0; }
};

struct MonthStatistics
{
    QString month; // "2024-03", of the signing row
    int received = 0;
};

struct ParcelStatistics
{
    QList<CarrierStatistics> carriers; // most parcels first
    QList<MonthStatistics> months; // oldest first
};

ParcelStatistics parcelStatistics(const QList<ParcelRecord> &parcels);
// "12.5%"
QString shareText(double share);
// `parcelvue stats --json`.
QJsonObject statisticsJson(const ParcelStatistics &statistics);
