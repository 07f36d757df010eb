#pragma once

#include "platform/imap_reader.h"

#include <QString>

// The mailbox the user lets Parcelvue read for tracking numbers: endpoints.ini's section [imap]
// (host, port, security "tls" or "starttls", login, folder, ca_file; the password there only when
// the secret store cannot keep it), the way [smtp] holds the sender.
struct MailAccountSettings
{
    ImapAccount account; // password: the file's, when there is one
    bool passwordInFile = false;
    bool configured() const { return !account.host.isEmpty() && !account.login.isEmpty(); }
};

MailAccountSettings loadMailAccount(const QString &endpointsPath);
// False when the file could not be written.
bool saveMailAccount(const QString &endpointsPath, const MailAccountSettings &settings);

// The password's key in the secret store: "imap:<login>@<host>".
QString imapSecretKey(const ImapAccount &account);

// Where a folder's last scan stopped, kept in the history's facts under this name.
QString mailScanStateName(const ImapAccount &account);
QString mailScanStateText(const ImapScanState &state);
ImapScanState mailScanState(const QString &text); // empty for a text that is not one
