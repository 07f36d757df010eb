#include "platform/single_instance.h"
#include "platform/logging.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLoggingCategory>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kCommand = QStringLiteral("command");

int remainingMs(const QDeadlineTimer &deadline)
{
    return int(std::max<qint64>(deadline.remainingTime(), 0));
}

// A directory of this user's alone for the socket, found from what the window and a command
// started by cron or over ssh both see the same: the user id. The login's runtime directory
// /run/user/<uid> where there is one (it is not cleaned while the user is logged in), else one of
// the user's own under /tmp. Neither $XDG_RUNTIME_DIR nor $TMPDIR: a cron job has neither, or others.
QString socketDirectory()
{
    const QString runtime = QStringLiteral("/run/user/%1").arg(::getuid());
    if (socketDirectoryProblem(runtime).isEmpty())
        return runtime;
    const QString own = QStringLiteral("/tmp/parcelvue-%1").arg(::getuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    return own;
}

bool ownedByThisUser(const QString &path)
{
    struct stat facts
    {
    };
    return ::lstat(QFile::encodeName(path).constData(), &facts) != 0 || facts.st_uid == ::getuid();
}
} // namespace

QByteArray InstanceMessage::encode(const QJsonObject &message)
{
    // Compact JSON has no line break of its own: a line break in a value is written as \n.
    return QJsonDocument(message).toJson(QJsonDocument::Compact) + '\n';
}

std::optional<QJsonObject> InstanceMessage::decode(const QByteArray &line, QString *error)
{
    if (line.size() > kMaxLineBytes) {
        *error = QStringLiteral("message longer than %1 bytes").arg(kMaxLineBytes);
        return std::nullopt;
    }
    QJsonParseError parse {};
    const QJsonDocument document = QJsonDocument::fromJson(line.trimmed(), &parse);
    if (parse.error != QJsonParseError::NoError) {
        *error = QStringLiteral("not JSON: ") + parse.errorString();
        return std::nullopt;
    }
    if (!document.isObject()) {
        *error = QStringLiteral("not a JSON object");
        return std::nullopt;
    }
    return document.object();
}

QJsonObject InstanceMessage::failure(const QString &error)
{
    return {{QStringLiteral("ok"), false}, {QStringLiteral("error"), error}};
}

QString socketDirectoryProblem(const QString &dir)
{
    struct stat facts
    {
    };
    if (::lstat(QFile::encodeName(dir).constData(), &facts) != 0 || !S_ISDIR(facts.st_mode))
        return QCoreApplication::translate("SingleInstance", "套接字目录 %1 不存在或不是目录").arg(dir);
    if (facts.st_uid != ::getuid() || (facts.st_mode & 077) != 0)
        return QCoreApplication::translate("SingleInstance",
                                           "套接字目录 %1 不属于当前用户或对其他用户开放,Parcelvue 不使用它。"
                                           "请删除该目录,或改为只有本用户可用(chmod 700)。")
            .arg(dir);
    return QString();
}

QString instanceServerName(const QString &dataDir)
{
    QString path = QFileInfo(dataDir).canonicalFilePath();
    if (path.isEmpty())
        path = QDir::cleanPath(QDir(dataDir).absolutePath());
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex();
    return socketDirectory() + QStringLiteral("/parcelvue-") + QString::fromLatin1(hash.left(16))
        + QStringLiteral(".socket");
}

QJsonObject InstanceMessage::taken()
{
    return {{QStringLiteral("ok"), true}, {QStringLiteral("taken"), true}};
}

bool InstanceMessage::isTaken(const QJsonObject &answer)
{
    return answer.value(QStringLiteral("taken")).toBool();
}

namespace {
// One line of the answer, before `deadline`; `givenUp` is asked between waits of at most
// `sliceMs`, `waiting` told after each.
std::optional<QJsonObject> readAnswer(QLocalSocket &socket, const QDeadlineTimer &deadline, int timeoutMs,
                                      int sliceMs, const std::function<bool()> &givenUp,
                                      const std::function<void()> &waited, QString *error)
{
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > InstanceMessage::kMaxLineBytes) {
            *error = QCoreApplication::translate("SingleInstance", "答复过长");
            return std::nullopt;
        }
        if (deadline.hasExpired()) {
            *error = QCoreApplication::translate("SingleInstance", "%1 毫秒内没有答复").arg(timeoutMs);
            return std::nullopt;
        }
        if (givenUp && givenUp()) {
            *error = QCoreApplication::translate("SingleInstance", "已停止等待");
            return std::nullopt;
        }
        const int slice = std::min(remainingMs(deadline), sliceMs);
        if (!socket.waitForReadyRead(slice) && !socket.canReadLine()) {
            if (socket.state() == QLocalSocket::UnconnectedState) {
                *error = QCoreApplication::translate("SingleInstance", "连接已关闭,没有答复");
                return std::nullopt;
            }
            if (socket.error() != QLocalSocket::SocketTimeoutError) {
                *error = socket.errorString();
                return std::nullopt;
            }
            if (waited)
                waited();
        }
    }
    return InstanceMessage::decode(socket.readLine(), error);
}
} // namespace

std::optional<QJsonObject> sendInstanceRequest(const QString &serverName, const QJsonObject &request,
                                               int timeoutMs, QString *error)
{
    bool taken = false;
    return awaitInstanceResult(serverName, request, timeoutMs, {}, &taken, error);
}

std::optional<QJsonObject> awaitInstanceResult(const QString &serverName, const QJsonObject &request,
                                               int timeoutMs, const InstanceResultWait &wait, bool *taken,
                                               QString *error)
{
    *taken = false;
    if (const QString problem = socketDirectoryProblem(QFileInfo(serverName).absolutePath());
        !problem.isEmpty()) {
        *error = problem;
        return std::nullopt;
    }
    if (!ownedByThisUser(serverName)) {
        *error = QCoreApplication::translate("SingleInstance", "%1 属于另一个用户").arg(serverName);
        return std::nullopt;
    }
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(remainingMs(deadline))) {
        *error = socket.errorString();
        return std::nullopt;
    }
    socket.write(InstanceMessage::encode(request));
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(remainingMs(deadline))) {
            *error = socket.errorString();
            return std::nullopt;
        }
    }
    std::optional<QJsonObject> answer
        = readAnswer(socket, deadline, timeoutMs, wait.givenUp ? 250 : timeoutMs, wait.givenUp, {}, error);
    if (!answer || !InstanceMessage::isTaken(*answer) || wait.resultMs <= 0)
        return answer;
    *taken = true;
    if (wait.taken)
        wait.taken();
    QElapsedTimer waited;
    waited.start();
    const QDeadlineTimer resultDeadline(wait.resultMs);
    qint64 told = 0;
    return readAnswer(
        socket, resultDeadline, wait.resultMs, std::max(wait.progressMs / 4, 1), wait.givenUp,
        [&] {
            if (wait.waiting && waited.elapsed() - told >= wait.progressMs) {
                told = waited.elapsed() / wait.progressMs * wait.progressMs;
                wait.waiting(int(waited.elapsed() / 1000));
            }
        },
        error);
}

InstanceServer::InstanceServer(QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, &InstanceServer::take);
}

InstanceServer::~InstanceServer() = default;

bool InstanceServer::listen(const QString &name, QString *error)
{
    if (name.startsWith(QLatin1Char('/'))) {
        if (const QString problem = socketDirectoryProblem(QFileInfo(name).absolutePath());
            !problem.isEmpty()) {
            *error = problem;
            return false;
        }
    }
    if (m_server->listen(name))
        return true;
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(1000)) {
            probe.abort();
            *error = QCoreApplication::translate("SingleInstance", "已有程序在那里答复");
            return false;
        }
        // Left behind by a program that did not end normally.
        QLocalServer::removeServer(name);
        if (m_server->listen(name))
            return true;
    }
    *error = m_server->errorString();
    return false;
}

QString InstanceServer::serverName() const
{
    return m_server->fullServerName();
}

void InstanceServer::addCommand(const QString &command, Handler handler)
{
    m_commands.insert(command, std::move(handler));
}

void InstanceServer::take()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { read(socket); });
        // A client that never finishes its line does not keep its connection; one whose request is
        // taken keeps it until the answer, however long the work takes.
        QTimer::singleShot(kRequestTimeoutMs, socket, [socket] {
            if (!socket->property("taken").toBool())
                socket->abort();
        });
        read(socket);
    }
}

void InstanceServer::read(QLocalSocket *socket)
{
    if (socket->property("taken").toBool())
        return;
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() <= InstanceMessage::kMaxLineBytes)
            return;
    }
    socket->setProperty("taken", true);
    const QPointer<QLocalSocket> guard(socket);
    const Reply reply = [guard](const QJsonObject &answer) {
        if (!guard)
            return;
        guard->write(InstanceMessage::encode(answer));
        if (!InstanceMessage::isTaken(answer))
            guard->disconnectFromServer();
    };
    QString error;
    const std::optional<QJsonObject> request
        = InstanceMessage::decode(socket->readLine(InstanceMessage::kMaxLineBytes + 1), &error);
    if (!request) {
        reply(InstanceMessage::failure(error));
        return;
    }
    const QString command = request->value(kCommand).toString();
    const auto handler = m_commands.constFind(command);
    if (handler == m_commands.cend()) {
        reply(InstanceMessage::failure(QStringLiteral("unknown command: ") + command));
        return;
    }
    qCInfo(lcInstance) << "request:" << command;
    (*handler)(*request, reply);
}

QString instanceLockPath(const QString &dataDir)
{
    return QDir(dataDir).filePath(QStringLiteral("parcelvue.lock"));
}

SingleInstance::SingleInstance(const QString &dataDir)
    : m_lockPath(instanceLockPath(dataDir))
    , m_serverName(instanceServerName(dataDir))
    , m_lock(m_lockPath)
{
    // A lock is stale only when its process is gone, however long the program has been running.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

SingleInstance::Start SingleInstance::start(const QJsonObject &request, QString *error)
{
    const auto handedOver = [error](const QJsonObject &answer) {
        if (answer.value(QStringLiteral("ok")).toBool())
            return Start::HandedOver;
        *error = answer.value(QStringLiteral("error")).toString();
        return Start::Unanswered;
    };
    QString why;
    bool locked = m_lock.tryLock(0);
    if (!locked && m_lock.error() == QLockFile::LockFailedError) {
        // Another program runs on this directory; it may still be starting, before it listens.
        const QDeadlineTimer deadline(kHandOverMs);
        for (;;) {
            if (const auto answer = sendInstanceRequest(m_serverName, request, remainingMs(deadline), &why))
                return handedOver(*answer);
            // Or it has ended meanwhile.
            if ((locked = m_lock.tryLock(0)))
                break;
            if (deadline.hasExpired()) {
                *error = why;
                return Start::Unanswered;
            }
            QThread::msleep(100);
        }
    }
    if (!locked) {
        // A directory where no lock file can be made (read-only): the socket alone tells of a
        // program running on it.
        qCInfo(lcInstance) << "no lock file" << m_lockPath << "- error" << int(m_lock.error());
    }
    m_server = std::make_unique<InstanceServer>();
    if (!m_server->listen(m_serverName, &why)) {
        QString unanswered;
        if (const auto answer = sendInstanceRequest(m_serverName, request, kHandOverMs, &unanswered))
            return handedOver(*answer);
        qCInfo(lcInstance) << "later starts cannot reach this one:" << m_serverName << why;
    }
    return Start::First;
}
