#include "platform/mail_transport.h"

#include "platform/curl_authorities.h"
#include "platform/logging.h"
#include "platform/nested_wait.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <curl/curl.h>
#include <memory>
#include <mutex>
#include <sys/socket.h>

namespace {
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

// Everything a worker needs, copied before it starts.
struct SendJob
{
    SmtpAccount account;
    QByteArray from, to, mail;
    QByteArray extraAuthorities; // PEM, from the account's certificate file
    int connectTimeoutMs = 0, sendTimeoutMs = 0;
};

// Keeps the server's last refusal (a 4xx or 5xx reply): it says best what went wrong.
int keepServerRefusal(CURL *, curl_infotype type, char *data, size_t size, void *user)
{
    if (type != CURLINFO_HEADER_IN || size < 3)
        return 0;
    const QByteArray line = QByteArray(data, static_cast<qsizetype>(size)).trimmed();
    if ((line.startsWith('4') || line.startsWith('5')) && line.size() >= 3)
        *static_cast<QByteArray *>(user) = line.left(300);
    return 0;
}

QString failureReason(CURLcode code)
{
    switch (code) {
    case CURLE_LOGIN_DENIED:
        return QCoreApplication::translate("MailServer",
                                           "登录被拒绝，请检查用户名和密码（许多邮箱要求填写授权码）");
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
        return QCoreApplication::translate("MailServer", "无法连接邮件服务器，请检查服务器地址和端口");
    case CURLE_PEER_FAILED_VERIFICATION:
        return QCoreApplication::translate("MailServer", "服务器证书不受信任");
    case CURLE_SSL_CACERT_BADFILE:
        return QCoreApplication::translate("MailServer", "证书文件无法使用");
    case CURLE_USE_SSL_FAILED:
        return QStringLiteral(
            "服务器不提供加密连接，密码没有发出。如确需不加密发送，请在发件设置中把加密方式选为“无”");
    case CURLE_SSL_CONNECT_ERROR:
        return QCoreApplication::translate("MailServer", "无法建立加密连接，请检查端口和加密方式");
    case CURLE_OPERATION_TIMEDOUT:
        return QCoreApplication::translate("MailServer", "连接超时");
    default:
        return QCoreApplication::translate("MailServer", "发送失败");
    }
}

MailResult sendBlocking(const SendJob &job)
{
    MailResult result;
    std::unique_ptr<CURL, void (*)(CURL *)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl) {
        result.error = QCoreApplication::translate("MailServer", "邮件组件无法启动");
        return result;
    }
    const SmtpAccount &account = job.account;
    const SmtpSecurity security = effectiveSmtpSecurity(account.security, account.port);
    const QByteArray scheme = security == SmtpSecurity::Tls ? "smtps://" : "smtp://";
    const QByteArray url = scheme + account.host.toUtf8() + ":" + QByteArray::number(account.port);
    const QByteArray user = account.user.toUtf8();
    const QByteArray password = account.password.toUtf8();
    std::unique_ptr<curl_slist, void (*)(curl_slist *)> recipients(
        curl_slist_append(nullptr, job.to.constData()), curl_slist_free_all);
    Upload upload {job.mail, 0};
    char errorBuffer[CURL_ERROR_SIZE] = {};
    QByteArray serverRefusal;

    CURL *c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L); // for the refusal below; nothing is printed
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, keepServerRefusal);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, &serverRefusal);
    // STARTTLS is required, not tried: when the offer is missing (which anyone on the path can
    // arrange) libcurl stops before the login. Only a plain set-up chosen as such logs in plainly.
    curl_easy_setopt(c, CURLOPT_USE_SSL,
                     static_cast<long>(security == SmtpSecurity::None ? CURLUSESSL_NONE : CURLUSESSL_ALL));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    QByteArray bundle;
    if (!job.extraAuthorities.isEmpty()) {
        bundle = curlAuthorityBundle(c, job.extraAuthorities);
        curl_blob blob {bundle.data(), static_cast<size_t>(bundle.size()), CURL_BLOB_NOCOPY};
        curl_easy_setopt(c, CURLOPT_CAINFO_BLOB, &blob);
    }
    curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, job.from.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(c, CURLOPT_READFUNCTION, readUpload);
    curl_easy_setopt(c, CURLOPT_READDATA, &upload);
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(job.connectTimeoutMs));
    curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(job.sendTimeoutMs));

    // Each answer of the server is bounded too (libcurl's own default is two minutes each).
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                     std::max(1L, static_cast<long>(job.sendTimeoutMs / 1000)));

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
    QString detail
        = errorBuffer[0] ? QString::fromUtf8(errorBuffer) : QString::fromUtf8(curl_easy_strerror(code));
    const QString refusal = QString::fromUtf8(serverRefusal);
    if (!refusal.isEmpty() && !detail.contains(refusal))
        detail += QCoreApplication::translate("MailServer", "（服务器：%1）").arg(refusal);
    result.error = QCoreApplication::translate("MailServer", "%1：%2").arg(failureReason(code), detail);
    return result;
}
} // namespace

SmtpSecurity effectiveSmtpSecurity(SmtpSecurity security, int port)
{
    if (security != SmtpSecurity::ByPort)
        return security;
    return port == 465 ? SmtpSecurity::Tls : SmtpSecurity::StartTls;
}

QString smtpSecurityText(SmtpSecurity security)
{
    switch (security) {
    case SmtpSecurity::Tls:
        return QStringLiteral("tls");
    case SmtpSecurity::StartTls:
        return QStringLiteral("starttls");
    case SmtpSecurity::None:
        return QStringLiteral("none");
    case SmtpSecurity::ByPort:
        break;
    }
    return {};
}

SmtpSecurity smtpSecurityFromText(const QString &text)
{
    const QString word = text.trimmed().toLower();
    for (SmtpSecurity s : {SmtpSecurity::Tls, SmtpSecurity::StartTls, SmtpSecurity::None}) {
        if (word == smtpSecurityText(s))
            return s;
    }
    return SmtpSecurity::ByPort;
}

MailSender::MailSender() = default;

MailSender::~MailSender()
{
    for (const QPointer<QThread> &worker : std::as_const(m_workers)) {
        if (worker)
            worker->wait();
    }
}

void MailSender::sendAsync(const SmtpAccount &account, const OutgoingMail &mail, QObject *context,
                           std::function<void(const MailResult &)> done)
{
    auto result = std::make_shared<MailResult>();
    auto failNow = [&](const QString &error) {
        result->error = error;
        QTimer::singleShot(0, context, [done, result] { done(*result); });
    };
    if (!mail.refusal.isEmpty())
        return failNow(mail.refusal);
    SendJob job;
    job.account = account;
    job.mail = mail.data;
    if (account.host.trimmed().isEmpty())
        return failNow(QCoreApplication::translate("MailServer", "没有设置邮件服务器"));
    if (!account.caFile.isEmpty()) {
        QFile authorities(account.caFile);
        if (!authorities.open(QIODevice::ReadOnly))
            return failNow(QCoreApplication::translate("MailServer", "证书文件无法读取：%1：%2")
                               .arg(account.caFile, authorities.errorString()));
        job.extraAuthorities = authorities.readAll();
    }
    job.from = mail.from;
    job.to = mail.to;
    job.connectTimeoutMs = m_connectTimeoutMs;
    job.sendTimeoutMs = m_sendTimeoutMs;

    // libcurl (and with it the TLS library) starts with the first mail, not with the program:
    // most sessions send none. Here, on the window's thread, before any worker runs.
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    QThread *worker = QThread::create([job, result] { *result = sendBlocking(job); });
    // libcurl's time-outs bound the worker, so `done` always comes.
    QObject::connect(worker, &QThread::finished, context, [done, result] {
        if (!result->ok)
            qCInfo(lcMail) << "send failed:" << result->error;
        done(*result);
    });
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    m_workers.removeAll(nullptr);
    m_workers.append(worker);
    worker->start();
}

MailResult MailSender::send(const SmtpAccount &account, const OutgoingMail &mail)
{
    MailResult result;
    // libcurl's own time-outs end the send well before this bound.
    NestedWait wait(m_connectTimeoutMs + m_sendTimeoutMs + 10 * 1000);
    sendAsync(account, mail, wait.receiver(), [&](const MailResult &r) {
        result = r;
        wait.done();
    });
    if (!wait.wait())
        result.error = QCoreApplication::translate("MailServer", "连接超时");
    return result;
}
