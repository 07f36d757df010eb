#pragma once

// What both import readers must hold to: a refused file gives no parcel, an accepted one only
// parcels that fit a saved line; and two reads are compared parcel by parcel.
#include "watch/parcel_files.h"
#include "fuzz_check.h"
#include "store/saved_parcel_file.h"

inline bool sameParcels(const QList<ParcelFileEntry> &a, const QList<ParcelFileEntry> &b, bool withRows)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a[i].saved.key != b[i].saved.key || a[i].saved.note != b[i].saved.note
            || a[i].saved.carrierName != b[i].saved.carrierName)
            return false;
        if (withRows && a[i].rows.size() != b[i].rows.size())
            return false;
        for (qsizetype r = 0; withRows && r < a[i].rows.size(); ++r) {
            if (a[i].rows[r].time != b[i].rows[r].time || a[i].rows[r].text != b[i].rows[r].text)
                return false;
        }
    }
    return true;
}

inline void check(const ParcelFileRead &read)
{
    if (!read.ok) {
        FUZZ_REQUIRE(read.parcels.isEmpty() && !read.error.isEmpty());
        return;
    }
    for (const ParcelFileEntry &parcel : read.parcels) {
        const QString line = savedLine(parcel.saved.key.number, parcel.saved.carrierName, parcel.saved.note);
        // The line reads back as the parcel, and stays one line.
        FUZZ_REQUIRE(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')));
        const SavedParcel saved = readSavedLine(line);
        FUZZ_REQUIRE(saved.number == parcel.saved.key.number && saved.carrier == parcel.saved.carrierName);
    }
}
