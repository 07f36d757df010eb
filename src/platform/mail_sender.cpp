#include "platform/mail_sender.h"

#include <QEventLoop>
#include <QThread>
#include <QUuid>
#include <algorithm>
#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <sys/socket.h>

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

struct Upload
{
    QByteArray data;
    qsizetype offset = 0;
};

size_t readUpload(char *buffer, size_t size, size_t count, void *user)
{
    auto *upload = static_cast<Upload *>(user);
    const size_t left = static_cast<size_t>(upload->data.size() - upload->offset);
    const size_t n = std::min(left, size * count);
    memcpy(buffer, upload->data.constData() + upload->offset, n);
    upload->offset += static_cast<qsizetype>(n);
    return n;
}

MailResult sendBlocking(const SmtpAccount &account, const MailMessage &message, const QByteArray &mail,
                        int connectTimeoutMs, int sendTimeoutMs)
{
    MailResult result;
    std::unique_ptr<CURL, void (*)(CURL *)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl) {
        result.error = QStringLiteral("the mail component could not be started");
        return result;
    }
    const QByteArray url = "smtp://" + account.host.toUtf8() + ":" + QByteArray::number(account.port);
    const QByteArray user = account.user.toUtf8();
    const QByteArray password = account.password.toUtf8();
    const QByteArray from = message.from.toUtf8();
    const QByteArray to = message.to.toUtf8();
    std::unique_ptr<curl_slist, void (*)(curl_slist *)> recipients(curl_slist_append(nullptr, to.constData()),
                                                                   curl_slist_free_all);
    Upload upload {mail, 0};
    char errorBuffer[CURL_ERROR_SIZE] = {};

    CURL *c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    // The password should not travel in clear where the server can do better; a server without
    // STARTTLS still gets the mail.
    curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_TRY));
    curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(c, CURLOPT_READFUNCTION, readUpload);
    curl_easy_setopt(c, CURLOPT_READDATA, &upload);
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connectTimeoutMs));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(sendTimeoutMs));

    // Each answer of the server is bounded too (libcurl's own default is two minutes each).
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     std::max(1L, static_cast<long>(sendTimeoutMs / 1000)));

    const CURLcode code = curl_easy_perform(c);
    // Closing the handle says QUIT and waits for the answer: a few seconds at most, and not at all
    // on a connection that has just failed, so a stalled server cannot hold the send beyond its
    // time-out.
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, 5L);
    if (code != CURLE_OK) {
        curl_socket_t socket = CURL_SOCKET_BAD;
        if (curl_easy_getinfo(c, CURLINFO_ACTIVESOCKET, &socket) == CURLE_OK && socket != CURL_SOCKET_BAD)
            ::shutdown(socket, SHUT_RDWR);
    }
    if (code == CURLE_OK) {
        result.ok = true;
        return result;
    }
    result.error
        = errorBuffer[0] ? QString::fromUtf8(errorBuffer) : QString::fromUtf8(curl_easy_strerror(code));
    return result;
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
    mail += "Content-Type: text/html; charset=UTF-8\r\n";
    mail += "Content-Transfer-Encoding: base64\r\n";
    mail += "\r\n";
    mail += base64Lines(message.htmlBody.toUtf8());
    return mail;
}

MailSender::MailSender() = default;

MailResult MailSender::send(const SmtpAccount &account, const MailMessage &message)
{
    MailResult result;
    const QByteArray mail = composeMail(message, &result.error);
    if (mail.isEmpty())
        return result;
    if (account.host.trimmed().isEmpty()) {
        result.error = QStringLiteral("no SMTP server configured");
        return result;
    }

    // libcurl (and with it the TLS library) starts with the first mail, not with the program:
    // most sessions send none. Here, on the window's thread, before any worker runs.
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    const int connectMs = m_connectTimeoutMs;
    const int sendMs = m_sendTimeoutMs;
    std::unique_ptr<QThread> worker(
        QThread::create([&] { result = sendBlocking(account, message, mail, connectMs, sendMs); }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    // libcurl's time-outs bound the worker, so the loop always ends.
    if (!worker->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    return result;
}
