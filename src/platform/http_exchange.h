#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>

class HttpAnswerReader;
class QNetworkAccessManager;
class QNetworkReply;
class QTcpSocket;
class QTimer;

// Result of one HTTP request. A failure is told apart from an empty document by `failure`.
struct HttpResult
{
    enum class Failure { None, NoConnection, Timeout, HttpStatus, TooLarge };

    Failure failure = Failure::None;
    int status = 0; // HTTP status code, 0 when no answer came
    QString text; // the decoded document (empty on failure)
    QByteArray body; // the raw bytes as received
    QByteArray contentType;
    QByteArray retryAfter; // the Retry-After header of the last answer, as sent
    QString errorText; // what went wrong, for the user or a log
    // Set by a tracking service's adapter: why the service failed, in the user's words, where
    // the transport failure alone would not say it (a wrong key, a quota used up).
    QString userText;
    // Also set by an adapter, beside the rows: the service's status of the parcel as a whole (a
    // key of services/service_answer.h, empty when it gave none) and its meaning in the user's
    // words; the carrier the service found the number at when it is not the one asked about, by
    // name.
    QString serviceStatus;
    QString serviceStatusText;
    QString detectedCarrier;
    // Also from an adapter: whose a failure is when it is not the transfer's, "refused" (the
    // service refused this number) or "account" (its key, its quota); empty otherwise.
    QString failureKind;

    bool ok() const { return failure == Failure::None; }
};

using HttpHeaders = QList<QPair<QByteArray, QByteArray>>;

struct HttpRequest
{
    QString url;
    QByteArray method = QByteArrayLiteral("GET");
    HttpHeaders headers;
    QByteArray body; // sent with a Content-Length when not empty or when the method is not GET
    int timeoutMs = 60 * 1000; // no byte either way for this long ends the request
};

// One request, asynchronous: it runs from start() until finished() is emitted, once, always from
// the event loop (never from inside start() or abort()). Every exchange is bounded: a transfer
// time-out that restarts with every byte, and an overall deadline of 1.5 times that, redirects
// included.
//
// Plain http:// answers are read on a socket of the program's own, so that an answer cut anywhere
// (inside a chunk included) is a failure and never a shorter document; https:// goes through Qt's
// network access.
class HttpExchange : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 kMaxBody = 16 * 1024 * 1024;
    static constexpr int kMaxRedirects = 20;

    // `manager` makes Qt's network access on first use (only https needs it).
    HttpExchange(HttpRequest request, std::function<QNetworkAccessManager *()> manager,
                 QObject *parent = nullptr);
    ~HttpExchange() override;

    void start();
    // Ends the exchange with a NoConnection failure "aborted"; nothing once it has finished.
    void abort();

    bool isFinished() const { return m_finished; }
    const HttpResult &result() const { return m_result; }
    const HttpRequest &request() const { return m_request; }

Q_SIGNALS:
    void finished(const HttpResult &result);

private:
    void startHop();
    void startPlainHop();
    void plainHopEnded();
    void startQtHop();
    void qtHopEnded();
    // Follows a redirect to `location`, or returns false when the answer is the last one.
    bool followRedirect(int status, const QByteArray &location);
    void finish(HttpResult result);
    void finishFailed(HttpResult::Failure failure, const QString &text, int status = 0);
    void dropSocket();

    HttpRequest m_request;
    std::function<QNetworkAccessManager *()> m_manager;
    QUrl m_url;
    int m_hops = 0;
    bool m_finished = false;
    HttpResult m_result;
    QTimer *m_deadline = nullptr;
    QTimer *m_idle = nullptr;

    // The plain hop under way.
    QTcpSocket *m_socket = nullptr;
    std::unique_ptr<HttpAnswerReader> m_reader;
    int m_socketError = -1;

    // The Qt hop under way.
    QNetworkReply *m_reply = nullptr;
    bool m_tooLarge = false;
    bool m_overdue = false;
};
