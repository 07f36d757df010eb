#include "watch/saved_entries.h"

#include "core/carrier_catalogue.h"
#include "store/saved_parcel_file.h"

#include <QHash>

QList<SavedEntry> savedEntries(const QStringList &lines)
{
    QList<SavedEntry> entries;
    entries.reserve(lines.size());
    // Thousands of lines name a few carriers.
    QHash<QString, QString> codes;
    for (const QString &line : lines) {
        const SavedParcel parcel = readSavedLine(line);
        auto code = codes.constFind(parcel.carrier);
        if (code == codes.constEnd())
            code = codes.insert(parcel.carrier, carrierCode(carrierIndexByName(parcel.carrier)));
        entries.append({{parcel.number, code.value()}, parcel.carrier, parcel.remark});
    }
    return entries;
}
