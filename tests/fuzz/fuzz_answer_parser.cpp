// The tracking answer: any bytes the service may send, cut into rows.
#include "core/answer_parser.h"
#include "core/delivery_status.h"
#include "platform/text_codec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString answer = decodeWithCharset(bytes, QByteArray());
    const int count = countAnswerRows(answer);
    ParseState state;
    const std::vector<ProgressRow> rows = parseAnswerRows(answer, count, state);
    if (static_cast<int>(rows.size()) != count)
        __builtin_trap();
    // A second parse over more rows than present must keep going on the earlier values.
    parseAnswerRows(answer, count + 2, state);
    if (!rows.empty()) {
        deliveryStatusOf(rows.front().progress);
        transitTimeText(secondsSince(rows.back().time, QDateTime::currentDateTime()));
    }
    return 0;
}
