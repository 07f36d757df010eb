#include "platform/secret_store.h"

#include "platform/logging.h"
#include "platform/nested_wait.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace {
const QString kSecretService = QStringLiteral("org.freedesktop.secrets");

// Asks the bus itself, with a short bound: a bus that does not answer has no store to offer.
bool busHasName(const QString &method, const QString &name)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                       QStringLiteral("/org/freedesktop/DBus"),
                                                       QStringLiteral("org.freedesktop.DBus"), method);
    if (method == QLatin1String("NameHasOwner"))
        call << name;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    const QVariant answer = reply.arguments().constFirst();
    return method == QLatin1String("NameHasOwner") ? answer.toBool() : answer.toStringList().contains(name);
}

// Whether the store's default collection is locked: what is in it is then neither found nor
// missing. Asked with a short bound, as the bus itself.
bool defaultCollectionLocked()
{
    QDBusMessage alias = QDBusMessage::createMethodCall(
        kSecretService, QStringLiteral("/org/freedesktop/secrets"),
        QStringLiteral("org.freedesktop.Secret.Service"), QStringLiteral("ReadAlias"));
    alias << QStringLiteral("default");
    const QDBusMessage path = QDBusConnection::sessionBus().call(alias, QDBus::Block, 2000);
    if (path.type() != QDBusMessage::ReplyMessage || path.arguments().isEmpty())
        return false;
    const QString collection = path.arguments().constFirst().value<QDBusObjectPath>().path();
    if (collection.isEmpty() || collection == QLatin1String("/"))
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        kSecretService, collection, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.Secret.Collection") << QStringLiteral("Locked");
    const QDBusMessage locked = QDBusConnection::sessionBus().call(get, QDBus::Block, 2000);
    if (locked.type() != QDBusMessage::ReplyMessage || locked.arguments().isEmpty())
        return false;
    return locked.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}

SecretStore::Result resultOf(const QKeychain::Job &job, const QString &secret = {})
{
    SecretStore::Result result;
    switch (job.error()) {
    case QKeychain::NoError:
        result.status = SecretStore::Status::Ok;
        result.secret = secret;
        return result;
    case QKeychain::EntryNotFound:
        result.status
            = defaultCollectionLocked() ? SecretStore::Status::Locked : SecretStore::Status::NotFound;
        break;
    case QKeychain::AccessDeniedByUser:
        // The unlock prompt was dismissed: the store stays locked.
        result.status = SecretStore::Status::Locked;
        break;
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
        result.status = SecretStore::Status::Unavailable;
        break;
    default:
        result.status = SecretStore::Status::Failed;
        qCInfo(lcSecrets) << "secret store:" << job.key() << job.errorString();
    }
    result.error = job.errorString();
    return result;
}

void answerLater(QObject *context, const SecretStore::Done &done, const SecretStore::Result &result)
{
    QTimer::singleShot(0, context, [done, result] { done(result); });
}

SecretStore::Result unavailable()
{
    return {SecretStore::Status::Unavailable, {}, QStringLiteral("no Secret Service on the session bus")};
}
} // namespace

QString smtpSecretKey(const QString &login, const QString &host)
{
    return QStringLiteral("smtp:") + login + QLatin1Char('@') + host;
}

SecretStore::SecretStore(const QString &service)
    : m_service(service)
{ }

bool SecretStore::available() const
{
    if (!QDBusConnection::sessionBus().isConnected())
        return false;
    return busHasName(QStringLiteral("NameHasOwner"), kSecretService)
        || busHasName(QStringLiteral("ListActivatableNames"), kSecretService);
}

void SecretStore::read(const QString &key, QObject *context, Done done) const
{
    if (!available())
        return answerLater(context, done, unavailable());
    auto *job = new QKeychain::ReadPasswordJob(m_service);
    job->setAutoDelete(true);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, context, [done](QKeychain::Job *finished) {
        const auto *read = static_cast<QKeychain::ReadPasswordJob *>(finished);
        done(resultOf(*read, read->textData()));
    });
    job->start();
}

void SecretStore::write(const QString &key, const QString &secret, QObject *context, Done done) const
{
    if (!available())
        return answerLater(context, done, unavailable());
    auto *job = new QKeychain::WritePasswordJob(m_service);
    job->setAutoDelete(true);
    job->setKey(key);
    job->setTextData(secret);
    QObject::connect(job, &QKeychain::Job::finished, context,
                     [done](QKeychain::Job *finished) { done(resultOf(*finished)); });
    job->start();
}

void SecretStore::remove(const QString &key, QObject *context, Done done) const
{
    if (!available())
        return answerLater(context, done, unavailable());
    auto *job = new QKeychain::DeletePasswordJob(m_service);
    job->setAutoDelete(true);
    job->setKey(key);
    QObject::connect(job, &QKeychain::Job::finished, context,
                     [done](QKeychain::Job *finished) { done(resultOf(*finished)); });
    job->start();
}

SecretStore::Result SecretStore::readWaiting(const QString &key, int timeoutMs) const
{
    Result result {Status::TimedOut, {}, QStringLiteral("no answer from the secret store")};
    NestedWait wait(timeoutMs);
    read(key, wait.receiver(), [&](const Result &answer) {
        result = answer;
        wait.done();
    });
    wait.wait();
    return result;
}
