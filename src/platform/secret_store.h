#pragma once

#include <QObject>
#include <QString>
#include <functional>

// Secrets of the program (passwords, service keys) in the desktop's secret store: the Secret
// Service on the session bus, through QtKeychain, under one service name and a key per secret
// ("smtp:<user>@<host>"). The store answers asynchronously; readWaiting is the bounded wait the
// designed blocking routines use.
class SecretStore
{
public:
    enum class Status {
        Ok,
        NotFound, // no secret under the key
        Unavailable, // no secret store on this desktop
        Failed, // locked and not opened, access refused, a broken store
        TimedOut, // no answer within the wait
        Locked, // locked: its unlock prompt is open or was dismissed, or it gave no answer in time
    };
    struct Result
    {
        Status status = Status::Failed;
        QString secret;
        QString error; // the store's own text, when there is one
    };
    using Done = std::function<void(const Result &)>;

    static constexpr int kReadWaitMs = 60 * 1000; // time for the user to unlock a locked store

    explicit SecretStore(const QString &service = QStringLiteral("Parcelvue"));

    QString service() const { return m_service; }
    // A Secret Service runs on the session bus or can be started by it.
    bool available() const;

    // `done` runs on the caller's thread, after the call returns, unless `context` is gone by then.
    void read(const QString &key, QObject *context, Done done) const;
    void write(const QString &key, const QString &secret, QObject *context, Done done) const;
    void remove(const QString &key, QObject *context, Done done) const;

    // read, waiting at most `timeoutMs` in a nested event loop that keeps painting and timers
    // running but holds user input.
    Result readWaiting(const QString &key, int timeoutMs = kReadWaitMs) const;

private:
    QString m_service;
};

// The key of the notice mail's password: "smtp:<login>@<host>".
QString smtpSecretKey(const QString &login, const QString &host);
