#include "smtp_server.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

namespace {
QString scriptPath()
{
    return QStringLiteral(PARCELVUE_TEST_SUPPORT_DIR "/smtp_server.py");
}
} // namespace

QString SmtpTestServer::Received::header(const QString &name) const
{
    for (const QJsonValue &pair : record.value(QStringLiteral("headers")).toArray()) {
        const QJsonArray entry = pair.toArray();
        if (entry.at(0).toString().compare(name, Qt::CaseInsensitive) == 0)
            return entry.at(1).toString();
    }
    return {};
}

SmtpTestServer::SmtpTestServer(const QString &user, const QString &password, Mode mode, Tls tls)
    : m_user(user)
    , m_password(password)
    , m_mode(mode)
    , m_tls(tls)
{ }

SmtpTestServer::~SmtpTestServer()
{
    stop();
}

bool SmtpTestServer::start()
{
    m_process = std::make_unique<QProcess>();
    m_process->setProgram(QStringLiteral("/usr/bin/python3"));
    m_process->setArguments({scriptPath(), QStringLiteral("--out"), m_out.path(), QStringLiteral("--user"),
                             m_user, QStringLiteral("--password"), m_password, QStringLiteral("--mode"),
                             m_mode == Mode::Stall ? QStringLiteral("stall") : QStringLiteral("accept"),
                             QStringLiteral("--tls"),
                             m_tls == Tls::Implicit       ? QStringLiteral("implicit")
                                 : m_tls == Tls::StartTls ? QStringLiteral("starttls")
                                                          : QStringLiteral("none")});
    m_process->setStandardErrorFile(m_out.filePath(QStringLiteral("stderr.txt")));
    m_process->start();
    if (!m_process->waitForStarted(5000)) {
        m_error = m_process->errorString();
        return false;
    }
    QDeadlineTimer deadline(15000);
    QByteArray output;
    while (!deadline.hasExpired()) {
        if (m_process->canReadLine()
            || m_process->waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            output += m_process->readLine();
            if (output.startsWith("PORT ") && output.endsWith('\n')) {
                m_port = output.mid(5).trimmed().toInt();
                return m_port > 0;
            }
        } else if (m_process->state() != QProcess::Running) {
            break;
        }
    }
    QFile log(m_out.filePath(QStringLiteral("stderr.txt")));
    log.open(QIODevice::ReadOnly);
    m_error = QStringLiteral("SMTP server did not start: ") + QString::fromUtf8(output + log.readAll());
    return false;
}

void SmtpTestServer::stop()
{
    if (!m_process)
        return;
    if (m_process->state() != QProcess::NotRunning) {
        m_process->closeWriteChannel();
        if (!m_process->waitForFinished(5000)) {
            m_process->kill();
            m_process->waitForFinished(5000);
        }
    }
    m_process.reset();
}

std::vector<SmtpTestServer::Received> SmtpTestServer::received() const
{
    std::vector<Received> messages;
    const QDir dir(m_out.path());
    for (const QString &name : dir.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject o = QJsonDocument::fromJson(file.readAll()).object();
        Received r;
        r.record = o;
        r.mailFrom = o.value(QStringLiteral("mail_from")).toString();
        for (const QJsonValue &to : o.value(QStringLiteral("rcpt_tos")).toArray())
            r.recipients.append(to.toString());
        r.login = o.value(QStringLiteral("login")).toString();
        r.rawHeaders = o.value(QStringLiteral("raw_headers")).toString();
        r.subject = o.value(QStringLiteral("subject")).toString();
        r.contentType = o.value(QStringLiteral("content_type")).toString();
        r.charset = o.value(QStringLiteral("charset")).toString();
        r.transferEncoding = o.value(QStringLiteral("transfer_encoding")).toString();
        r.body = o.value(QStringLiteral("body")).toString();
        for (const QJsonValue &value : o.value(QStringLiteral("parts")).toArray()) {
            const QJsonObject p = value.toObject();
            r.parts.push_back({p.value(QStringLiteral("content_type")).toString(),
                               p.value(QStringLiteral("charset")).toString(),
                               p.value(QStringLiteral("transfer_encoding")).toString(),
                               p.value(QStringLiteral("body")).toString()});
        }
        for (const QJsonValue &defect : o.value(QStringLiteral("defects")).toArray())
            r.defects.append(defect.toString());
        messages.push_back(r);
    }
    return messages;
}

QString SmtpTestServer::caFile() const
{
    return m_out.filePath(QStringLiteral("ca.pem"));
}

std::vector<SmtpTestServer::Line> SmtpTestServer::transcript() const
{
    std::vector<Line> lines;
    QFile file(m_out.filePath(QStringLiteral("transcript.jsonl")));
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray &entry : file.readAll().split('\n')) {
        const QJsonObject o = QJsonDocument::fromJson(entry).object();
        if (!o.isEmpty())
            lines.push_back(
                {o.value(QStringLiteral("line")).toString(), o.value(QStringLiteral("tls")).toBool()});
    }
    return lines;
}

std::vector<SmtpTestServer::Line> SmtpTestServer::commands(const QString &command) const
{
    std::vector<Line> found;
    for (const Line &line : transcript()) {
        if (line.text.startsWith(command, Qt::CaseInsensitive))
            found.push_back(line);
    }
    return found;
}
