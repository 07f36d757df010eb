#pragma once

#include <QHash>
#include <QJsonObject>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QLocalServer;
class QLocalSocket;

// One program per data directory. The first start takes the lock file parcelvue.lock in the data
// directory (QLockFile; the lock of a process that no longer runs is taken over) and serves a local
// socket named after the directory. A later start on the same directory hands its request over
// that socket and ends.
//
// The channel: one request per connection, one JSON object on one line (UTF-8, ending in "\n"),
// with the command in "command"; the answer is one such line too, {"ok": true, ...} or
// {"ok": false, "error": "..."}. Commands are added to InstanceServer by name.
namespace InstanceMessage {
constexpr int kMaxLineBytes = 64 * 1024;

QByteArray encode(const QJsonObject &message);
// The object of one line (its "\n" may be there or not); nothing, with the reason, when it is not
// one JSON object.
std::optional<QJsonObject> decode(const QByteArray &line, QString *error);
QJsonObject failure(const QString &error);
// The first answer to a request whose work takes a while: the program took it, and the result
// follows on the same connection when the work is done.
QJsonObject taken();
bool isTaken(const QJsonObject &answer);
} // namespace InstanceMessage

// The socket name of a data directory, after a hash of its canonical path, in a directory of the
// user's alone found from the user id (/run/user/<uid>, else /tmp/parcelvue-<uid>, made 0700): the
// same for the window and for a command from cron or ssh, whatever their environment.
QString instanceServerName(const QString &dataDir);

// Why a socket directory may not be used (it is missing, not the user's, or open to others), or
// an empty string.
QString socketDirectoryProblem(const QString &dir);

// The lock file of a data directory, held by the program running on it.
QString instanceLockPath(const QString &dataDir);

// Sends one request and waits for its answer, at most timeoutMs. Nothing, with the reason, when no
// program answered there.
std::optional<QJsonObject> sendInstanceRequest(const QString &serverName, const QJsonObject &request,
                                               int timeoutMs, QString *error);

// How a client waits for the result of a request the program took (see InstanceMessage::taken).
struct InstanceResultWait
{
    int resultMs = 0; // how long the result is awaited once the request is taken
    int progressMs = 1000; // how often `waiting` is told while it is awaited
    std::function<void()> taken; // the program took the request
    std::function<void(int waitedSeconds)> waiting;
    std::function<bool()> givenUp; // asked between waits: true ends the wait
};

// As sendInstanceRequest, for a request the program may take first and answer later: its result.
// `*taken` tells whether the program took it, so that a wait that ends without the result (its
// bound, givenUp, a connection closed) leaves the work going on there.
std::optional<QJsonObject> awaitInstanceResult(const QString &serverName, const QJsonObject &request,
                                               int timeoutMs, const InstanceResultWait &wait, bool *taken,
                                               QString *error);

// The running program's side of the channel.
class InstanceServer : public QObject
{
    Q_OBJECT

public:
    // An answer ends the connection, but for InstanceMessage::taken(): the result follows it.
    using Reply = std::function<void(const QJsonObject &answer)>;
    // Handles one request; `reply` may be called later (once), when the work is done.
    using Handler = std::function<void(const QJsonObject &request, Reply reply)>;

    static constexpr int kRequestTimeoutMs = 10000;

    explicit InstanceServer(QObject *parent = nullptr);
    ~InstanceServer() override;

    // Listens on `name`. A socket file left by a program that ended without closing it is removed
    // first; one where a program still answers is not, and listen() then fails.
    bool listen(const QString &name, QString *error);
    QString serverName() const;

    // The place for every command: "show" (the desktop session), and later ones beside it.
    void addCommand(const QString &command, Handler handler);

private:
    void take();
    void read(QLocalSocket *socket);

    QLocalServer *m_server;
    QHash<QString, Handler> m_commands;
};

class SingleInstance
{
public:
    // How long a later start tries to reach the running program (which may itself be starting).
    static constexpr int kHandOverMs = 10000;

    explicit SingleInstance(const QString &dataDir);
    ~SingleInstance();

    enum class Start {
        First, // this program runs; server() serves the channel
        HandedOver, // the running program took the request: end, with success
        Unanswered, // a program holds the directory but did not answer: end, telling why
    };
    Start start(const QJsonObject &request, QString *error);

    InstanceServer &server() { return *m_server; }
    QString lockPath() const { return m_lockPath; }
    QString serverName() const { return m_serverName; }

private:
    QString m_lockPath;
    QString m_serverName;
    QLockFile m_lock;
    std::unique_ptr<InstanceServer> m_server;
};
