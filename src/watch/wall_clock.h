#pragma once

#include <QDateTime>
#include <QString>

// Rows' times are the wall clock where the parcel was, without a zone. Spans between them, and
// from them to now, are counted on the wall clock: seconds since 1970-01-01 00:00 as if it were
// UTC, with plain arithmetic, which is fast enough for tens of thousands of parcels at a time.

// A row's time ("2024-03-01 10:00:00", "2024-03-01 10:00", "2024/3/1 8:00:00", ISO with "T");
// -1 when it cannot be read.
qint64 wallSeconds(const QString &rowTime);
// The local wall clock at `time`.
qint64 wallSeconds(const QDateTime &time);
// Back to a local time.
QDateTime wallTime(qint64 seconds);
