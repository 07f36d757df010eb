#include "imap_server.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <arpa/inet.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// A port of 127.0.0.1 free right now (the server takes it a moment later).
int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = -1;
    if (::bind(s, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::getsockname(s, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(s);
    return port;
}

bool accepts(int port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    const bool ok = ::connect(s, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    ::close(s);
    return ok;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString dovecotProgram()
{
    return QStandardPaths::findExecutable(QStringLiteral("dovecot"),
                                          {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")});
}
} // namespace

ImapTestServer::ImapTestServer(const QString &user, const QString &password)
    : m_user(user)
    , m_password(password)
{
    QDir().mkpath(maildir() + QStringLiteral("/cur"));
    QDir().mkpath(maildir() + QStringLiteral("/new"));
    QDir().mkpath(maildir() + QStringLiteral("/tmp"));
}

ImapTestServer::~ImapTestServer()
{
    stop();
}

bool ImapTestServer::installed()
{
    return !dovecotProgram().isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("openssl")).isEmpty();
}

QString ImapTestServer::maildir() const
{
    return m_dir.filePath(QStringLiteral("mail/") + m_user);
}

QString ImapTestServer::caFile() const
{
    return m_dir.filePath(QStringLiteral("cert.pem"));
}

QString ImapTestServer::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("dovecot.log")));
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll().right(4000));
}

void ImapTestServer::deliver(const QByteArray &raw, const QString &folder)
{
    // Maildir++: a folder below INBOX is ".name" beside cur/, new/ and tmp/.
    const QString dir = folder.isEmpty() ? maildir() : maildir() + QStringLiteral("/.") + folder;
    for (const char *sub : {"/cur", "/new", "/tmp"})
        QDir().mkpath(dir + QLatin1String(sub));
    ownForMail(m_dir.filePath(QStringLiteral("mail")));
    ++m_delivered;
    writeFile(
        QStringLiteral("%1/new/%2.M%3.parcelvue").arg(dir).arg(1765000000 + m_delivered).arg(m_delivered),
        raw);
}

void ImapTestServer::ownForMail(const QString &path) const
{
    if (m_mailUid == ::getuid())
        return;
    if (::chown(QFile::encodeName(path).constData(), m_mailUid, m_mailGid) != 0)
        return;
    for (const QFileInfo &entry : QDir(path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        ownForMail(entry.filePath());
}

QString ImapTestServer::mailboxStatus() const
{
    QProcess doveadm;
    doveadm.start(QStandardPaths::findExecutable(QStringLiteral("doveadm"), {QStringLiteral("/usr/bin")}),
                  {QStringLiteral("-c"), m_dir.filePath(QStringLiteral("dovecot.conf")),
                   QStringLiteral("mailbox"), QStringLiteral("status"), QStringLiteral("-u"), m_user,
                   QStringLiteral("messages recent unseen"), QStringLiteral("INBOX")});
    doveadm.waitForFinished(15000);
    const QString out = QString::fromUtf8(doveadm.readAllStandardOutput() + doveadm.readAllStandardError());
    return out.trimmed().remove(QStringLiteral("INBOX "));
}

QStringList ImapTestServer::messageFiles() const
{
    QStringList names;
    for (const char *sub : {"cur", "new"}) {
        for (const QString &name :
             QDir(maildir() + QLatin1Char('/') + QLatin1String(sub)).entryList(QDir::Files))
            names.append(QLatin1String(sub) + QLatin1Char('/') + name);
    }
    names.sort();
    return names;
}

bool ImapTestServer::start()
{
    const QString d = m_dir.path();
    QProcess openssl;
    openssl.start(QStringLiteral("openssl"),
                  {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                   QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
                   QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes"),
                   QStringLiteral("-days"), QStringLiteral("2"), QStringLiteral("-subj"),
                   QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                   QStringLiteral("subjectAltName=IP:127.0.0.1,DNS:localhost"), QStringLiteral("-keyout"),
                   d + QStringLiteral("/key.pem"), QStringLiteral("-out"), caFile()});
    if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0) {
        m_error = QStringLiteral("openssl: ") + QString::fromUtf8(openssl.readAllStandardError());
        return false;
    }

    // Every process of the server runs as the test's own user (root in CI).
    const passwd *account = ::getpwuid(::getuid());
    const group *team = ::getgrgid(::getgid());
    if (!account || !team) {
        m_error = QStringLiteral("no name for the test's user");
        return false;
    }
    const QByteArray user = account->pw_name;
    const QByteArray groupName = team->gr_name;
    // Dovecot's login processes never run as root; as root, the package's login user serves
    // (they read nothing of the test's folder).
    const QByteArray loginUser = ::getuid() == 0 ? QByteArray("dovenull") : user;
    // Nor does it read mail as root: then the mailbox belongs to the package's own user.
    m_mailUid = ::getuid();
    m_mailGid = ::getgid();
    if (::getuid() == 0) {
        const passwd *mailUser = ::getpwnam("dovecot");
        if (!mailUser) {
            m_error = QStringLiteral("no user dovecot to read mail as");
            return false;
        }
        m_mailUid = mailUser->pw_uid;
        m_mailGid = mailUser->pw_gid;
        QFile::setPermissions(d, QFile::permissions(d) | QFile::ExeGroup | QFile::ExeOther);
        ownForMail(m_dir.filePath(QStringLiteral("mail")));
    }
    m_startTlsPort = freePort();
    m_tlsPort = freePort();
    QDir().mkpath(d + QStringLiteral("/run"));
    QDir().mkpath(d + QStringLiteral("/state"));
    writeFile(d + QStringLiteral("/passwd"), m_user.toUtf8() + ":{PLAIN}" + m_password.toUtf8() + "\n");
    const QByteArray dir = d.toUtf8();
    QByteArray conf = "protocols = imap\n"
                      "listen = 127.0.0.1\n"
                      "base_dir = "
        + dir + "/run\nstate_dir = " + dir + "/state\nlog_path = " + dir
        + "/dovecot.log\n"
          "ssl = yes\nssl_cert = <"
        + caFile().toUtf8() + "\nssl_key = <" + dir
        + "/key.pem\n"
          "default_internal_user = "
        + user + "\ndefault_internal_group = " + groupName + "\ndefault_login_user = " + loginUser
        + "\nfirst_valid_uid = 0\nfirst_valid_gid = 0\n"
          "auth_mechanisms = plain\nauth_failure_delay = 0\n"
          "mail_location = maildir:"
        + dir
        + "/mail/%u\n"
          "passdb {\n  driver = passwd-file\n  args = "
        + dir + "/passwd\n}\nuserdb {\n  driver = static\n  args = uid=" + QByteArray::number(m_mailUid)
        + " gid=" + QByteArray::number(m_mailGid) + " home=" + dir
        + "/home/%u\n}\n"
          "service imap-login {\n  chroot =\n"
          "  inet_listener imap {\n    address = 127.0.0.1\n    port = "
        + QByteArray::number(m_startTlsPort)
        + "\n  }\n  inet_listener imaps {\n    address = 127.0.0.1\n    port = "
        + QByteArray::number(m_tlsPort)
        + "\n    ssl = yes\n  }\n}\n"
          "service anvil {\n  chroot =\n}\n"
          "service stats {\n  unix_listener stats-writer {\n    mode = 0666\n  }\n}\n";
    if (QFile::exists(QStringLiteral("/usr/share/dovecot/dh.pem")))
        conf += "ssl_dh = </usr/share/dovecot/dh.pem\n";
    writeFile(d + QStringLiteral("/dovecot.conf"), conf);

    m_process = std::make_unique<QProcess>();
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->start(dovecotProgram(),
                     {QStringLiteral("-F"), QStringLiteral("-c"), d + QStringLiteral("/dovecot.conf")});
    if (!m_process->waitForStarted(5000)) {
        m_error = QStringLiteral("dovecot: ") + m_process->errorString();
        return false;
    }
    QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (accepts(m_startTlsPort) && accepts(m_tlsPort))
            return true;
        if (m_process->state() != QProcess::Running)
            break;
        QThread::msleep(50);
    }
    m_process->waitForFinished(100);
    m_error = QStringLiteral("dovecot did not start: ") + QString::fromUtf8(m_process->readAll()) + log();
    return false;
}

void ImapTestServer::pauseSessions(bool pause)
{
    if (!m_process)
        return;
    const QString master = QString::number(m_process->processId());
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (comm) state ppid ..."
        const QString line = QString::fromLatin1(stat.readAll());
        const qsizetype close = line.lastIndexOf(QLatin1Char(')'));
        const QStringList rest = line.mid(close + 2).split(QLatin1Char(' '));
        if (line.contains(QLatin1String(" (imap) ")) && rest.value(1) == master)
            ::kill(pid.toInt(), pause ? SIGSTOP : SIGCONT);
    }
}

void ImapTestServer::stop()
{
    if (!m_process)
        return;
    pauseSessions(false);
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(10000)) {
            m_process->kill();
            m_process->waitForFinished(5000);
        }
    }
    m_process.reset();
}
