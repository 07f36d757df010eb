// The CSV import file: any bytes either refuse the whole file or give parcels that fit a saved
// line; what the program writes of them reads back as the same parcels.
#include "parcel_files_check.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const ParcelFileRead csv = readParcelsCsv(fuzzBytes(data, size));
    check(csv);
    if (!csv.ok)
        return 0;
    const ParcelFileRead again = readParcelsCsv(writeParcelsCsv(csv.parcels));
    FUZZ_REQUIRE(again.ok && sameParcels(csv.parcels, again.parcels, false));
    return 0;
}
