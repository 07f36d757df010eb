// The tracking answer: any bytes the service may send, cut into rows.
#include "core/answer_parser.h"
#include "core/delivery_status.h"
#include "literal_answer_parse.h"
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
    // A second parse over more rows than present must keep going on the earlier values, and both
    // must cut exactly what the plain split-and-remove cutting cuts.
    ParseState literalState;
    const std::vector<ProgressRow> literalRows = literalAnswerRows(answer, count, literalState);
    const std::vector<ProgressRow> more = parseAnswerRows(answer, count + 2, state);
    const std::vector<ProgressRow> literalMore = literalAnswerRows(answer, count + 2, literalState);
    for (const auto &[got, want] : {std::pair(&rows, &literalRows), std::pair(&more, &literalMore)}) {
        if (got->size() != want->size())
            __builtin_trap();
        for (size_t i = 0; i < got->size(); ++i) {
            const ProgressRow &a = (*got)[i];
            const ProgressRow &b = (*want)[i];
            if (a.number != b.number || a.time != b.time || a.progress != b.progress)
                __builtin_trap();
        }
    }
    if (state.timeCell != literalState.timeCell || state.stepCell != literalState.stepCell
        || state.cellIndex != literalState.cellIndex)
        __builtin_trap();
    if (!rows.empty()) {
        deliveryStatusOf(rows.front().progress);
        transitTimeText(secondsSince(rows.back().time, QDateTime::currentDateTime()));
    }
    return 0;
}
