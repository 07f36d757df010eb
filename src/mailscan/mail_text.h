#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// One mail as a person reads it: who sent it, its subject and date, and its text (the plain and HTML
// parts decoded from their transfer encoding and charset, HTML turned into text with its links kept).

struct MailText
{
    QString sender; // the display name, or the address when there is none
    QString senderAddress;
    QString subject;
    QDateTime date; // invalid when the mail has none that can be read
    QString body;
};

// Parts nested deeper than this, and text beyond kMailTextLimit characters, are left unread.
constexpr int kMailPartDepth = 12;
constexpr int kMailTextLimit = 4 * 1024 * 1024;

MailText readMail(const QByteArray &raw);

// A header's value with its encoded words (=?charset?B|Q?...?=) decoded.
QString decodeHeaderValue(const QByteArray &value);

// Bytes in the named charset as text; unknown charsets are read as UTF-8, then GB18030.
QString decodeCharset(const QByteArray &bytes, const QByteArray &charset);

QByteArray decodeQuotedPrintable(const QByteArray &encoded, bool header = false);

// The text of an HTML page: tags, scripts and styles left out, entities decoded, blocks on lines of
// their own, and each link's address after its text so that carriers' tracking links are seen.
QString htmlToText(const QString &html);
