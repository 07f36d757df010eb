#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

class QProcess;

// aiosmtpd on a free port of 127.0.0.1, with a login check, run as its own process. Each message
// it accepts is read back as the envelope, the headers and the subject and body decoded by
// Python's mail package. With TLS it uses a certificate authority of its own (caFile()) and keeps
// a transcript of what the client sent, each line marked encrypted or not.
class SmtpTestServer
{
public:
    enum class Mode {
        Accept,
        Stall, // logs in and takes the message, then never answers
    };
    enum class Tls {
        None, // plain, no STARTTLS offered
        Implicit, // TLS from the first byte
        StartTls, // plain until the client asks for STARTTLS
    };

    struct Part
    {
        QString contentType, charset, transferEncoding;
        QString body; // decoded
    };
    struct Line
    {
        QString text;
        bool encrypted;
    };

    struct Received
    {
        QString mailFrom;
        QStringList recipients;
        QString login;
        QString rawHeaders;
        QString subject; // decoded
        QString contentType, charset, transferEncoding;
        QString body; // decoded; of the HTML part when there are several
        std::vector<Part> parts; // every leaf part, in order
        QStringList defects; // what Python's mail package found malformed
        QString header(const QString &name) const;
        QJsonObject record;
    };

    SmtpTestServer(const QString &user, const QString &password, Mode mode = Mode::Accept,
                   Tls tls = Tls::None);
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer &) = delete;
    SmtpTestServer &operator=(const SmtpTestServer &) = delete;

    // False (with the reason in error()) when it did not come up within 15 s.
    bool start();
    void stop();
    int port() const { return m_port; }
    QString error() const { return m_error; }

    std::vector<Received> received() const;
    QString caFile() const; // the authority that signed the server's certificate
    std::vector<Line> transcript() const;
    // The lines starting with `command` (case-insensitive), e.g. "AUTH".
    std::vector<Line> commands(const QString &command) const;

private:
    QString m_user, m_password;
    Mode m_mode;
    Tls m_tls;
    QTemporaryDir m_out;
    std::unique_ptr<QProcess> m_process;
    int m_port = -1;
    QString m_error;
};
