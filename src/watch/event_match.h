#pragma once

#include "core/parcel_types.h"

#include <QString>

// The same event of a parcel in the forms of two tracking services: one puts the place in 【】,
// another names it without them or puts it in front, one adds markup or a status in brackets at
// the end, and their clocks may round differently. Two rows are one event when their times are
// within a minute and their texts agree once the places in 【】 (or only the brackets), markup,
// such a status, spaces and punctuation are left out.
struct EventKey
{
    qint64 whenMs = -1; // the row's time; -1 when it cannot be read (then the time must be equal)
    QString time;
    QString withoutPlaces; // the text without what stands in 【】
    QString withPlaces; // the text without the brackets themselves
};

EventKey eventKey(const HistoryRow &row);
bool sameEvent(const EventKey &a, const EventKey &b);
