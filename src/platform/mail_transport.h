#pragma once

#include <QByteArray>
#include <QList>
#include <QPointer>
#include <QString>
#include <functional>

class QObject;
class QThread;

// How the mail reaches its server. `ByPort` (no choice made): implicit TLS on port 465, STARTTLS
// on every other port. Only `None` ever sends the login over a plain connection.
enum class SmtpSecurity { ByPort, Tls, StartTls, None };

// The security a send uses: never `ByPort`.
SmtpSecurity effectiveSmtpSecurity(SmtpSecurity security, int port);
// "tls", "starttls", "none"; an empty text for `ByPort`. The parser gives `ByPort` for anything else.
QString smtpSecurityText(SmtpSecurity security);
SmtpSecurity smtpSecurityFromText(const QString &text);

struct SmtpAccount
{
    QString host;
    int port = 25;
    QString user;
    QString password;
    SmtpSecurity security = SmtpSecurity::ByPort;
    QString caFile; // trusted besides the system's authorities
};

struct MailResult
{
    bool ok = false;
    QString error; // one description of what went wrong, empty on success
};

// A message ready for the wire: the envelope and the whole text. A message that could not be
// composed carries the reason in `refusal`, and its send fails with it before connecting.
struct OutgoingMail
{
    QByteArray from;
    QByteArray to;
    QByteArray data;
    QString refusal;
};

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
    void sendAsync(const SmtpAccount &account, const OutgoingMail &mail, QObject *context,
                   std::function<void(const MailResult &)> done);

    // The designed blocking send: sendAsync while the caller waits in a nested event loop that
    // keeps painting and timers running but holds user input.
    MailResult send(const SmtpAccount &account, const OutgoingMail &mail);

private:
    int m_connectTimeoutMs = kConnectTimeoutMs;
    int m_sendTimeoutMs = kSendTimeoutMs;
    QList<QPointer<QThread>> m_workers;
};
