#include "watch/saved_entries.h"

#include "core/carrier_catalogue.h"
#include "store/saved_parcel_file.h"

QList<SavedEntry> savedEntries(const QStringList &lines)
{
    QList<SavedEntry> entries;
    entries.reserve(lines.size());
    for (const QString &line : lines) {
        const SavedParcel parcel = readSavedLine(line);
        entries.append({{parcel.number, carrierCode(carrierIndexByName(parcel.carrier))},
                        parcel.carrier,
                        parcel.remark});
    }
    return entries;
}
