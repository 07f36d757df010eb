#pragma once

#include "platform/endpoints.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QPointer>
#include <QString>
#include <functional>

class QObject;
class QThread;

// One notice mail: an HTML body and the same facts as plain text, with a subject that may hold
// any text.
struct MailMessage
{
    QString from;
    QString to;
    QString subject;
    QString htmlBody;
    QString textBody; // empty: the HTML part alone
    QDateTime date; // the Date header; invalid means now
};

struct SmtpAccount
{
    QString host;
    int port = 25;
    QString user;
    QString password;
    SmtpSecurity security = SmtpSecurity::ByPort;
    QString caFile; // trusted besides the system's authorities
};

// The account of the endpoints' [smtp] section with the given password.
SmtpAccount smtpAccount(const Endpoints &endpoints, const QString &password);

struct MailResult
{
    bool ok = false;
    QString error; // one description of what went wrong, empty on success
};

// "=?UTF-8?B?...?=" words of at most 75 characters, split on character boundaries and folded
// with CR LF and a blank; plain ASCII text without specials stays as it is. When the first line
// already holds `lineStart` characters (the field's name), the first word is cut short enough
// for that line to stay within 76.
QByteArray encodeHeaderText(const QString &text, int lineStart = 0);

// The whole message as it goes over the wire: headers, then a multipart/alternative body of a
// UTF-8 text part and a UTF-8 HTML part, each in base64, CR LF line ends. Fails (empty result,
// `error` set) when an address could smuggle in a header line.
QByteArray composeMail(const MailMessage &message, QString *error = nullptr);

// SMTP through libcurl, bounded by a connect and a whole-send time-out. Implicit TLS, or STARTTLS
// that must succeed before the login, or (only when chosen) a plain connection; certificates are
// verified against the system's authorities and the account's own. A failure is described by a
// short Chinese reason the user can act on, then the server's or libcurl's own text.
class MailSender
{
public:
    static constexpr int kConnectTimeoutMs = 30 * 1000;
    static constexpr int kSendTimeoutMs = 120 * 1000;

    MailSender();
    ~MailSender(); // waits for sends still under way (each is bounded by its time-outs)
    MailSender(const MailSender &) = delete;
    MailSender &operator=(const MailSender &) = delete;

    void setTimeouts(int connectMs, int sendMs)
    {
        m_connectTimeoutMs = connectMs;
        m_sendTimeoutMs = sendMs;
    }

    // The send runs on a worker thread; `done` is called on the caller's thread, unless `context`
    // is gone by then.
    void sendAsync(const SmtpAccount &account, const MailMessage &message, QObject *context,
                   std::function<void(const MailResult &)> done);

    // The designed blocking send: sendAsync while the caller waits in a nested event loop that
    // keeps painting and timers running but holds user input.
    MailResult send(const SmtpAccount &account, const MailMessage &message);

private:
    int m_connectTimeoutMs = kConnectTimeoutMs;
    int m_sendTimeoutMs = kSendTimeoutMs;
    QList<QPointer<QThread>> m_workers;
};
