#include "platform/http_get.h"

#include "platform/text_codec.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

HttpGet::HttpGet()
    : m_manager(new QNetworkAccessManager)
{ }

HttpGet::~HttpGet()
{
    delete m_manager;
}

void HttpGet::abortAll()
{
    ++m_abortGeneration;
    const auto replies = m_manager->findChildren<QNetworkReply *>();
    for (QNetworkReply *reply : replies)
        reply->abort();
}

HttpResult HttpGet::get(const QString &url, int timeoutMs, const Headers &headers)
{
    HttpResult result;
    QNetworkRequest request {QUrl(url)};
    request.setTransferTimeout(timeoutMs);
    // Our own limit applies to the decoded size (checked as data arrives); Qt's ratio check would
    // refuse well-compressed answers far below it.
    request.setDecompressedSafetyCheckThreshold(-1);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    for (const auto &header : headers)
        request.setRawHeader(header.first, header.second);

    ++m_pending;
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
    --m_pending;
    const bool aborted = generation != m_abortGeneration;

    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
    const QNetworkReply::NetworkError error = reply->error();
    if (tooLarge) {
        result.failure = HttpResult::Failure::TooLarge;
        result.errorText = QStringLiteral("answer larger than 16 MiB");
    } else if (aborted) {
        result.failure = HttpResult::Failure::NoConnection;
        result.errorText = QStringLiteral("aborted");
    } else if (overdue || error == QNetworkReply::OperationCanceledError
               || error == QNetworkReply::TimeoutError) {
        result.failure = HttpResult::Failure::Timeout;
        result.errorText = QStringLiteral("timed out");
    } else if (result.status >= 400) {
        result.failure = HttpResult::Failure::HttpStatus;
        result.errorText = QStringLiteral("HTTP status %1").arg(result.status);
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
            result.errorText = QStringLiteral("connection closed before the whole answer came");
            result.body.clear();
        } else if (result.body.size() > kMaxBody) {
            result.failure = HttpResult::Failure::TooLarge;
            result.errorText = QStringLiteral("answer larger than 16 MiB");
            result.body.clear();
        } else {
            result.text = decodeWithCharset(result.body, charsetOfContentType(result.contentType));
        }
    }
    reply->deleteLater();
    return result;
}
