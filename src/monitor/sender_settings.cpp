#include "monitor/sender_settings.h"

#include "monitor/mail_body.h"
#include "platform/ini_edit.h"
#include "platform/secret_store.h"

#include <QCoreApplication>

namespace {
bool hasLineBreak(const QString &text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}
} // namespace

const QList<SmtpProviderPreset> &smtpProviderPresets()
{
    static const QList<SmtpProviderPreset> presets {
        {QString::fromUtf8(QT_TRANSLATE_NOOP("SenderSettings", "QQ邮箱")), QStringLiteral("smtp.qq.com"), 465,
         SmtpSecurity::Tls},
        {QString::fromUtf8(QT_TRANSLATE_NOOP("SenderSettings", "163邮箱")), QStringLiteral("smtp.163.com"),
         465, SmtpSecurity::Tls},
        {QStringLiteral("Gmail"), QStringLiteral("smtp.gmail.com"), 587, SmtpSecurity::StartTls},
        {QStringLiteral("Outlook"), QStringLiteral("smtp.office365.com"), 587, SmtpSecurity::StartTls},
    };
    return presets;
}

int matchingPreset(const QString &host, int port, SmtpSecurity security)
{
    const QList<SmtpProviderPreset> &presets = smtpProviderPresets();
    for (int i = 0; i < presets.size(); ++i) {
        const SmtpProviderPreset &p = presets[i];
        if (p.host.compare(host.trimmed(), Qt::CaseInsensitive) == 0 && p.port == port
            && p.security == security)
            return i;
    }
    return -1;
}

const QList<std::pair<SmtpSecurity, QString>> &smtpSecurityChoices()
{
    static const QList<std::pair<SmtpSecurity, QString>> choices {
        {SmtpSecurity::Tls, QStringLiteral("SSL/TLS")},
        {SmtpSecurity::StartTls, QStringLiteral("STARTTLS")},
        {SmtpSecurity::None, QString::fromUtf8(QT_TRANSLATE_NOOP("SenderSettings", "无"))},
    };
    return choices;
}

SenderSettings senderSettings(const Endpoints &e, const QString &password)
{
    SenderSettings s;
    s.host = e.smtpHost;
    s.port = e.smtpPort;
    s.security = effectiveSmtpSecurity(e.smtpSecurity, e.smtpPort);
    s.sender = e.smtpSender;
    s.username = e.smtpUsername;
    s.password = password;
    return s;
}

QString senderSettingsProblem(const SenderSettings &s)
{
    if (s.host.trimmed().isEmpty())
        return QCoreApplication::translate("SenderSettings", "请填写SMTP服务器");
    if (s.port < 1 || s.port > 65535)
        return QCoreApplication::translate("SenderSettings", "端口应在1到65535之间");
    if (s.sender.trimmed().isEmpty() || !s.sender.contains(QLatin1Char('@')))
        return QCoreApplication::translate("SenderSettings", "请填写正确的发件邮箱");
    for (const QString &text : {s.host, s.sender, s.username, s.password}) {
        if (hasLineBreak(text))
            return QCoreApplication::translate("SenderSettings", "设置中不能含有换行");
    }
    return {};
}

void applySenderSettings(Endpoints &e, const SenderSettings &s)
{
    e.smtpHost = s.host.trimmed();
    e.smtpPort = s.port;
    e.smtpSecurity = s.security;
    e.smtpSender = s.sender.trimmed();
    e.smtpUsername = s.username.trimmed();
}

bool saveSenderSettings(const QString &iniPath, const SenderSettings &s, SecretInFile password,
                        QString *error)
{
    QList<std::pair<QString, QString>> values {
        {QStringLiteral("host"), s.host.trimmed()},
        {QStringLiteral("port"), QString::number(s.port)},
        {QStringLiteral("security"), smtpSecurityText(s.security)},
        {QStringLiteral("sender"), s.sender.trimmed()},
        {QStringLiteral("username"), s.username.trimmed()},
    };
    QStringList removed;
    if (password == SecretInFile::Write)
        values.append({QStringLiteral("password"), s.password});
    else if (password == SecretInFile::Remove)
        removed.append(QStringLiteral("password"));
    return editIniFile(iniPath, QStringLiteral("smtp"), values, removed, error);
}

MailMessage senderTestMail(const SenderSettings &s, const QString &noticeAddress, const QDateTime &now)
{
    const QString line = QCoreApplication::translate(
        "SenderSettings", "这是Parcelvue的测试邮件：发件设置可以使用，快递有最新动态时将通过它通知您。");
    const QString server = QCoreApplication::translate("SenderSettings", "发件服务器：%1:%2")
                               .arg(s.host.trimmed(), QString::number(s.port));
    MailMessage mail;
    mail.from = s.sender.trimmed();
    mail.to = noticeAddress.trimmed().isEmpty() ? mail.from : noticeAddress.trimmed();
    mail.subject = QCoreApplication::translate("SenderSettings", "Parcelvue测试邮件");
    mail.textBody = line + QStringLiteral("\r\n") + server + QStringLiteral("\r\n");
    mail.htmlBody = QStringLiteral("<p>") + escapeHtml(line) + QStringLiteral("</p><p>") + escapeHtml(server)
        + QStringLiteral("</p>");
    mail.date = now;
    return mail;
}

NoticePassword noticePassword(const Endpoints &e, const SecretStore *store, int timeoutMs)
{
    NoticePassword answer;
    if (!e.smtpPassword.isEmpty() || !store) {
        answer.password = e.smtpPassword;
        return answer;
    }
    const SecretStore::Result read = store->readWaiting(smtpSecretKey(e.smtpLogin(), e.smtpHost), timeoutMs);
    switch (read.status) {
    case SecretStore::Status::Ok:
        answer.password = read.secret;
        break;
    case SecretStore::Status::NotFound:
    case SecretStore::Status::Unavailable:
        break;
    case SecretStore::Status::TimedOut:
    case SecretStore::Status::Locked:
        answer.ok = false;
        answer.error = QCoreApplication::translate("SenderSettings", "系统密钥环没有应答，请确认它已解锁：")
            + read.error;
        break;
    case SecretStore::Status::Failed:
        answer.ok = false;
        answer.error
            = QCoreApplication::translate("SenderSettings", "无法从系统密钥环读取密码：") + read.error;
        break;
    }
    return answer;
}
