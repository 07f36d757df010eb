#pragma once

#include "platform/mail_transport.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

// One notice mail: an HTML body and the same facts as plain text, with a subject that may hold
// any text.
struct MailMessage
{
    QString from;
    QString to;
    QString subject;
    QString htmlBody;
    QString textBody; // empty: the HTML part alone
    QDateTime date; // the Date header; invalid means now
};

// "=?UTF-8?B?...?=" words of at most 75 characters, split on character boundaries and folded
// with CR LF and a blank; plain ASCII text without specials stays as it is. When the first line
// already holds `lineStart` characters (the field's name), the first word is cut short enough
// for that line to stay within 76.
QByteArray encodeHeaderText(const QString &text, int lineStart = 0);

// The whole message as it goes over the wire: headers, then a multipart/alternative body of a
// UTF-8 text part and a UTF-8 HTML part, each in base64, CR LF line ends. Fails (empty result,
// `error` set) when an address could smuggle in a header line.
QByteArray composeMail(const MailMessage &message, QString *error = nullptr);

// The message for the transport; one that cannot be composed is refused with the reason.
OutgoingMail outgoingMail(const MailMessage &message);
