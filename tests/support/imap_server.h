#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class QProcess;

// Dovecot on free ports of 127.0.0.1, run as a child process with a configuration, a state and a
// mailbox of its own in a temporary folder: one user in a passwd file, mail in a Maildir, a
// self-signed certificate made at start (openssl) for 127.0.0.1. It serves IMAP with STARTTLS on
// startTlsPort() and IMAP over TLS on tlsPort(), and runs as the user the test runs as.
class ImapTestServer
{
public:
    ImapTestServer(const QString &user, const QString &password);
    ~ImapTestServer();
    ImapTestServer(const ImapTestServer &) = delete;
    ImapTestServer &operator=(const ImapTestServer &) = delete;

    // Whether dovecot is installed here; tests skip without it.
    static bool installed();

    // False (with the reason in error()) when it did not come up within 15 s.
    bool start();
    void stop();
    QString error() const { return m_error; }
    int tlsPort() const { return m_tlsPort; }
    int startTlsPort() const { return m_startTlsPort; }
    QString caFile() const; // the server's own, self-signed certificate

    // Puts a message into the user's Maildir, as delivered and not yet seen (no flags); `folder`
    // is a folder below INBOX (empty: INBOX). Works before and after start().
    void deliver(const QByteArray &raw, const QString &folder = {});
    // The file names of the INBOX messages (their flags are in them), sorted.
    QStringList messageFiles() const;
    QString maildir() const;
    // What the server itself says of INBOX, as "messages=7 recent=7 unseen=7" (doveadm).
    QString mailboxStatus() const;
    QString log() const;
    // Stops (or lets go on) the processes serving logged-in users: a server that stalls mid-session.
    void pauseSessions(bool pause);

private:
    void ownForMail(const QString &path) const; // its folders, when the server reads as another user

    QString m_user, m_password;
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_process;
    int m_tlsPort = -1, m_startTlsPort = -1;
    int m_delivered = 0;
    unsigned m_mailUid = 0, m_mailGid = 0;
    QString m_error;
};
