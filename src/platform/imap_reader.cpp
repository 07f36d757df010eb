#include "platform/imap_reader.h"

#include "platform/curl_authorities.h"
#include "platform/logging.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSet>
#include <QThread>
#include <algorithm>
#include <curl/curl.h>
#include <mutex>
#include <poll.h>
#include <sys/socket.h>

namespace {
// Longer lines than this are no answer of an IMAP server (a search of a million UIDs is shorter).
constexpr qsizetype kLongestLine = 16 * 1024 * 1024;
// The UIDs asked for in one FETCH: the answers stream in, one round trip per batch.
constexpr int kFetchBatch = 50;
constexpr int kCancelLookMs = 100;

QString serverName(const ImapAccount &account)
{
    return account.host + QLatin1Char(':') + QString::number(account.port);
}

QString connectFailure(CURLcode code)
{
    switch (code) {
    case CURLE_LOGIN_DENIED:
        return QCoreApplication::translate("MailServer",
                                           "登录被拒绝，请检查用户名和密码（许多邮箱要求填写授权码）");
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
        return QCoreApplication::translate("MailServer", "无法连接收件服务器，请检查服务器地址和端口");
    case CURLE_PEER_FAILED_VERIFICATION:
        return QCoreApplication::translate("MailServer", "服务器证书未通过验证");
    case CURLE_SSL_CACERT_BADFILE:
        return QCoreApplication::translate("MailServer", "证书文件无法使用");
    case CURLE_USE_SSL_FAILED:
        return QCoreApplication::translate("MailServer", "服务器不提供加密连接（STARTTLS），密码没有发出");
    case CURLE_SSL_CONNECT_ERROR:
        return QCoreApplication::translate("MailServer", "无法建立加密连接，请检查端口和加密方式");
    case CURLE_OPERATION_TIMEDOUT:
        return QCoreApplication::translate("MailServer", "服务器没有在规定时间内应答");
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
        return QCoreApplication::translate("MailServer", "服务器断开了连接");
    default:
        return QCoreApplication::translate("MailServer", "无法读取邮件");
    }
}

int cancelProgress(void *user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto *cancel = static_cast<const std::atomic<bool> *>(user);
    return cancel && cancel->load() ? 1 : 0;
}

QByteArray imapDate(const QDate &date)
{
    static const char *const months[]
        = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return QByteArray::number(date.day()) + '-' + months[date.month() - 1] + '-'
        + QByteArray::number(date.year());
}

// One response of the server: its line (literals left as their {n} announcement) and the literals.
struct Response
{
    QByteArray line;
    QList<QByteArray> literals;
    bool tagged(const QByteArray &tag) const { return line.startsWith(tag + ' '); }
    // For a tagged line: "OK", "NO" or "BAD", and the text after it.
    QByteArray status(const QByteArray &tag) const
    {
        return line.mid(tag.size() + 1).split(' ').value(0).toUpper();
    }
    QString text(const QByteArray &tag) const
    {
        const QByteArray rest = line.mid(tag.size() + 1);
        const qsizetype blank = rest.indexOf(' ');
        return blank < 0 ? QString() : QString::fromUtf8(rest.mid(blank + 1)).left(300);
    }
};

// A logged-in connection that libcurl set up (TCP, TLS or STARTTLS, the login) and that speaks
// the commands of a read-only scan itself: libcurl's own IMAP commands would SELECT the folder and
// fetch with BODY[], which marks every message read.
class ImapSession
{
public:
    ImapSession(const ImapAccount &account, const ImapLimits &limits, const std::atomic<bool> *cancel)
        : m_account(account)
        , m_limits(limits)
        , m_cancel(cancel)
        , m_curl(curl_easy_init(), curl_easy_cleanup)
    { }

    ~ImapSession()
    {
        if (!m_curl)
            return;
        // libcurl says LOGOUT as it closes and waits for the answer; after a failure it is not
        // worth waiting for, and never longer than a few seconds.
        curl_easy_setopt(m_curl.get(), CURLOPT_SERVER_RESPONSE_TIMEOUT, 5L);
        if (!m_error.isEmpty() || m_cancelled || m_abandoned) {
            curl_socket_t socket = CURL_SOCKET_BAD;
            if (curl_easy_getinfo(m_curl.get(), CURLINFO_ACTIVESOCKET, &socket) == CURLE_OK
                && socket != CURL_SOCKET_BAD)
                ::shutdown(socket, SHUT_RDWR);
        }
    }

    QString error() const { return m_error; }
    bool cancelled() const { return m_cancelled; }
    // An answer left half read: the connection is closed rather than logged out.
    void abandon() { m_abandoned = true; }

    bool open()
    {
        CURL *c = m_curl.get();
        if (!c)
            return fail(QCoreApplication::translate("MailServer", "邮件组件无法启动"));
        QByteArray authorities;
        if (!m_account.caFile.isEmpty()) {
            QFile file(m_account.caFile);
            if (!file.open(QIODevice::ReadOnly))
                return fail(QCoreApplication::translate("MailServer", "证书文件无法读取：%1：%2")
                                .arg(m_account.caFile, file.errorString()));
            authorities = file.readAll();
        }
        const bool tls = m_account.security == ImapSecurity::Tls;
        const QByteArray url = (tls ? "imaps://" : "imap://") + m_account.host.toUtf8() + ':'
            + QByteArray::number(m_account.port) + '/';
        const QByteArray login = m_account.login.toUtf8();
        const QByteArray password = m_account.password.toUtf8();
        char errorBuffer[CURL_ERROR_SIZE] = {};
        curl_easy_setopt(c, CURLOPT_URL, url.constData());
        curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "imap,imaps");
        curl_easy_setopt(c, CURLOPT_CONNECT_ONLY, 1L);
        curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(c, CURLOPT_ERRORBUFFER, errorBuffer);
        // STARTTLS is required, not tried: without it the password is never sent.
        curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
        curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
        QByteArray bundle;
        if (!authorities.isEmpty()) {
            bundle = curlAuthorityBundle(c, authorities);
            curl_blob blob {bundle.data(), static_cast<size_t>(bundle.size()), CURL_BLOB_NOCOPY};
            curl_easy_setopt(c, CURLOPT_CAINFO_BLOB, &blob);
        }
        curl_easy_setopt(c, CURLOPT_USERNAME, login.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
        curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_limits.connectMs));
        curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, static_cast<long>(m_limits.connectMs));
        curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                         std::max(1L, static_cast<long>(m_limits.responseMs / 1000)));
        curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, cancelProgress);
        curl_easy_setopt(c, CURLOPT_XFERINFODATA, m_cancel);

        const CURLcode code = curl_easy_perform(c);
        if (code == CURLE_ABORTED_BY_CALLBACK || (m_cancel && m_cancel->load())) {
            m_cancelled = true;
            return false;
        }
        if (code != CURLE_OK) {
            const QString detail = errorBuffer[0] ? QString::fromUtf8(errorBuffer)
                                                  : QString::fromUtf8(curl_easy_strerror(code));
            return fail(connectFailure(code) + QStringLiteral("：") + detail);
        }
        if (curl_easy_getinfo(c, CURLINFO_ACTIVESOCKET, &m_socket) != CURLE_OK || m_socket == CURL_SOCKET_BAD)
            return fail(connectFailure(CURLE_GOT_NOTHING));
        return true;
    }

    // Sends a command under a tag of its own and reads its answer: each untagged response goes to
    // `untagged` as it comes (false from it stops the reading); the tagged end is in `*end`.
    bool command(const QByteArray &text, const std::function<bool(const Response &)> &untagged, Response *end)
    {
        const QByteArray tag = 'p' + QByteArray::number(++m_tags);
        if (!send(tag + ' ' + text + "\r\n"))
            return false;
        for (;;) {
            // Answers already buffered are not waited for: look here too.
            if (lookCancelled())
                return false;
            Response response;
            if (!readResponse(&response))
                return false;
            if (response.tagged(tag)) {
                *end = response;
                m_lastTag = tag;
                return true;
            }
            if (response.line.startsWith("* BYE"))
                return fail(QCoreApplication::translate("MailServer", "服务器断开了连接（服务器：%1）")
                                .arg(QString::fromUtf8(response.line.mid(6)).left(300)));
            if (response.line.startsWith("* ") && untagged && !untagged(response))
                return false;
        }
    }
    QByteArray lastTag() const { return m_lastTag; }

    bool fail(const QString &reason)
    {
        if (m_error.isEmpty())
            m_error = QCoreApplication::translate("MailServer", "收件服务器 %1：%2")
                          .arg(serverName(m_account), reason);
        return false;
    }

private:
    bool lookCancelled()
    {
        if (m_cancel && m_cancel->load())
            m_cancelled = true;
        return m_cancelled;
    }

    bool waitFor(short events, int ms)
    {
        pollfd p {m_socket, events, 0};
        return ::poll(&p, 1, ms) >= 0;
    }

    bool send(const QByteArray &bytes)
    {
        m_window.start();
        m_windowBytes = 0;
        qsizetype offset = 0;
        QElapsedTimer silence;
        silence.start();
        while (offset < bytes.size()) {
            if (lookCancelled())
                return false;
            size_t sent = 0;
            const CURLcode code = curl_easy_send(m_curl.get(), bytes.constData() + offset,
                                                 static_cast<size_t>(bytes.size() - offset), &sent);
            if (code == CURLE_OK) {
                offset += static_cast<qsizetype>(sent);
                silence.restart();
                continue;
            }
            if (code != CURLE_AGAIN)
                return fail(connectFailure(code) + QStringLiteral("：")
                            + QString::fromUtf8(curl_easy_strerror(code)));
            if (silence.elapsed() >= m_limits.responseMs)
                return fail(connectFailure(CURLE_OPERATION_TIMEDOUT));
            waitFor(POLLOUT, kCancelLookMs);
        }
        return true;
    }

    // Waits until more of the answer has come; false on silence beyond the bounds, a closed
    // connection, or a cancel.
    bool fill()
    {
        char chunk[64 * 1024];
        QElapsedTimer silence;
        silence.start();
        for (;;) {
            if (lookCancelled())
                return false;
            size_t got = 0;
            const CURLcode code = curl_easy_recv(m_curl.get(), chunk, sizeof chunk, &got);
            if (code == CURLE_OK) {
                if (got == 0)
                    return fail(connectFailure(CURLE_GOT_NOTHING));
                m_buffer.append(chunk, static_cast<qsizetype>(got));
                m_windowBytes += static_cast<qint64>(got);
                return checkSpeed();
            }
            if (code != CURLE_AGAIN)
                return fail(connectFailure(code) + QStringLiteral("：")
                            + QString::fromUtf8(curl_easy_strerror(code)));
            if (silence.elapsed() >= m_limits.responseMs || !checkSpeed())
                return fail(connectFailure(CURLE_OPERATION_TIMEDOUT));
            const int left = static_cast<int>(m_limits.responseMs - silence.elapsed());
            waitFor(POLLIN, std::clamp(left, 1, kCancelLookMs));
        }
    }

    bool checkSpeed()
    {
        if (m_limits.lowSpeedSeconds <= 0 || m_limits.lowSpeedBytes <= 0
            || m_window.elapsed() < qint64(m_limits.lowSpeedSeconds) * 1000)
            return true;
        if (m_windowBytes < m_limits.lowSpeedBytes)
            return fail(QCoreApplication::translate("MailServer", "服务器传送太慢，读取已停止"));
        m_window.restart();
        m_windowBytes = 0;
        return true;
    }

    // One response: a line, and when it ends with a literal's announcement {n}, the n bytes and
    // the rest of the line after them.
    bool readResponse(Response *response)
    {
        qsizetype scanned = 0;
        for (;;) {
            const qsizetype end = m_buffer.indexOf("\r\n", scanned);
            if (end < 0) {
                scanned = std::max<qsizetype>(0, m_buffer.size() - 1);
                if (response->line.size() + m_buffer.size() > kLongestLine)
                    return fail(QCoreApplication::translate("MailServer", "收件服务器的应答无法识别"));
                if (!fill())
                    return false;
                continue;
            }
            const QByteArray part = m_buffer.left(end);
            m_buffer.remove(0, end + 2);
            scanned = 0;
            response->line += part;
            qint64 size = -1;
            if (part.endsWith('}')) {
                const qsizetype open = part.lastIndexOf('{');
                bool ok = false;
                QByteArray digits = part.mid(open + 1, part.size() - open - 2);
                if (digits.endsWith('+'))
                    digits.chop(1);
                size = open < 0 ? -1 : digits.toLongLong(&ok);
                if (!ok)
                    size = -1;
            }
            if (size < 0)
                return true;
            QByteArray literal;
            if (!readLiteral(size, &literal))
                return false;
            response->literals.append(literal);
        }
    }

    // Bytes beyond the largest message kept are read and dropped.
    bool readLiteral(qint64 size, QByteArray *literal)
    {
        qint64 left = size;
        while (left > 0) {
            if (m_buffer.isEmpty() && !fill())
                return false;
            const qsizetype take = static_cast<qsizetype>(std::min<qint64>(left, m_buffer.size()));
            const qint64 room = kImapLargestMessage - literal->size();
            if (room > 0)
                literal->append(m_buffer.constData(), static_cast<qsizetype>(std::min<qint64>(room, take)));
            if (take == m_buffer.size())
                m_buffer.clear();
            else
                m_buffer.remove(0, take);
            left -= take;
        }
        return true;
    }

    const ImapAccount &m_account;
    const ImapLimits &m_limits;
    const std::atomic<bool> *m_cancel;
    std::unique_ptr<CURL, void (*)(CURL *)> m_curl;
    curl_socket_t m_socket = CURL_SOCKET_BAD;
    QByteArray m_buffer;
    QString m_error;
    bool m_cancelled = false;
    bool m_abandoned = false;
    int m_tags = 0;
    QByteArray m_lastTag;
    QElapsedTimer m_window;
    qint64 m_windowBytes = 0;
};

// The number after `key` in a line ("[UIDVALIDITY 3857529045]", "UID 17"), or -1.
qint64 numberAfter(const QByteArray &line, const QByteArray &key)
{
    const qsizetype at = line.toUpper().indexOf(key);
    if (at < 0)
        return -1;
    qsizetype i = at + key.size();
    qsizetype j = i;
    while (j < line.size() && line[j] >= '0' && line[j] <= '9')
        ++j;
    bool ok = false;
    const qint64 n = line.mid(i, j - i).toLongLong(&ok);
    return ok ? n : -1;
}

// "1,2,5,9" for a batch of UIDs.
QByteArray uidSet(const QList<qint64> &uids, qsizetype from, qsizetype count)
{
    QByteArray set;
    for (qsizetype i = from; i < from + count; ++i) {
        if (!set.isEmpty())
            set += ',';
        set += QByteArray::number(uids[i]);
    }
    return set;
}
} // namespace

QByteArray imapMailboxArgument(const QString &name)
{
    QByteArray encoded;
    QByteArray run; // UTF-16 big-endian of the characters outside printable ASCII
    auto flush = [&] {
        if (run.isEmpty())
            return;
        QByteArray base64 = run.toBase64(QByteArray::OmitTrailingEquals);
        base64.replace('/', ',');
        encoded += '&' + base64 + '-';
        run.clear();
    };
    for (const QChar ch : name) {
        const char16_t u = ch.unicode();
        if (u >= 0x20 && u <= 0x7e) {
            flush();
            if (u == '&')
                encoded += "&-";
            else if (u == '"' || u == '\\')
                encoded += '\\' + QByteArray(1, static_cast<char>(u));
            else
                encoded += static_cast<char>(u);
        } else {
            run += static_cast<char>(u >> 8);
            run += static_cast<char>(u & 0xff);
        }
    }
    flush();
    return '"' + encoded + '"';
}

ImapReadResult readImapMessages(const ImapAccount &account, const ImapScanState &state, const QDate &since,
                                const ImapMessageVisitor &visit, const ImapProgress &progress,
                                const std::atomic<bool> *cancel, const ImapLimits &limits)
{
    ImapReadResult result;
    result.state = state;
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    ImapSession session(account, limits, cancel);
    auto finish = [&] {
        result.error = session.error();
        result.cancelled = session.cancelled();
        if (!result.error.isEmpty())
            qCInfo(lcMail) << "IMAP read failed:" << result.error;
        return result;
    };
    if (account.host.trimmed().isEmpty()) {
        session.fail(QCoreApplication::translate("MailServer", "没有设置收件服务器"));
        return finish();
    }
    if (!session.open())
        return finish();

    // EXAMINE opens the folder read-only: the server keeps every flag, \Recent included.
    const QString folder = account.folder.isEmpty() ? QStringLiteral("INBOX") : account.folder;
    qint64 uidValidity = -1;
    Response end;
    const bool examined = session.command(
        "EXAMINE " + imapMailboxArgument(folder),
        [&](const Response &r) {
            const qint64 v = numberAfter(r.line, "[UIDVALIDITY ");
            if (v >= 0)
                uidValidity = v;
            return true;
        },
        &end);
    if (!examined)
        return finish();
    const QByteArray tag = session.lastTag();
    if (end.status(tag) != "OK") {
        const QString said = end.text(tag);
        const bool missing = said.contains(QLatin1String("NONEXISTENT"), Qt::CaseInsensitive)
            || said.contains(QLatin1String("exist"), Qt::CaseInsensitive);
        session.fail((missing ? QCoreApplication::translate("MailServer", "没有文件夹“%1”（服务器：%2）")
                              : QCoreApplication::translate("MailServer", "无法打开文件夹“%1”（服务器：%2）"))
                         .arg(folder, said));
        return finish();
    }

    // UIDs go on from the last scan only while the folder's UIDVALIDITY is the same.
    const bool goOn = uidValidity > 0 && state.uidValidity == uidValidity && state.highestUid > 0;
    result.state = {uidValidity > 0 ? uidValidity : 0, goOn ? state.highestUid : 0};
    QByteArray criteria;
    if (since.isValid())
        criteria += "SINCE " + imapDate(since);
    if (goOn)
        criteria += QByteArray(criteria.isEmpty() ? "" : " ") + "UID "
            + QByteArray::number(state.highestUid + 1) + ":*";
    if (criteria.isEmpty())
        criteria = "ALL";
    QList<qint64> uids;
    const bool searched = session.command(
        "UID SEARCH " + criteria,
        [&](const Response &r) {
            if (!r.line.toUpper().startsWith("* SEARCH"))
                return true;
            for (const QByteArray &word : r.line.mid(8).split(' ')) {
                bool ok = false;
                const qint64 uid = word.toLongLong(&ok);
                // "n:*" holds the highest UID even below n
                if (ok && uid > result.state.highestUid)
                    uids.append(uid);
            }
            return true;
        },
        &end);
    if (!searched)
        return finish();
    if (end.status(session.lastTag()) != "OK") {
        session.fail(QCoreApplication::translate("MailServer", "服务器拒绝了搜索（服务器：%1）")
                         .arg(end.text(session.lastTag())));
        return finish();
    }
    std::sort(uids.begin(), uids.end());
    uids.erase(std::unique(uids.begin(), uids.end()), uids.end());
    result.total = static_cast<int>(uids.size());
    if (progress)
        progress(0, result.total);

    // The state moves past a UID only once every UID below it is handed on, whatever order the
    // server answers in.
    QSet<qint64> handed;
    qsizetype covered = 0;
    bool stopped = false;
    for (qsizetype from = 0; from < uids.size() && !stopped; from += kFetchBatch) {
        const qsizetype count = std::min<qsizetype>(kFetchBatch, uids.size() - from);
        const QByteArray fetch = "UID FETCH " + uidSet(uids, from, count) + " (UID BODY.PEEK[]<0."
            + QByteArray::number(kImapLargestMessage) + ">)";
        const bool fetched = session.command(
            fetch,
            [&](const Response &r) {
                const qint64 uid = numberAfter(r.line, "UID ");
                if (!r.line.toUpper().contains(" FETCH ") || r.literals.isEmpty()
                    || uid <= result.state.highestUid || handed.contains(uid))
                    return true;
                handed.insert(uid);
                ++result.messages;
                if (!visit(r.literals.front())) {
                    stopped = true;
                    session.abandon();
                    return false;
                }
                if (progress)
                    progress(result.messages, result.total);
                return true;
            },
            &end);
        while (covered < uids.size() && handed.contains(uids[covered]))
            result.state.highestUid = uids[covered++];
        if (!fetched)
            break;
        if (end.status(session.lastTag()) != "OK") {
            session.fail(QCoreApplication::translate("MailServer", "服务器拒绝读取邮件（服务器：%1）")
                             .arg(end.text(session.lastTag())));
            break;
        }
    }
    return finish();
}

ImapReader::ImapReader(QObject *parent)
    : QObject(parent)
{ }

ImapReader::~ImapReader()
{
    cancel();
    if (m_worker)
        m_worker->wait();
}

bool ImapReader::isRunning() const
{
    return m_worker && m_worker->isRunning();
}

bool ImapReader::start(const ImapAccount &account, const ImapScanState &state, const QDate &since,
                       ImapMessageVisitor visit)
{
    if (m_worker)
        return false;
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    auto result = std::make_shared<ImapReadResult>();
    const ImapLimits limits = m_limits;
    auto cancelFlag = m_cancel;
    QThread *worker = QThread::create([=] {
        // Posted to the reader's thread, whoever listens and however connected; the reader
        // outlives the worker (its destructor waits), and what is posted to it goes with it.
        auto report = [this](int done, int total) {
            QMetaObject::invokeMethod(
                this, [this, done, total] { Q_EMIT progress(done, total); }, Qt::QueuedConnection);
        };
        *result = readImapMessages(account, state, since, visit, report, cancelFlag.get(), limits);
    });
    // The bounds of the read end the worker, so `finished` always comes.
    connect(worker, &QThread::finished, this, [this, result] {
        m_worker = nullptr;
        Q_EMIT finished(*result);
    });
    connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    m_worker = worker;
    worker->start();
    return true;
}

void ImapReader::cancel()
{
    if (m_cancel)
        m_cancel->store(true);
}
