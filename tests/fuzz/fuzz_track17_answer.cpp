// 17TRACK's answers to register and gettrackinfo: any bytes, turned into rows, an error word or
// the service's failure.
#include "fuzz_service_check.h"
#include "services/track17_answer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    if (const std::optional<ServiceAnswer> refused = readTrack17Register(bytes, QStringLiteral("N1")))
        checkServiceAnswer(*refused);
    checkServiceAnswer(readTrack17TrackInfo(bytes, QStringLiteral("N1")));
    return 0;
}
