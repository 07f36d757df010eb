#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

class QThread;

// Reading the user's own mailbox over IMAP, read only: the folder is opened with EXAMINE and every
// message fetched with BODY.PEEK[], so no flag is set and nothing is moved or deleted.

// IMAP is never spoken in plain text: implicit TLS (port 993) or STARTTLS that must succeed
// before the login (port 143).
enum class ImapSecurity { Tls, StartTls };

struct ImapAccount
{
    QString host;
    int port = 993;
    ImapSecurity security = ImapSecurity::Tls;
    QString login;
    QString password;
    QString folder = QStringLiteral("INBOX");
    QString caFile; // trusted besides the system's authorities
};

// Where the last scan of a folder stopped. UIDs are only comparable while UIDVALIDITY stays the
// same; when the server gives another, every message is read again.
struct ImapScanState
{
    qint64 uidValidity = 0; // 0: never scanned
    qint64 highestUid = 0;
    bool operator==(const ImapScanState &o) const
    {
        return uidValidity == o.uidValidity && highestUid == o.highestUid;
    }
};

// Bounds on every wait of a scan.
struct ImapLimits
{
    int connectMs = 30 * 1000; // until connected, encrypted and logged in
    int responseMs = 60 * 1000; // the server's silence while an answer is due
    // A transfer slower than this many bytes in lowSpeedSeconds is given up (0: no such bound).
    int lowSpeedBytes = 1024;
    int lowSpeedSeconds = 60;
};

// Messages larger than this are read up to it.
constexpr qint64 kImapLargestMessage = 32 * 1024 * 1024;

struct ImapReadResult
{
    QString error; // in words for the user, naming the server; empty on success
    bool cancelled = false;
    ImapScanState state; // what to remember: the messages handed on so far are covered by it
    int messages = 0; // handed on
    int total = 0; // the messages the search found
};

// Each message as it comes, oldest first; returning false stops the reading.
using ImapMessageVisitor = std::function<bool(const QByteArray &raw)>;
// After each message: how many of how many.
using ImapProgress = std::function<void(int done, int total)>;

// Reads the messages of the account's folder that are new since `state` (all of them when it is
// empty or of another UIDVALIDITY) and, when `since` is valid, dated (internally, by the server)
// on or after it. Blocks until done; every wait is bounded by `limits`, and `cancel` (when given)
// is looked at at least every 100 ms.
ImapReadResult readImapMessages(const ImapAccount &account, const ImapScanState &state, const QDate &since,
                                const ImapMessageVisitor &visit, const ImapProgress &progress = {},
                                const std::atomic<bool> *cancel = nullptr, const ImapLimits &limits = {});

// A mailbox name as IMAP sends it: modified UTF-7 (RFC 3501 5.1.3), quoted.
QByteArray imapMailboxArgument(const QString &name);

// The blocking read on a thread of its own, for windows: progress and the end come as signals on
// the thread the reader lives in, progress always before the end. The visitor runs on the worker
// thread.
class ImapReader : public QObject
{
    Q_OBJECT
public:
    explicit ImapReader(QObject *parent = nullptr);
    ~ImapReader() override; // cancels a read under way and waits for it (at most 100 ms or so)

    void setLimits(const ImapLimits &limits) { m_limits = limits; }
    bool isRunning() const;

    // Starts a read unless one is under way (then returns false).
    bool start(const ImapAccount &account, const ImapScanState &state, const QDate &since,
               ImapMessageVisitor visit);
    void cancel();

Q_SIGNALS:
    void progress(int done, int total);
    void finished(const ImapReadResult &result);

private:
    ImapLimits m_limits;
    std::shared_ptr<std::atomic<bool>> m_cancel;
    QPointer<QThread> m_worker;
};

Q_DECLARE_METATYPE(ImapReadResult)
