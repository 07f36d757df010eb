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
// Python's mail package.
class SmtpTestServer
{
public:
    enum class Mode {
        Accept,
        Stall, // logs in and takes the message, then never answers
    };

    struct Received
    {
        QString mailFrom;
        QStringList recipients;
        QString login;
        QString rawHeaders;
        QString subject; // decoded
        QString contentType, charset, transferEncoding;
        QString body; // decoded
        QString header(const QString &name) const;
        QJsonObject record;
    };

    SmtpTestServer(const QString &user, const QString &password, Mode mode = Mode::Accept);
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer &) = delete;
    SmtpTestServer &operator=(const SmtpTestServer &) = delete;

    // False (with the reason in error()) when it did not come up within 15 s.
    bool start();
    void stop();
    int port() const { return m_port; }
    QString error() const { return m_error; }

    std::vector<Received> received() const;

private:
    QString m_user, m_password;
    Mode m_mode;
    QTemporaryDir m_out;
    std::unique_ptr<QProcess> m_process;
    int m_port = -1;
    QString m_error;
};
