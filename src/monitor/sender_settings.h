#pragma once

#include "core/endpoints.h"
#include "monitor/mail_message.h"

#include <QList>
#include <QString>

class SecretStore;

// The sender of the notice mail as the sender dialog "发件设置" edits it: the [smtp] section of
// endpoints.ini, and the password, which goes to the secret store.

struct SmtpProviderPreset
{
    QString name; // as the dialog lists it
    QString host;
    int port;
    SmtpSecurity security;
};

// QQ邮箱, 163邮箱, Gmail, Outlook. Anything else is "自定义".
const QList<SmtpProviderPreset> &smtpProviderPresets();
// The preset with exactly this server, or -1.
int matchingPreset(const QString &host, int port, SmtpSecurity security);

// The choices of "加密方式" in the order the dialog shows them, with their captions.
const QList<std::pair<SmtpSecurity, QString>> &smtpSecurityChoices();

struct SenderSettings
{
    QString host;
    int port = 465;
    SmtpSecurity security = SmtpSecurity::Tls; // never ByPort: the dialog always chooses
    QString sender;
    QString username; // empty: the sender address
    QString password;

    QString login() const { return username.isEmpty() ? sender : username; }
};

// The endpoints' sender, its security made explicit.
SenderSettings senderSettings(const Endpoints &endpoints, const QString &password);
// What stops a save or a test mail, as the dialog says it; empty when nothing does.
QString senderSettingsProblem(const SenderSettings &settings);
// The endpoints with these settings in their [smtp] part; the password is not touched.
void applySenderSettings(Endpoints &endpoints, const SenderSettings &settings);

// Writes [smtp] of endpoints.ini (other keys, sections and comments kept), owner-only. False with
// the reason in `error` when the file could not be read or written; it then stays as it was.
bool saveSenderSettings(const QString &iniPath, const SenderSettings &settings, SecretInFile password,
                        QString *error);

// The test mail of the dialog: to the notice address, or to the sender when that is empty.
MailMessage senderTestMail(const SenderSettings &settings, const QString &noticeAddress,
                           const QDateTime &now);

struct NoticePassword
{
    bool ok = true;
    QString password;
    QString error; // why the send cannot go on
};

// The password of the notice: endpoints.ini's when it has one (existing set-ups), else the
// secret store's, waited for at most `timeoutMs`. No store, or nothing stored: no password.
NoticePassword noticePassword(const Endpoints &endpoints, const SecretStore *store, int timeoutMs);
