#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// Reads one HTTP/1.1 answer from the bytes of a connection, as they come. The body ends where its
// framing says: after its declared length, after the last chunk, or (with neither) where the
// connection ends. An answer whose connection ends before that is cut, never a shorter document.
class HttpAnswerReader
{
public:
    enum class State {
        Reading, // more bytes are needed
        Done, // the whole answer is in
        Cut, // the connection ended before the answer did
        Malformed, // the bytes are not an HTTP answer
        TooLarge, // the body would pass the limit
    };

    explicit HttpAnswerReader(qint64 maxBody);

    // Takes the next bytes of the connection. Bytes after a finished answer are ignored.
    void feed(const QByteArray &bytes);
    // The connection has ended: a body without length or chunks is whole now; any other answer
    // still being read is cut.
    void endOfStream();

    State state() const { return m_state; }
    bool finished() const { return m_state != State::Reading; }
    int status() const { return m_status; }
    // The value of the first header of that name (case-insensitive), empty when there is none.
    QByteArray header(const QByteArray &name) const;
    const QByteArray &body() const { return m_body; }

private:
    enum class Part { Head, FixedBody, ChunkSize, ChunkData, ChunkDataEnd, Trailer, BodyToClose };

    bool readHead();
    void startBody();
    bool readLine(QByteArray &line);
    void step();
    void fail(State state);
    void append(const QByteArray &bytes);

    const qint64 m_maxBody;
    State m_state = State::Reading;
    Part m_part = Part::Head;
    QByteArray m_buffer; // received, not yet consumed
    qsizetype m_consumed = 0;
    qsizetype m_headSearched = 0; // the buffer up to here holds no end of the head
    int m_status = 0;
    QList<QPair<QByteArray, QByteArray>> m_headers;
    QByteArray m_body;
    qint64 m_declaredLength = -1;
    qint64 m_chunkLeft = 0;
};
