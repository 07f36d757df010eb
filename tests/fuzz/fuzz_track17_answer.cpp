// 17TRACK's answers to register, gettrackinfo and getquota: any bytes, turned into rows, an error
// word or the service's failure; a quota or why there is none.
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
    const Track17Quota quota = readTrack17Quota(bytes);
    FUZZ_REQUIRE(quota.ok || !quota.userText.trimmed().isEmpty());
    return 0;
}
