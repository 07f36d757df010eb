#include "mailscan/mail_account.h"

#include <QFile>
#include <QSettings>

namespace {
QString text(const QSettings &ini, const char *key, const QString &byDefault = QString())
{
    return ini.value(QLatin1String(key), byDefault).toString().trimmed();
}
} // namespace

MailAccountSettings loadMailAccount(const QString &endpointsPath)
{
    MailAccountSettings settings;
    if (!QFile::exists(endpointsPath))
        return settings;
    const QSettings ini(endpointsPath, QSettings::IniFormat);
    ImapAccount &account = settings.account;
    account.host = text(ini, "imap/host");
    account.security = text(ini, "imap/security").compare(QLatin1String("starttls"), Qt::CaseInsensitive) == 0
        ? ImapSecurity::StartTls
        : ImapSecurity::Tls;
    bool isNumber = false;
    const int port = text(ini, "imap/port").toInt(&isNumber);
    account.port = isNumber && port > 0 && port <= 65535 ? port
        : account.security == ImapSecurity::Tls          ? 993
                                                         : 143;
    account.login = text(ini, "imap/login");
    account.folder = text(ini, "imap/folder", QStringLiteral("INBOX"));
    if (account.folder.isEmpty())
        account.folder = QStringLiteral("INBOX");
    account.caFile = text(ini, "imap/ca_file");
    account.password = ini.value(QStringLiteral("imap/password")).toString();
    settings.passwordInFile = !account.password.isEmpty();
    return settings;
}

bool saveMailAccount(const QString &endpointsPath, const MailAccountSettings &settings)
{
    QSettings ini(endpointsPath, QSettings::IniFormat);
    const ImapAccount &account = settings.account;
    ini.setValue(QStringLiteral("imap/host"), account.host);
    ini.setValue(QStringLiteral("imap/port"), account.port);
    ini.setValue(QStringLiteral("imap/security"),
                 account.security == ImapSecurity::StartTls ? QStringLiteral("starttls")
                                                            : QStringLiteral("tls"));
    ini.setValue(QStringLiteral("imap/login"), account.login);
    ini.setValue(QStringLiteral("imap/folder"), account.folder);
    ini.setValue(QStringLiteral("imap/ca_file"), account.caFile);
    if (settings.passwordInFile)
        ini.setValue(QStringLiteral("imap/password"), account.password);
    else
        ini.remove(QStringLiteral("imap/password"));
    ini.sync();
    return ini.status() == QSettings::NoError;
}

QString imapSecretKey(const ImapAccount &account)
{
    return QStringLiteral("imap:%1@%2").arg(account.login, account.host);
}

QString mailScanStateName(const ImapAccount &account)
{
    return QStringLiteral("mail_scan:imap://%1@%2:%3/%4")
        .arg(account.login, account.host)
        .arg(account.port)
        .arg(account.folder);
}

QString mailScanStateText(const ImapScanState &state)
{
    return QStringLiteral("%1 %2").arg(state.uidValidity).arg(state.highestUid);
}

ImapScanState mailScanState(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(' '));
    bool validityOk = false, uidOk = false;
    ImapScanState state;
    if (parts.size() == 2) {
        state.uidValidity = parts[0].toLongLong(&validityOk);
        state.highestUid = parts[1].toLongLong(&uidOk);
    }
    return validityOk && uidOk && state.uidValidity > 0 && state.highestUid >= 0 ? state : ImapScanState();
}
