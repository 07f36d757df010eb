#include "platform/http_answer_reader.h"

#include <gtest/gtest.h>

namespace {
using State = HttpAnswerReader::State;

const QByteArray kChunkedHead = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
const QByteArray kLengthHead = "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n";
const QByteArray kOpenHead = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n";

struct Outcome
{
    State state;
    QByteArray body;
    int status;
};

Outcome read(const QByteArray &bytes, bool connectionEnds, bool byteByByte)
{
    HttpAnswerReader reader(16);
    if (byteByByte) {
        for (const char c : bytes)
            reader.feed(QByteArray(1, c));
    } else {
        reader.feed(bytes);
    }
    if (connectionEnds)
        reader.endOfStream();
    return {reader.state(), reader.body(), reader.status()};
}
} // namespace

TEST(HttpAnswerReader, BodyEndsWhereItsFramingSays)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        bool connectionEnds;
        State state;
        QByteArray body;
    } cases[] = {
        {"declared length", kLengthHead + "hello", false, State::Done, "hello"},
        {"bytes past the declared length are not the body", kLengthHead + "hello, world", false, State::Done,
         "hello"},
        {"declared length cut", kLengthHead + "hel", true, State::Cut, ""},
        {"declared length still coming", kLengthHead + "hel", false, State::Reading, "hel"},
        {"zero length", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", false, State::Done, ""},
        {"equal lengths listed", "HTTP/1.1 200 OK\r\nContent-Length: 2, 2\r\n\r\nhi", false, State::Done,
         "hi"},
        {"header names in any case", "HTTP/1.1 200 OK\r\ncontent-LENGTH: 2\r\n\r\nhi", false, State::Done,
         "hi"},
        {"lines ended by LF alone", "HTTP/1.1 200 OK\nContent-Length: 2\n\nhi", false, State::Done, "hi"},
        {"chunks", kChunkedHead + "5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n", false, State::Done,
         "hello world"},
        {"chunk extension, capital hex and a trailer",
         kChunkedHead + "5;x=1\r\nhello\r\nA\r\n0123456789\r\n0\r\nX: 1\r\n\r\n", false, State::Done,
         "hello0123456789"},
        {"chunked wins over a length",
         "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nTransfer-Encoding: chunked\r\n\r\n"
         "5\r\nhello\r\n0\r\n\r\n",
         false, State::Done, "hello"},
        {"no length, no chunks: the end of the connection", kOpenHead + "hello", true, State::Done, "hello"},
        {"no length, no chunks, still open", kOpenHead + "hello", false, State::Reading, "hello"},
        {"a coding other than chunked last: the end of the connection",
         "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked, gzip\r\n\r\nabc", true, State::Done, "abc"},
        {"no content", "HTTP/1.1 204 No Content\r\nContent-Length: 9\r\n\r\n", false, State::Done, ""},
        {"an interim answer first", "HTTP/1.1 100 Continue\r\n\r\n" + kLengthHead + "hello", false,
         State::Done, "hello"},
    };
    for (const auto &c : cases) {
        for (const bool byteByByte : {false, true}) {
            const Outcome outcome = read(c.bytes, c.connectionEnds, byteByByte);
            EXPECT_EQ(outcome.state, c.state) << c.name << (byteByByte ? ", byte by byte" : "");
            EXPECT_EQ(outcome.body, c.body) << c.name << (byteByByte ? ", byte by byte" : "");
        }
    }
    EXPECT_EQ(read("HTTP/1.1 100 Continue\r\n\r\n" + kLengthHead + "hello", false, false).status, 200);
    EXPECT_EQ(read("HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n", false, false).status, 404);
}

TEST(HttpAnswerReader, ChunkedAnswerCutAnywhereIsCut)
{
    const QByteArray whole = kChunkedHead + "5\r\nhello\r\n6\r\n world\r\n0\r\n\r\n";
    // Every cut short of the blank line after the last chunk, the head included.
    for (qsizetype end = 0; end < whole.size(); ++end) {
        const Outcome outcome = read(whole.left(end), true, false);
        EXPECT_EQ(outcome.state, State::Cut) << "cut after " << end << " bytes";
        EXPECT_TRUE(outcome.body.isEmpty()) << "nothing of a cut answer is kept";
    }
    EXPECT_EQ(read(whole, true, false).state, State::Done);
}

TEST(HttpAnswerReader, RefusesWhatIsNotHttpOrTooLarge)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        bool connectionEnds;
        State state;
    } cases[] = {
        {"a page without a head", "<html><body>hello</body></html>\r\n\r\n", false, State::Malformed},
        {"a page without a head, then the end", "<html>", true, State::Cut},
        {"nothing at all", "", true, State::Cut},
        {"status not a number", "HTTP/1.1 2x0 OK\r\n\r\n", false, State::Malformed},
        {"header without a colon", "HTTP/1.1 200 OK\r\nbroken\r\n\r\n", false, State::Malformed},
        {"unequal lengths", "HTTP/1.1 200 OK\r\nContent-Length: 2, 3\r\n\r\nhi", false, State::Malformed},
        {"negative length", "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n", false, State::Malformed},
        {"chunk size not hex", kChunkedHead + "zz\r\n", false, State::Malformed},
        {"empty chunk size", kChunkedHead + "\r\n", false, State::Malformed},
        {"chunk longer than its size", kChunkedHead + "2\r\nhello\r\n", false, State::Malformed},
        {"declared length over the limit", "HTTP/1.1 200 OK\r\nContent-Length: 17\r\n\r\n", false,
         State::TooLarge},
        {"chunk over the limit", kChunkedHead + "11\r\n", false, State::TooLarge},
        {"chunks together over the limit", kChunkedHead + "9\r\n123456789\r\n9\r\n", false, State::TooLarge},
        {"chunk size beyond any number", kChunkedHead + "FFFFFFFFFFFFFFFFFFFF\r\n", false, State::TooLarge},
        {"open body over the limit", kOpenHead + "0123456789abcdefg", false, State::TooLarge},
        {"endless head", "HTTP/1.1 200 OK\r\nX: " + QByteArray(70 * 1024, 'a'), false, State::Malformed},
        {"endless chunk size line", kChunkedHead + QByteArray(9 * 1024, '0'), false, State::Malformed},
    };
    for (const auto &c : cases) {
        for (const bool byteByByte : {false, true}) {
            const Outcome outcome = read(c.bytes, c.connectionEnds, byteByByte);
            EXPECT_EQ(outcome.state, c.state) << c.name << (byteByByte ? ", byte by byte" : "");
            EXPECT_TRUE(outcome.body.isEmpty()) << c.name;
        }
    }
}
