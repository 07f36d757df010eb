#include "monitor/mail_message.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QUuid>
#include <algorithm>

namespace {
// 45 bytes make 60 base64 characters: with "=?UTF-8?B?" and "?=" a word stays within 75.
constexpr int kWordBytes = 45;

bool isPlainHeaderText(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return !text.contains(QLatin1String("=?"));
}

bool isSafeAddress(const QString &address)
{
    for (const QChar c : address) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    return true;
}

// Cuts UTF-8 bytes only in front of a lead byte, so no word holds half a character.
QList<QByteArray> splitUtf8(const QByteArray &bytes, int maxBytes)
{
    QList<QByteArray> parts;
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = std::min(start + maxBytes, bytes.size());
        if (end < bytes.size()) {
            while (end > start + 1 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80)
                --end;
        }
        parts.append(bytes.mid(start, end - start));
        start = end;
    }
    return parts;
}

// "<unique@domain>" on the sender's domain, as mail servers and spam filters expect.
QByteArray messageId(const QString &sender)
{
    const qsizetype at = sender.lastIndexOf(QLatin1Char('@'));
    QByteArray domain;
    for (const char c : at < 0 ? QByteArray() : sender.mid(at + 1).toLatin1()) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
            || c == '.')
            domain += c;
    }
    if (domain.isEmpty())
        domain = "localhost";
    return "<" + QUuid::createUuid().toByteArray(QUuid::WithoutBraces) + "@" + domain + ">";
}

QByteArray base64Lines(const QByteArray &bytes)
{
    const QByteArray encoded = bytes.toBase64();
    QByteArray lines;
    for (qsizetype i = 0; i < encoded.size(); i += 76)
        lines += encoded.mid(i, 76) + "\r\n";
    return lines;
}

// The Content-Type header and the body below it: both parts when there is a text, else the HTML
// part alone.
QByteArray mimeContent(const MailMessage &message)
{
    const QByteArray html = "Content-Type: text/html; charset=UTF-8\r\n"
                            "Content-Transfer-Encoding: base64\r\n\r\n"
        + base64Lines(message.htmlBody.toUtf8());
    if (message.textBody.isEmpty())
        return html;
    // Base64 lines never start with "--": no part can hold the boundary.
    const QByteArray boundary
        = "=_parcelvue_" + QByteArray::number(QRandomGenerator::global()->generate64(), 16);
    QByteArray content = "Content-Type: multipart/alternative; boundary=\"" + boundary + "\"\r\n\r\n";
    content += "--" + boundary + "\r\n";
    content += "Content-Type: text/plain; charset=UTF-8\r\n"
               "Content-Transfer-Encoding: base64\r\n\r\n"
        + base64Lines(message.textBody.toUtf8());
    content += "--" + boundary + "\r\n" + html;
    content += "--" + boundary + "--\r\n";
    return content;
}
} // namespace

QByteArray encodeHeaderText(const QString &text, int lineStart)
{
    if (isPlainHeaderText(text))
        return text.toLatin1();
    // A line with encoded words may be 76 characters long: the word's frame takes 12 of them, and
    // every 3 bytes take 4.
    const int firstBytes = std::clamp((76 - lineStart - 12) / 4 * 3, 6, kWordBytes);
    const QByteArray bytes = text.toUtf8();
    QList<QByteArray> parts = splitUtf8(bytes, firstBytes).mid(0, 1);
    parts += splitUtf8(bytes.mid(parts.first().size()), kWordBytes);
    QByteArray words;
    for (const QByteArray &part : parts) {
        if (!words.isEmpty())
            words += "\r\n ";
        words += "=?UTF-8?B?" + part.toBase64() + "?=";
    }
    return words;
}

QByteArray composeMail(const MailMessage &message, QString *error)
{
    if (message.to.trimmed().isEmpty() || !isSafeAddress(message.to) || !isSafeAddress(message.from)) {
        if (error)
            *error = QStringLiteral("invalid mail address");
        return {};
    }
    const QDateTime date = message.date.isValid() ? message.date : QDateTime::currentDateTime();
    QByteArray mail;
    mail += "Date: " + date.toString(Qt::RFC2822Date).toLatin1() + "\r\n";
    mail += "From: " + message.from.toUtf8() + "\r\n";
    mail += "To: " + message.to.toUtf8() + "\r\n";
    mail += "Message-ID: " + messageId(message.from) + "\r\n";
    const QByteArray subjectField = "Subject: ";
    mail += subjectField + encodeHeaderText(message.subject, int(subjectField.size())) + "\r\n";
    mail += "MIME-Version: 1.0\r\n";
    mail += mimeContent(message);
    return mail;
}

OutgoingMail outgoingMail(const MailMessage &message)
{
    OutgoingMail mail;
    QString error;
    mail.data = composeMail(message, &error);
    if (mail.data.isEmpty())
        mail.refusal = QCoreApplication::translate("NoticeMail", "邮件地址无效：") + error;
    mail.from = message.from.toUtf8();
    mail.to = message.to.toUtf8();
    return mail;
}
