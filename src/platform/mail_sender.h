#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// One notice mail: an HTML body with a subject that may hold any text.
struct MailMessage
{
    QString from;
    QString to;
    QString subject;
    QString htmlBody;
    QDateTime date; // the Date header; invalid means now
};

struct SmtpAccount
{
    QString host;
    int port = 25;
    QString user;
    QString password;
};

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

// The whole message as it goes over the wire: headers, a UTF-8 HTML part in base64, CR LF line
// ends. Fails (empty result, `error` set) when an address could smuggle in a header line.
QByteArray composeMail(const MailMessage &message, QString *error = nullptr);

// SMTP through libcurl: STARTTLS when the server offers it, login with the account, bounded by a
// connect and a whole-send time-out. The send runs on a worker thread while the caller waits in a
// nested event loop that keeps painting and timers running but holds user input.
class MailSender
{
public:
    static constexpr int kConnectTimeoutMs = 30 * 1000;
    static constexpr int kSendTimeoutMs = 120 * 1000;

    MailSender();
    MailSender(const MailSender &) = delete;
    MailSender &operator=(const MailSender &) = delete;

    void setTimeouts(int connectMs, int sendMs)
    {
        m_connectTimeoutMs = connectMs;
        m_sendTimeoutMs = sendMs;
    }

    MailResult send(const SmtpAccount &account, const MailMessage &message);

private:
    int m_connectTimeoutMs = kConnectTimeoutMs;
    int m_sendTimeoutMs = kSendTimeoutMs;
};
