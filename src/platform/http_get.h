#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

class QNetworkAccessManager;

// Result of one HTTP GET. A failure is told apart from an empty document by `failure`.
struct HttpResult
{
    enum class Failure { None, NoConnection, Timeout, HttpStatus, TooLarge };

    Failure failure = Failure::None;
    int status = 0; // HTTP status code, 0 when no answer came
    QString text; // the decoded document (empty on failure)
    QByteArray body; // the raw bytes as received
    QByteArray contentType;
    QString errorText; // what went wrong, for the user or a log

    bool ok() const { return failure == Failure::None; }
};

// A GET that looks blocking to its caller: it waits in a nested event loop that keeps painting
// and timers running but holds user input until the answer is in. Every wait is bounded.
class HttpGet
{
public:
    using Headers = QList<QPair<QByteArray, QByteArray>>;
    static constexpr qint64 kMaxBody = 16 * 1024 * 1024;

    HttpGet();
    ~HttpGet();
    HttpGet(const HttpGet &) = delete;
    HttpGet &operator=(const HttpGet &) = delete;

    // Decodes with the Content-Type charset, else UTF-8 when valid, else GB18030.
    HttpResult get(const QString &url, int timeoutMs, const Headers &headers = {});

    // Aborts every request in flight (their callers get a NoConnection failure).
    void abortAll();

    bool busy() const { return m_pending > 0; }

private:
    QNetworkAccessManager *m_manager;
    int m_pending = 0;
    quint64 m_abortGeneration = 0;
};
