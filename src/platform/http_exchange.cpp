#include "platform/http_exchange.h"

#include "platform/http_answer_reader.h"
#include "platform/logging.h"
#include "platform/text_codec.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTcpSocket>
#include <QTimer>

namespace {
const QString kCutText = QStringLiteral("connection closed before the whole answer came");
const QString kTooLargeText = QStringLiteral("answer larger than 16 MiB");
const QString kTimedOutText = QStringLiteral("timed out");
const QString kAbortedText = QStringLiteral("aborted");

QString statusText(int status)
{
    return QStringLiteral("HTTP status %1").arg(status);
}

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool hasHeader(const HttpHeaders &headers, const QByteArray &name)
{
    for (const auto &header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The request as a browser would send it, asking for the body as it is (no compression) and for
// the connection to end with the answer.
QByteArray plainRequest(const QUrl &url, const HttpRequest &request)
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

    QByteArray bytes
        = request.method + ' ' + target.toEncoded(format) + " HTTP/1.1\r\nHost: " + host + "\r\n";
    if (!hasHeader(request.headers, "User-Agent"))
        bytes += "User-Agent: Mozilla/5.0\r\n";
    bytes += "Accept-Encoding: identity\r\nConnection: close\r\n";
    for (const auto &header : request.headers)
        bytes += header.first + ": " + header.second + "\r\n";
    if (request.method != "GET" || !request.body.isEmpty())
        bytes += "Content-Length: " + QByteArray::number(request.body.size()) + "\r\n";
    return bytes + "\r\n" + request.body;
}
} // namespace

HttpExchange::HttpExchange(HttpRequest request, std::function<QNetworkAccessManager *()> manager,
                           QObject *parent)
    : QObject(parent)
    , m_request(std::move(request))
    , m_manager(std::move(manager))
    , m_url(m_request.url)
    , m_deadline(new QTimer(this))
    , m_idle(new QTimer(this))
{
    m_deadline->setSingleShot(true);
    m_idle->setSingleShot(true);
    // A second guard besides the transfer time-out, which restarts with every byte received: a
    // server that trickles must not hold the caller forever. It covers every redirect.
    connect(m_deadline, &QTimer::timeout, this, [this] {
        if (m_reply) {
            m_overdue = true;
            m_reply->abort();
        } else {
            finishFailed(HttpResult::Failure::Timeout, kTimedOutText, m_reader ? m_reader->status() : 0);
        }
    });
    // No byte either way for the whole time-out ends a plain hop, like Qt's transfer time-out.
    connect(m_idle, &QTimer::timeout, this, [this] {
        finishFailed(HttpResult::Failure::Timeout, kTimedOutText, m_reader ? m_reader->status() : 0);
    });
}

HttpExchange::~HttpExchange()
{
    dropSocket();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void HttpExchange::start()
{
    const int timeout = m_request.timeoutMs;
    m_deadline->start(timeout + timeout / 2);
    startHop();
}

void HttpExchange::abort()
{
    if (!m_finished)
        finishFailed(HttpResult::Failure::NoConnection, kAbortedText);
}

void HttpExchange::startHop()
{
    if (m_url.scheme() == QLatin1String("http") && !m_url.host().isEmpty())
        startPlainHop();
    else if (m_url.scheme() == QLatin1String("https"))
        startQtHop();
    else
        finishFailed(HttpResult::Failure::NoConnection,
                     QStringLiteral("an address that cannot be fetched: %1").arg(m_url.toString()));
}

void HttpExchange::startPlainHop()
{
    dropSocket();
    m_reader = std::make_unique<HttpAnswerReader>(kMaxBody);
    m_socketError = -1;
    m_socket = new QTcpSocket(this);
    const int timeout = m_request.timeoutMs;

    auto ended = [this] {
        if (m_socket->isOpen())
            m_reader->feed(m_socket->readAll());
        m_reader->endOfStream();
        plainHopEnded();
    };
    connect(m_socket, &QTcpSocket::connected, this, [this, timeout] {
        m_socket->write(plainRequest(m_url, m_request));
        m_idle->start(timeout);
    });
    connect(m_socket, &QTcpSocket::bytesWritten, this, [this, timeout] { m_idle->start(timeout); });
    connect(m_socket, &QTcpSocket::readyRead, this, [this, timeout] {
        m_reader->feed(m_socket->readAll());
        m_idle->start(timeout);
        if (m_reader->finished())
            plainHopEnded();
    });
    connect(m_socket, &QTcpSocket::disconnected, this, ended);
    connect(m_socket, &QAbstractSocket::errorOccurred, this,
            [this, ended](QAbstractSocket::SocketError error) {
                // A close or a reset after the request: what came so far decides.
                if (error == QAbstractSocket::RemoteHostClosedError
                    && m_socket->state() != QAbstractSocket::ConnectingState
                    && m_socket->state() != QAbstractSocket::HostLookupState) {
                    ended();
                    return;
                }
                m_socketError = error;
                plainHopEnded();
            });
    m_idle->start(timeout);
    m_socket->connectToHost(m_url.host(), static_cast<quint16>(m_url.port(80)));
}

void HttpExchange::plainHopEnded()
{
    if (m_finished)
        return;
    m_idle->stop();
    const HttpAnswerReader &reader = *m_reader;
    if (!reader.finished()) {
        if (m_socketError >= 0)
            return finishFailed(m_socketError == QAbstractSocket::SocketTimeoutError
                                    ? HttpResult::Failure::Timeout
                                    : HttpResult::Failure::NoConnection,
                                m_socket->errorString());
        return finishFailed(HttpResult::Failure::NoConnection, kCutText, reader.status());
    }
    switch (reader.state()) {
    case HttpAnswerReader::State::Cut:
        return finishFailed(HttpResult::Failure::NoConnection, kCutText, reader.status());
    case HttpAnswerReader::State::Malformed:
        return finishFailed(HttpResult::Failure::NoConnection,
                            QStringLiteral("the server's answer is not HTTP"), reader.status());
    case HttpAnswerReader::State::TooLarge:
        return finishFailed(HttpResult::Failure::TooLarge, kTooLargeText, reader.status());
    case HttpAnswerReader::State::Reading:
    case HttpAnswerReader::State::Done:
        break;
    }

    const int status = reader.status();
    m_result.retryAfter = reader.header("Retry-After");
    if (status >= 400)
        return finishFailed(HttpResult::Failure::HttpStatus, statusText(status), status);
    if (isRedirect(status) && followRedirect(status, reader.header("Location")))
        return;
    const QByteArray encoding = reader.header("Content-Encoding").trimmed().toLower();
    if (!encoding.isEmpty() && encoding != "identity")
        return finishFailed(HttpResult::Failure::NoConnection,
                            QStringLiteral("answer in an encoding this program cannot read (%1)")
                                .arg(QString::fromLatin1(encoding)),
                            status);
    HttpResult result;
    result.status = status;
    result.contentType = reader.header("Content-Type");
    result.retryAfter = m_result.retryAfter;
    result.body = reader.body();
    result.text = decodeWithCharset(result.body, charsetOfContentType(result.contentType));
    finish(result);
}

bool HttpExchange::followRedirect(int status, const QByteArray &location)
{
    if (location.isEmpty())
        return false;
    const QUrl next = m_url.resolved(QUrl::fromEncoded(location));
    if (m_hops == kMaxRedirects) {
        finishFailed(HttpResult::Failure::NoConnection, QStringLiteral("too many redirects"), status);
        return true;
    }
    ++m_hops;
    // As browsers do: after 301, 302 and 303 the target is fetched with GET.
    if (status != 307 && status != 308 && m_request.method != "GET") {
        m_request.method = QByteArrayLiteral("GET");
        m_request.body.clear();
    }
    if (next.scheme() != QLatin1String("http") && next.scheme() != QLatin1String("https")) {
        finishFailed(
            HttpResult::Failure::NoConnection,
            QStringLiteral("redirected to an address that cannot be fetched: %1").arg(next.toString()),
            status);
        return true;
    }
    if (next.host().isEmpty()) {
        finishFailed(
            HttpResult::Failure::NoConnection,
            QStringLiteral("redirected to an address that cannot be fetched: %1").arg(next.toString()),
            status);
        return true;
    }
    m_url = next;
    dropSocket();
    // Leaving the signal handler of the old socket before the next hop starts.
    QTimer::singleShot(0, this, [this] {
        if (!m_finished)
            startHop();
    });
    return true;
}

void HttpExchange::startQtHop()
{
    dropSocket();
    QNetworkRequest request {m_url};
    request.setTransferTimeout(m_request.timeoutMs);
    // Our own limit applies to the decoded size (checked as data arrives); Qt's ratio check would
    // refuse well-compressed answers far below it.
    request.setDecompressedSafetyCheckThreshold(-1);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    for (const auto &header : m_request.headers)
        request.setRawHeader(header.first, header.second);

    QNetworkAccessManager *manager = m_manager();
    m_reply = m_request.method == "GET" && m_request.body.isEmpty()
        ? manager->get(request)
        : manager->sendCustomRequest(request, m_request.method, m_request.body);
    m_reply->setParent(manager);
    m_tooLarge = false;
    m_overdue = false;
    auto checkSize = [this](qint64 received) {
        if (received > kMaxBody && !m_tooLarge) {
            m_tooLarge = true;
            m_reply->abort();
        }
    };
    connect(m_reply, &QNetworkReply::downloadProgress, this,
            [checkSize](qint64 received, qint64) { checkSize(received); });
    connect(m_reply, &QNetworkReply::readyRead, this,
            [this, checkSize] { checkSize(m_reply->bytesAvailable()); });
    // An answer that announces its size is refused at once, not after 16 MiB have come in.
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this, checkSize] {
        checkSize(m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong());
    });
    connect(m_reply, &QNetworkReply::finished, this, &HttpExchange::qtHopEnded);
}

void HttpExchange::qtHopEnded()
{
    if (m_finished || !m_reply)
        return;
    QNetworkReply *reply = m_reply;
    HttpResult result;
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    result.retryAfter = reply->rawHeader("Retry-After");
    const QNetworkReply::NetworkError error = reply->error();
    if (m_tooLarge) {
        result.failure = HttpResult::Failure::TooLarge;
        result.errorText = kTooLargeText;
    } else if (m_overdue || error == QNetworkReply::OperationCanceledError
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
    finish(result);
}

void HttpExchange::finishFailed(HttpResult::Failure failure, const QString &text, int status)
{
    HttpResult result;
    result.failure = failure;
    result.errorText = text;
    result.status = status;
    result.retryAfter = m_result.retryAfter;
    qCInfo(lcHttp) << m_request.method << m_url.toDisplayString(QUrl::RemoveQuery) << "failed:" << text
                   << status;
    finish(result);
}

void HttpExchange::finish(HttpResult result)
{
    if (m_finished)
        return;
    m_finished = true;
    m_result = std::move(result);
    m_deadline->stop();
    m_idle->stop();
    dropSocket();
    if (m_reply) {
        m_reply->disconnect(this);
        if (m_reply->isRunning())
            m_reply->abort();
        m_reply->deleteLater();
        m_reply = nullptr;
    }
    // Always from the event loop: a caller that connects after start() or abort() hears it too.
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT finished(m_result); }, Qt::QueuedConnection);
}

void HttpExchange::dropSocket()
{
    if (!m_socket)
        return;
    // Closing it must not count as the server's end of the answer.
    m_socket->disconnect(this);
    m_socket->abort();
    m_socket->deleteLater();
    m_socket = nullptr;
}
