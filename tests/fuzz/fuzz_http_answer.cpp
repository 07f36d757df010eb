// An HTTP answer as it comes off a connection, in pieces of any size.
#include "fuzz_check.h"
#include "platform/http_answer_reader.h"

#include <cstddef>
#include <cstdint>

namespace {
constexpr qint64 kMaxBody = 4096;

struct Read
{
    HttpAnswerReader::State state;
    int status;
    QByteArray body;
};

// Feeds `bytes` in pieces whose sizes come from `sizes` (cycled), then ends the connection when asked.
Read readInPieces(const QByteArray &bytes, const QByteArray &sizes, bool end)
{
    HttpAnswerReader reader(kMaxBody);
    qsizetype at = 0;
    for (qsizetype i = 0; at < bytes.size(); ++i) {
        const qsizetype piece
            = sizes.isEmpty() ? bytes.size() : 1 + static_cast<uint8_t>(sizes.at(i % sizes.size()));
        reader.feed(bytes.mid(at, piece));
        at += piece;
    }
    if (end)
        reader.endOfStream();
    FUZZ_REQUIRE(reader.body().size() <= kMaxBody);
    if (reader.state() != HttpAnswerReader::State::Done && reader.state() != HttpAnswerReader::State::Reading)
        FUZZ_REQUIRE(reader.body().isEmpty());
    if (end)
        FUZZ_REQUIRE(reader.finished());
    return {reader.state(), reader.status(), reader.body()};
}

void checkSplitsDoNotMatter(const QByteArray &bytes, const QByteArray &sizes)
{
    for (const bool end : {false, true}) {
        const Read whole = readInPieces(bytes, {}, end);
        const Read pieces = readInPieces(bytes, sizes, end);
        FUZZ_REQUIRE(whole.state == pieces.state);
        FUZZ_REQUIRE(whole.status == pieces.status);
        FUZZ_REQUIRE(whole.body == pieces.body);
    }
}

// A chunked answer made from the input: every byte of the body comes back, and every cut is cut.
void checkChunkedRoundTrip(const QByteArray &body, const QByteArray &sizes)
{
    QByteArray answer = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
    qsizetype at = 0;
    for (qsizetype i = 0; at < body.size(); ++i) {
        const qsizetype size
            = sizes.isEmpty() ? body.size() : 1 + static_cast<uint8_t>(sizes.at(i % sizes.size()));
        const QByteArray chunk = body.mid(at, size);
        answer += QByteArray::number(chunk.size(), 16) + "\r\n" + chunk + "\r\n";
        at += size;
    }
    answer += "0\r\n\r\n";
    const Read whole = readInPieces(answer, sizes, false);
    FUZZ_REQUIRE(whole.state == HttpAnswerReader::State::Done);
    FUZZ_REQUIRE(whole.body == body);
    const qsizetype cut
        = sizes.isEmpty() ? answer.size() / 2 : static_cast<uint8_t>(sizes.at(0)) % answer.size();
    FUZZ_REQUIRE(readInPieces(answer.left(cut), sizes, true).state == HttpAnswerReader::State::Cut);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzzBytes(data, size);
    // First byte: which check; the next eight: piece sizes; the rest: the bytes.
    if (input.isEmpty())
        return 0;
    const QByteArray sizes = input.mid(1, 8);
    const QByteArray bytes = input.mid(9);
    if (input.at(0) & 1) {
        if (bytes.size() <= kMaxBody)
            checkChunkedRoundTrip(bytes, sizes);
    } else {
        checkSplitsDoNotMatter(bytes, sizes);
    }
    return 0;
}
