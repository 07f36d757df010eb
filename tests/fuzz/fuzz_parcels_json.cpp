// The JSON import file: any bytes either refuse the whole file or give parcels that fit a saved
// line; what the program writes of them reads back as the same parcels, history included.
#include "parcel_files_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ParcelFileRead json = readParcelsJson(fuzzBytes(data, size));
    check(json);
    if (!json.ok)
        return 0;
    for (const ParcelFileEntry &parcel : json.parcels) {
        for (const QString *text : {&parcel.saved.key.number, &parcel.saved.note}) {
            if (!isValidText(*text))
                return 0;
        }
        for (const HistoryRow &row : parcel.rows) {
            if (!isValidText(row.time) || !isValidText(row.text))
                return 0;
        }
    }
    const ParcelFileRead again = readParcelsJson(writeParcelsJson(json.parcels));
    FUZZ_REQUIRE(again.ok && sameParcels(json.parcels, again.parcels, true));
    return 0;
}
