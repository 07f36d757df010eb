#include "platform/http_get.h"

#include "platform/http_answer_reader.h"
#include "platform/text_codec.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <limits>

namespace {
const QString kCutText = QStringLiteral("connection closed before the whole answer came");
const QString kTooLargeText = QStringLiteral("answer larger than 16 MiB");
const QString kTimedOutText = QStringLiteral("timed out");
const QString kAbortedText = QStringLiteral("aborted");

QString statusText(int status)
{
    return QStringLiteral("HTTP status %1").arg(status);
}

HttpResult failed(HttpResult::Failure failure, const QString &text, int status = 0)
{
    HttpResult result;
    result.failure = failure;
    result.errorText = text;
    result.status = status;
    return result;
}

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// The request as a browser would send it, asking for the body as it is (no compression) and for
// the connection to end with the answer.
QByteArray plainRequest(const QUrl &url, const HttpGet::Headers &headers)
{
    QUrl target = url;
    QUrl::FormattingOptions format
        = QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment | QUrl::FullyEncoded;
    if (target.path().isEmpty())
        target.setPath(QStringLiteral("/"));
    else
        format |= QUrl::NormalizePathSegments;
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    if (url.port(80) != 80)
        host += ':' + QByteArray::number(url.port());

    QByteArray request = "GET " + target.toEncoded(format) + " HTTP/1.1\r\nHost: " + host + "\r\n";
    auto given = [&](const QByteArray &name) {
        for (const auto &header : headers) {
            if (header.first.compare(name, Qt::CaseInsensitive) == 0)
                return true;
        }
        return false;
    };
    if (!given("User-Agent"))
        request += "User-Agent: Mozilla/5.0\r\n";
    request += "Accept-Encoding: identity\r\nConnection: close\r\n";
    for (const auto &header : headers)
        request += header.first + ": " + header.second + "\r\n";
    return request + "\r\n";
}
} // namespace

HttpGet::HttpGet() = default;

HttpGet::~HttpGet()
{
    delete m_manager;
}

void HttpGet::abortAll()
{
    ++m_abortGeneration;
    for (PlainExchange *exchange : std::as_const(m_exchanges)) {
        exchange->aborted = true;
        exchange->socket->abort();
        exchange->loop->quit();
    }
    if (!m_manager)
        return;
    const auto replies = m_manager->findChildren<QNetworkReply *>();
    for (QNetworkReply *reply : replies)
        reply->abort();
}

HttpResult HttpGet::get(const QString &url, int timeoutMs, const Headers &headers)
{
    ++m_pending;
    const QUrl parsed(url);
    HttpResult result = parsed.scheme() == QLatin1String("http") ? getPlain(parsed, timeoutMs, headers)
                                                                 : getWithQt(url, timeoutMs, headers);
    --m_pending;
    return result;
}

HttpResult HttpGet::getPlain(QUrl url, int timeoutMs, const Headers &headers)
{
    // A second guard besides the transfer time-out, which restarts with every byte received: a
    // server that trickles must not hold the window forever. It covers every redirect.
    const QDeadlineTimer deadline(timeoutMs + timeoutMs / 2);
    for (int hop = 0;; ++hop) {
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            return failed(HttpResult::Failure::Timeout, kTimedOutText);
        QByteArray location;
        HttpResult result = exchangePlain(url, timeoutMs, left, headers, location);
        if (!result.ok() || location.isEmpty())
            return result;
        const QUrl next = url.resolved(QUrl::fromEncoded(location));
        if (hop == kMaxRedirects)
            return failed(HttpResult::Failure::NoConnection, QStringLiteral("too many redirects"),
                          result.status);
        if (next.scheme() == QLatin1String("https"))
            return getWithQt(next.toString(), timeoutMs, headers);
        if (next.scheme() != QLatin1String("http") || next.host().isEmpty())
            return failed(
                HttpResult::Failure::NoConnection,
                QStringLiteral("redirected to an address that cannot be fetched: %1").arg(next.toString()),
                result.status);
        url = next;
    }
}

HttpResult HttpGet::exchangePlain(const QUrl &url, int timeoutMs, qint64 deadlineMs, const Headers &headers,
                                  QByteArray &location)
{
    QTcpSocket socket;
    QEventLoop loop;
    PlainExchange exchange {&socket, &loop, false};
    m_exchanges.append(&exchange);
    HttpAnswerReader reader(kMaxBody);
    QAbstractSocket::SocketError socketError = QAbstractSocket::UnknownSocketError;
    bool socketFailed = false;
    bool idle = false;
    bool overdue = false;

    // No byte either way for the whole time-out ends the wait, like Qt's transfer time-out.
    QTimer idleTimer;
    idleTimer.setSingleShot(true);
    QObject::connect(&idleTimer, &QTimer::timeout, &loop, [&] {
        idle = true;
        loop.quit();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        overdue = true;
        loop.quit();
    });
    auto readAvailable = [&] {
        if (socket.isOpen())
            reader.feed(socket.readAll());
        idleTimer.start(timeoutMs);
        if (reader.finished())
            loop.quit();
    };
    auto ended = [&] {
        if (socket.isOpen())
            reader.feed(socket.readAll());
        reader.endOfStream();
        loop.quit();
    };
    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] {
        socket.write(plainRequest(url, headers));
        idleTimer.start(timeoutMs);
    });
    QObject::connect(&socket, &QTcpSocket::bytesWritten, &loop, [&] { idleTimer.start(timeoutMs); });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, readAvailable);
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, ended);
    QObject::connect(&socket, &QAbstractSocket::errorOccurred, &loop,
                     [&](QAbstractSocket::SocketError error) {
                         // A close or a reset after the request: what came so far decides.
                         if (error == QAbstractSocket::RemoteHostClosedError
                             && socket.state() != QAbstractSocket::ConnectingState
                             && socket.state() != QAbstractSocket::HostLookupState) {
                             ended();
                             return;
                         }
                         socketError = error;
                         socketFailed = true;
                         loop.quit();
                     });

    idleTimer.start(timeoutMs);
    deadline.start(static_cast<int>(std::min<qint64>(deadlineMs, std::numeric_limits<int>::max())));
    socket.connectToHost(url.host(), static_cast<quint16>(url.port(80)));
    if (!exchange.aborted)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_exchanges.removeOne(&exchange);
    const QString socketText = socket.errorString();
    socket.disconnect(); // closing it must not count as the server's end of the answer
    socket.abort();

    if (exchange.aborted)
        return failed(HttpResult::Failure::NoConnection, kAbortedText);
    if (!reader.finished()) {
        if (socketFailed)
            return failed(socketError == QAbstractSocket::SocketTimeoutError
                              ? HttpResult::Failure::Timeout
                              : HttpResult::Failure::NoConnection,
                          socketText);
        if (idle || overdue)
            return failed(HttpResult::Failure::Timeout, kTimedOutText, reader.status());
        return failed(HttpResult::Failure::NoConnection, kCutText, reader.status());
    }
    switch (reader.state()) {
    case HttpAnswerReader::State::Cut:
        return failed(HttpResult::Failure::NoConnection, kCutText, reader.status());
    case HttpAnswerReader::State::Malformed:
        return failed(HttpResult::Failure::NoConnection, QStringLiteral("the server's answer is not HTTP"),
                      reader.status());
    case HttpAnswerReader::State::TooLarge:
        return failed(HttpResult::Failure::TooLarge, kTooLargeText, reader.status());
    case HttpAnswerReader::State::Reading:
    case HttpAnswerReader::State::Done:
        break;
    }

    HttpResult result;
    result.status = reader.status();
    result.contentType = reader.header("Content-Type");
    if (result.status >= 400)
        return failed(HttpResult::Failure::HttpStatus, statusText(result.status), result.status);
    if (isRedirect(result.status) && !reader.header("Location").isEmpty()) {
        location = reader.header("Location");
        return result;
    }
    const QByteArray encoding = reader.header("Content-Encoding").trimmed().toLower();
    if (!encoding.isEmpty() && encoding != "identity")
        return failed(HttpResult::Failure::NoConnection,
                      QStringLiteral("answer in an encoding this program cannot read (%1)")
                          .arg(QString::fromLatin1(encoding)),
                      result.status);
    result.body = reader.body();
    result.text = decodeWithCharset(result.body, charsetOfContentType(result.contentType));
    return result;
}

HttpResult HttpGet::getWithQt(const QString &url, int timeoutMs, const Headers &headers)
{
    if (!m_manager)
        m_manager = new QNetworkAccessManager;
    HttpResult result;
    QNetworkRequest request {QUrl(url)};
    request.setTransferTimeout(timeoutMs);
    // Our own limit applies to the decoded size (checked as data arrives); Qt's ratio check would
    // refuse well-compressed answers far below it.
    request.setDecompressedSafetyCheckThreshold(-1);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    for (const auto &header : headers)
        request.setRawHeader(header.first, header.second);

    QNetworkReply *reply = m_manager->get(request);
    reply->setParent(m_manager);
    bool tooLarge = false;
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    auto checkSize = [&](qint64 received) {
        if (received > kMaxBody && !tooLarge) {
            tooLarge = true;
            reply->abort();
        }
    };
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply,
                     [&](qint64 received, qint64) { checkSize(received); });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] { checkSize(reply->bytesAvailable()); });
    // An answer that announces its size is refused at once, not after 16 MiB have come in.
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply,
                     [&] { checkSize(reply->header(QNetworkRequest::ContentLengthHeader).toLongLong()); });
    // A second guard besides the transfer timeout, which restarts with every byte received:
    // a server that trickles must not hold the window forever.
    const quint64 generation = m_abortGeneration;
    QTimer deadline;
    deadline.setSingleShot(true);
    bool overdue = false;
    QObject::connect(&deadline, &QTimer::timeout, reply, [&] {
        overdue = true;
        reply->abort();
    });
    deadline.start(timeoutMs + timeoutMs / 2);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    const bool aborted = generation != m_abortGeneration;

    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    const QNetworkReply::NetworkError error = reply->error();
    if (tooLarge) {
        result.failure = HttpResult::Failure::TooLarge;
        result.errorText = kTooLargeText;
    } else if (aborted) {
        result.failure = HttpResult::Failure::NoConnection;
        result.errorText = kAbortedText;
    } else if (overdue || error == QNetworkReply::OperationCanceledError
               || error == QNetworkReply::TimeoutError) {
        result.failure = HttpResult::Failure::Timeout;
        result.errorText = kTimedOutText;
    } else if (result.status >= 400) {
        result.failure = HttpResult::Failure::HttpStatus;
        result.errorText = statusText(result.status);
    } else if (error != QNetworkReply::NoError) {
        result.failure = HttpResult::Failure::NoConnection;
        result.errorText = reply->errorString();
    } else {
        result.body = reply->readAll();
        // Qt ends a reply whose connection was reset mid-answer as if it were complete; a body
        // shorter than its declared length is a cut one.
        const QVariant declared = reply->header(QNetworkRequest::ContentLengthHeader);
        const QByteArray encoding = reply->rawHeader("Content-Encoding").trimmed().toLower();
        const bool cut = declared.isValid() && (encoding.isEmpty() || encoding == "identity")
            && result.body.size() < declared.toLongLong();
        if (cut) {
            result.failure = HttpResult::Failure::NoConnection;
            result.errorText = kCutText;
            result.body.clear();
        } else if (result.body.size() > kMaxBody) {
            result.failure = HttpResult::Failure::TooLarge;
            result.errorText = kTooLargeText;
            result.body.clear();
        } else {
            result.text = decodeWithCharset(result.body, charsetOfContentType(result.contentType));
        }
    }
    reply->deleteLater();
    return result;
}
