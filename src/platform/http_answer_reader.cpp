#include "platform/http_answer_reader.h"

#include <algorithm>
#include <limits>

namespace {
// No honest head or chunk-size line comes near these.
constexpr qsizetype kMaxHead = 64 * 1024;
constexpr qsizetype kMaxLine = 8 * 1024;

bool parseDecimal(const QByteArray &text, qint64 &value)
{
    if (text.isEmpty() || text.size() > 18)
        return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
} // namespace

HttpAnswerReader::HttpAnswerReader(qint64 maxBody)
    : m_maxBody(maxBody)
{ }

QByteArray HttpAnswerReader::header(const QByteArray &name) const
{
    for (const auto &header : m_headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return header.second;
    }
    return {};
}

void HttpAnswerReader::feed(const QByteArray &bytes)
{
    if (finished() || bytes.isEmpty())
        return;
    m_buffer.append(bytes);
    step();
    // Keep only what is still to be read.
    if (m_consumed > 0) {
        m_buffer.remove(0, m_consumed);
        m_headSearched = std::max<qsizetype>(0, m_headSearched - m_consumed);
        m_consumed = 0;
    }
}

void HttpAnswerReader::endOfStream()
{
    if (finished())
        return;
    if (m_part == Part::BodyToClose)
        m_state = State::Done;
    else
        fail(State::Cut); // nothing of a cut answer is kept
}

void HttpAnswerReader::fail(State state)
{
    m_state = state;
    m_body.clear();
}

void HttpAnswerReader::append(const QByteArray &bytes)
{
    if (m_body.size() + bytes.size() > m_maxBody) {
        fail(State::TooLarge);
        return;
    }
    m_body.append(bytes);
}

bool HttpAnswerReader::readLine(QByteArray &line)
{
    const qsizetype end = m_buffer.indexOf('\n', m_consumed);
    if (end < 0) {
        if (m_buffer.size() - m_consumed > (m_part == Part::Head ? kMaxHead : kMaxLine))
            fail(State::Malformed);
        return false;
    }
    qsizetype length = end - m_consumed;
    if (length > 0 && m_buffer.at(end - 1) == '\r')
        --length;
    line = m_buffer.mid(m_consumed, length);
    m_consumed = end + 1;
    return true;
}

bool HttpAnswerReader::readHead()
{
    // The whole head must be in before any of it is taken. What was searched before is not
    // searched again, so a head that trickles in byte by byte costs no more than one that comes whole.
    const qsizetype from = std::max(m_consumed, m_headSearched - 3);
    qsizetype end = m_buffer.indexOf("\r\n\r\n", from);
    if (end < 0)
        end = m_buffer.indexOf("\n\n", from);
    if (end < 0) {
        m_headSearched = m_buffer.size();
        if (m_buffer.size() - m_consumed > kMaxHead)
            fail(State::Malformed);
        return false;
    }
    m_headSearched = 0;
    QByteArray statusLine;
    readLine(statusLine);
    const QList<QByteArray> words = statusLine.split(' ');
    qint64 status = 0;
    if (words.size() < 2 || !words.at(0).startsWith("HTTP/1.") || words.at(1).size() != 3
        || !parseDecimal(words.at(1), status) || status < 100) {
        fail(State::Malformed);
        return false;
    }
    m_status = static_cast<int>(status);
    m_headers.clear();
    QByteArray line;
    while (readLine(line) && !line.isEmpty()) {
        const qsizetype colon = line.indexOf(':');
        if (colon <= 0) {
            fail(State::Malformed);
            return false;
        }
        m_headers.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed()});
    }
    return true;
}

void HttpAnswerReader::startBody()
{
    // An interim answer (100 Continue and the like) is followed by the real one.
    if (m_status < 200 && m_status != 101) {
        m_part = Part::Head;
        return;
    }
    if (m_status == 204 || m_status == 304 || m_status == 101) {
        m_state = State::Done;
        return;
    }
    const QByteArray codings = header("Transfer-Encoding").toLower();
    if (!codings.isEmpty()) {
        // Chunked must be the last coding; any other framing ends with the connection.
        const QList<QByteArray> list = codings.split(',');
        m_part = list.last().trimmed() == "chunked" ? Part::ChunkSize : Part::BodyToClose;
        return;
    }
    const QByteArray length = header("Content-Length");
    if (length.isEmpty()) {
        m_part = Part::BodyToClose;
        return;
    }
    // A list of equal values is one length; unequal ones leave the body's end unknown.
    qint64 declared = -1;
    for (const QByteArray &value : length.split(',')) {
        qint64 one = 0;
        if (!parseDecimal(value.trimmed(), one) || (declared >= 0 && one != declared)) {
            fail(State::Malformed);
            return;
        }
        declared = one;
    }
    m_declaredLength = declared;
    if (declared > m_maxBody) {
        fail(State::TooLarge);
        return;
    }
    if (declared == 0) {
        m_state = State::Done;
        return;
    }
    m_part = Part::FixedBody;
}

void HttpAnswerReader::step()
{
    while (m_state == State::Reading) {
        const qsizetype available = m_buffer.size() - m_consumed;
        switch (m_part) {
        case Part::Head:
            if (!readHead())
                return;
            startBody();
            break;
        case Part::FixedBody: {
            if (available == 0)
                return;
            const qint64 take = std::min<qint64>(available, m_declaredLength - m_body.size());
            append(m_buffer.mid(m_consumed, take));
            m_consumed += take;
            if (m_state == State::Reading && m_body.size() == m_declaredLength)
                m_state = State::Done;
            break;
        }
        case Part::BodyToClose:
            if (available == 0)
                return;
            append(m_buffer.mid(m_consumed));
            m_consumed = m_buffer.size();
            break;
        case Part::ChunkSize: {
            QByteArray line;
            if (!readLine(line))
                return;
            const qsizetype extension = line.indexOf(';');
            const QByteArray digits = (extension >= 0 ? line.left(extension) : line).trimmed();
            if (digits.isEmpty()) {
                fail(State::Malformed);
                return;
            }
            qint64 size = 0;
            for (const char c : digits) {
                const int digit = hexDigit(c);
                if (digit < 0) {
                    fail(State::Malformed);
                    return;
                }
                if (size > (std::numeric_limits<qint64>::max() >> 4)) {
                    fail(State::TooLarge);
                    return;
                }
                size = size * 16 + digit;
            }
            if (size > m_maxBody - m_body.size()) {
                fail(State::TooLarge);
                return;
            }
            m_chunkLeft = size;
            m_part = size == 0 ? Part::Trailer : Part::ChunkData;
            break;
        }
        case Part::ChunkData: {
            if (available == 0)
                return;
            const qint64 take = std::min<qint64>(available, m_chunkLeft);
            append(m_buffer.mid(m_consumed, take));
            m_consumed += take;
            m_chunkLeft -= take;
            if (m_chunkLeft == 0)
                m_part = Part::ChunkDataEnd;
            break;
        }
        case Part::ChunkDataEnd: {
            QByteArray line;
            if (!readLine(line))
                return;
            if (!line.isEmpty()) {
                fail(State::Malformed);
                return;
            }
            m_part = Part::ChunkSize;
            break;
        }
        case Part::Trailer: {
            QByteArray line;
            if (!readLine(line))
                return;
            if (line.isEmpty())
                m_state = State::Done;
            break;
        }
        }
    }
}
