// 快递鸟's answer: any bytes, turned into rows, an error word or the service's failure.
#include "fuzz_service_check.h"
#include "services/kdniao_answer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    checkServiceAnswer(readKdniaoAnswer(fuzzBytes(data, size)));
    return 0;
}
