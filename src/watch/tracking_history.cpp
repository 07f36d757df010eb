#include "watch/tracking_history.h"

#include "core/delivery_status.h"
#include "platform/logging.h"
#include "watch/event_match.h"
#include "watch/parcel_groups.h"
#include "watch/row_text_index.h"
#include "watch/saved_entries.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <sqlite3.h>

namespace {
// One list of statements per schema version; version n is reached by running entry n - 1.
const QStringList kMigrations[] = {
    {
        QStringLiteral("CREATE TABLE parcels ("
                       " id INTEGER PRIMARY KEY,"
                       " number TEXT NOT NULL,"
                       " com TEXT NOT NULL,"
                       " note TEXT NOT NULL DEFAULT '',"
                       " carrier_name TEXT NOT NULL DEFAULT '',"
                       " listed INTEGER NOT NULL DEFAULT 0,"
                       " list_order INTEGER NOT NULL DEFAULT 0,"
                       " status TEXT NOT NULL DEFAULT '',"
                       " row_count INTEGER NOT NULL DEFAULT 0,"
                       " newest_time TEXT NOT NULL DEFAULT '',"
                       " newest_text TEXT NOT NULL DEFAULT '',"
                       " oldest_time TEXT NOT NULL DEFAULT '',"
                       " last_checked INTEGER,"
                       " last_answered INTEGER,"
                       " next_check INTEGER,"
                       " last_error TEXT NOT NULL DEFAULT '',"
                       " last_error_at INTEGER,"
                       " failures INTEGER NOT NULL DEFAULT 0,"
                       " signed_time TEXT NOT NULL DEFAULT '',"
                       " unseen_news INTEGER NOT NULL DEFAULT 0,"
                       " UNIQUE (number, com))"),
        QStringLiteral("CREATE TABLE progress ("
                       " parcel_id INTEGER NOT NULL REFERENCES parcels (id) ON DELETE CASCADE,"
                       " time TEXT NOT NULL,"
                       " text TEXT NOT NULL,"
                       " first_seen INTEGER NOT NULL,"
                       " position INTEGER NOT NULL,"
                       " PRIMARY KEY (parcel_id, time, text)) WITHOUT ROWID"),
        QStringLiteral("CREATE INDEX parcels_listed ON parcels (listed, list_order)"),
    },
    {
        // The last four digits of the receiver's or sender's phone, which some carriers want
        // before they tell a parcel's progress.
        QStringLiteral("ALTER TABLE parcels ADD COLUMN phone_digits TEXT NOT NULL DEFAULT ''"),
    },
    {
        // The archive mark set by hand (0: the rule of 归档天数 decides, 1: archived, 2: kept out),
        // whether a problem status was ever given (the statistics count it after delivery too),
        // and the delivery estimate a service gave.
        QStringLiteral("ALTER TABLE parcels ADD COLUMN archive INTEGER NOT NULL DEFAULT 0"),
        QStringLiteral("ALTER TABLE parcels ADD COLUMN problem_seen INTEGER NOT NULL DEFAULT 0"),
        QStringLiteral("ALTER TABLE parcels ADD COLUMN eta_from TEXT NOT NULL DEFAULT ''"),
        QStringLiteral("ALTER TABLE parcels ADD COLUMN eta_to TEXT NOT NULL DEFAULT ''"),
        QStringLiteral("ALTER TABLE parcels ADD COLUMN eta_source TEXT NOT NULL DEFAULT ''"),
        QStringLiteral(
            "UPDATE parcels SET problem_seen = 1 WHERE status LIKE '问题件%' OR status LIKE '待取件%'"
            " OR status LIKE '派送失败%'"),
        // Small facts of the history: the digest of the saved list it follows, so that a start with
        // the list unchanged reads neither the list's ten thousand lines nor as many rows.
        QStringLiteral("CREATE TABLE facts (name TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID"),
    },
    {
        // The tracking service that gave the last answer ("designed", "kdniao", "17track"): the
        // first answer of another one is not news, its rows are the same events in its own form.
        QStringLiteral("ALTER TABLE parcels ADD COLUMN last_service TEXT NOT NULL DEFAULT ''"),
    },
    {
        // The tracking services' use: queries per service and per the service's own day (its
        // daily limit counts so), the last success and failure of each, and the numbers
        // registered with a service that reads a number only once it is registered.
        QStringLiteral("CREATE TABLE service_days (service TEXT NOT NULL, day TEXT NOT NULL,"
                       " queries INTEGER NOT NULL DEFAULT 0, PRIMARY KEY (service, day)) WITHOUT ROWID"),
        QStringLiteral("CREATE TABLE service_health (service TEXT PRIMARY KEY, last_success INTEGER,"
                       " last_failure INTEGER, last_reason TEXT NOT NULL DEFAULT '', failing_since INTEGER,"
                       " failure_told INTEGER NOT NULL DEFAULT 0) WITHOUT ROWID"),
        QStringLiteral("CREATE TABLE registered_numbers (service TEXT NOT NULL, number TEXT NOT NULL,"
                       " com TEXT NOT NULL, carrier INTEGER NOT NULL DEFAULT 0,"
                       " PRIMARY KEY (service, number, com)) WITHOUT ROWID"),
    },
};
constexpr int kMigrationCount = int(sizeof kMigrations / sizeof kMigrations[0]);
static_assert(kMigrationCount == TrackingHistory::kSchemaVersion, "one migration per schema version");

const char kColumns[]
    = "number, com, note, carrier_name, status, row_count, newest_time, newest_text, "
      "oldest_time, last_checked, last_answered, next_check, last_error, last_error_at, "
      "failures, signed_time, unseen_news, listed, phone_digits, archive, problem_seen, eta_from, "
      "eta_to, eta_source";

QVariant msOf(const QDateTime &time)
{
    return time.isValid() ? QVariant(time.toMSecsSinceEpoch()) : QVariant(QMetaType::fromType<qint64>());
}

// The fact that the service has had no information of a parcel since a time (ms since the epoch):
// kept beside the parcels until its first rows come.
QString noInformationFact(qint64 parcelId)
{
    return QStringLiteral("no_information_since:") + QString::number(parcelId);
}

// A null QString would be bound as NULL; the text columns hold empty text instead.
QString text(const QString &value)
{
    return value.isNull() ? QString(QLatin1String("")) : value;
}

// A statement on the connection's own SQLite handle, for reads of many rows: Qt SQL turns every
// value into a QVariant through SQLite's UTF-16 conversion, which costs more than the read itself.
class Rows
{
public:
    Rows(const QString &connection, const char *sql)
    {
        const QVariant handle = QSqlDatabase::database(connection, false).driver()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
            m_db = *static_cast<sqlite3 *const *>(handle.constData());
        if (m_db)
            m_rc = sqlite3_prepare_v2(m_db, sql, -1, &m_statement, nullptr);
    }
    ~Rows() { sqlite3_finalize(m_statement); }
    Rows(const Rows &) = delete;
    Rows &operator=(const Rows &) = delete;

    void bind(int position, const QString &value)
    {
        const QByteArray utf8 = value.toUtf8();
        sqlite3_bind_text(m_statement, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    }
    bool next()
    {
        if (!m_statement)
            return false;
        m_rc = sqlite3_step(m_statement);
        return m_rc == SQLITE_ROW;
    }
    // After the last row: whether all went well, and what went wrong when not.
    bool done() const { return m_statement && m_rc == SQLITE_DONE; }
    QString error() const
    {
        return m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("no SQLite connection");
    }

    QString text(int column) const
    {
        const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
        const int size = sqlite3_column_bytes(m_statement, column);
        return bytes && size > 0 ? QString::fromUtf8(bytes, size) : QString();
    }
    // Compares without making a QString.
    bool equals(int column, const QString &value) const
    {
        const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
        return QAnyStringView(QUtf8StringView(bytes, sqlite3_column_bytes(m_statement, column)))
            == QAnyStringView(value);
    }
    qint64 integer(int column) const { return sqlite3_column_int64(m_statement, column); }
    QDateTime time(int column) const
    {
        // In UTC: a local time would ask the time zone (a stat of /etc/localtime) for every value.
        return sqlite3_column_type(m_statement, column) == SQLITE_NULL
            ? QDateTime()
            : QDateTime::fromMSecsSinceEpoch(integer(column), Qt::UTC);
    }

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_statement = nullptr;
    int m_rc = SQLITE_ERROR;
};

ParcelRecord recordOf(const Rows &row)
{
    ParcelRecord record;
    record.key = {row.text(0), row.text(1)};
    record.note = row.text(2);
    record.carrierName = row.text(3);
    record.status = row.text(4);
    record.rowCount = int(row.integer(5));
    record.newestTime = row.text(6);
    record.newestText = row.text(7);
    record.oldestTime = row.text(8);
    record.lastChecked = row.time(9);
    record.lastAnswered = row.time(10);
    record.nextCheck = row.time(11);
    record.lastError = row.text(12);
    record.lastErrorAt = row.time(13);
    record.failures = int(row.integer(14));
    record.signedTime = row.text(15);
    record.unseenNews = row.integer(16) != 0;
    record.listed = row.integer(17) != 0;
    record.phoneDigits = row.text(18);
    const qint64 archive = row.integer(19);
    record.archive = archive == 1 ? ArchiveMark::Archived
        : archive == 2            ? ArchiveMark::KeptOut
                                  : ArchiveMark::ByRule;
    record.problemSeen = row.integer(20) != 0;
    const QString etaFrom = row.text(21);
    if (!etaFrom.isEmpty()) {
        record.serviceEstimate.from = QDateTime::fromString(etaFrom, Qt::ISODate);
        record.serviceEstimate.to = QDateTime::fromString(row.text(22), Qt::ISODate);
        record.serviceEstimate.source = row.text(23);
    }
    return record;
}

// How long a write waits for another program's write to end.
constexpr int kBusyTimeoutMs = 5000;

// SQLite's codes for a database another connection holds (SQLITE_BUSY, SQLITE_LOCKED and their
// extended codes).
bool isBusyError(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

// SQLite's codes for a file that is not a database or is damaged.
bool isBrokenFileError(const QSqlError &error)
{
    const QString code = error.nativeErrorCode();
    return code == QLatin1String("26") || code == QLatin1String("11");
}

// "database disk image is malformed" and "file is not a database" come with these words too.
bool isBrokenFileText(const QString &text)
{
    return text.contains(QLatin1String("malformed")) || text.contains(QLatin1String("not a database"));
}
} // namespace

TrackingHistory::TrackingHistory()
{
    static std::atomic<int> serial {0};
    m_connection = QStringLiteral("parcelvue-history-%1").arg(++serial);
}

TrackingHistory::~TrackingHistory()
{
    close();
}

void TrackingHistory::close()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

bool TrackingHistory::isOpen() const
{
    return QSqlDatabase::contains(m_connection) && QSqlDatabase::database(m_connection, false).isOpen();
}

bool TrackingHistory::open(const QString &dataDir, const QDateTime &now)
{
    m_problem.clear();
    m_inMemory = false;
    m_checkPending = false;
    m_path = QDir(dataDir).filePath(QStringLiteral("parcelvue.db"));
    if (openAt(m_path))
        return true;

    const bool broken = QFileInfo::exists(m_path) && m_openFoundBroken;
    close();
    if (broken && startAgain(now))
        return true;

    // Nowhere to keep a file: the watcher still works, for this run.
    qCInfo(lcWatch) << "database" << m_path << "cannot be used:" << m_lastError << "- kept in memory";
    const QString reason = m_lastError;
    if (!openAt(QStringLiteral(":memory:"))) {
        close();
        return false;
    }
    m_inMemory = true;
    m_problem = QCoreApplication::translate(
                    "TrackingHistory", "无法在数据目录保存快递记录(%1: %2),本次运行的记录只保存在内存中。")
                    .arg(QDir::toNativeSeparators(m_path), reason);
    return true;
}

bool TrackingHistory::startAgain(const QDateTime &now)
{
    const QString aside
        = m_path + QStringLiteral(".broken-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!QFile::rename(m_path, aside))
        return false;
    // The journal files belong to the broken file; a new database must not take them up.
    for (const char *suffix : {"-wal", "-shm"})
        QFile::remove(m_path + QLatin1String(suffix));
    qCInfo(lcWatch) << "database damaged, moved aside as" << aside << ":" << m_lastError;
    if (openAt(m_path)) {
        m_problem = QCoreApplication::translate("TrackingHistory",
                                                "快递记录数据库已损坏,已另存为%1,并新建了数据库。")
                        .arg(QFileInfo(aside).fileName());
        return true;
    }
    close();
    return false;
}

QString TrackingHistory::checkFile(const QString &databaseFile)
{
    static std::atomic<int> serial {0};
    const QString name = QStringLiteral("parcelvue-check-%1").arg(++serial);
    QString found;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databaseFile);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("PRAGMA quick_check")) && query.next())
                found = query.value(0).toString();
            else
                found = query.lastError().text();
        } else {
            found = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return found;
}

bool TrackingHistory::recoverDamaged(const QString &found, const QDateTime &now)
{
    m_checkPending = false;
    if (found == QLatin1String("ok") || m_inMemory)
        return false;
    m_lastError = QStringLiteral("integrity: ") + found;
    close();
    if (startAgain(now))
        return true;
    // The old file stays where it was: better than no history at all.
    if (!openAt(m_path)) {
        close();
        openAt(QStringLiteral(":memory:"));
        m_inMemory = true;
    }
    m_problem = QCoreApplication::translate("TrackingHistory",
                                            "快递记录数据库已损坏(%1),无法另存。请关闭程序后检查数据目录。")
                    .arg(found.left(200));
    return true;
}

bool TrackingHistory::openAt(const QString &file)
{
    m_openFoundBroken = false;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(file);
    // Another process (the command line) may be writing: wait for it rather than fail.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
    if (!db.open()) {
        m_lastError = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    if (file != QLatin1String(":memory:")) {
        // Switching a new file to WAL needs it to itself for a moment: another program opening it
        // at the same time makes the switch fail as busy, without the busy timeout.
        QDeadlineTimer deadline(kBusyTimeoutMs);
        while (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next()) {
            m_lastError = query.lastError().text();
            if (isBusyError(query.lastError()) && !deadline.hasExpired()) {
                QThread::msleep(20);
                continue;
            }
            m_openFoundBroken = isBrokenFileError(query.lastError()) || isBrokenFileText(m_lastError);
            return false;
        }
        if (query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
            m_lastError = QStringLiteral("the journal cannot be kept beside the database");
            return false;
        }
    }
    // A large file is checked after start-up, on another thread (checkFile); the check reads all of it.
    if (file != QLatin1String(":memory:") && QFileInfo(file).size() > kCheckedAtOpenBytes) {
        m_checkPending = true;
    } else if (file != QLatin1String(":memory:")) {
        if (!query.exec(QStringLiteral("PRAGMA quick_check")) || !query.next()) {
            m_lastError = query.lastError().text();
            m_openFoundBroken = isBrokenFileError(query.lastError()) || isBrokenFileText(m_lastError);
            return false;
        }
        if (query.value(0).toString() != QLatin1String("ok")) {
            m_lastError = QStringLiteral("integrity: ") + query.value(0).toString();
            m_openFoundBroken = true;
            return false;
        }
    }
    // A statement left open would keep a read transaction, and the write lock could then not be
    // waited for.
    query.finish();
    // A commit is on disk once the journal is; a power cut loses at most the last few, never the file.
    if (!exec(QStringLiteral("PRAGMA synchronous=NORMAL")) || !exec(QStringLiteral("PRAGMA foreign_keys=ON")))
        return false;
    return migrate();
}

bool TrackingHistory::exec(const QString &sql)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (query.exec(sql))
        return true;
    m_lastError = query.lastError().text();
    m_openFoundBroken
        = m_openFoundBroken || isBrokenFileError(query.lastError()) || isBrokenFileText(m_lastError);
    qCInfo(lcWatch) << "database:" << m_lastError << "in" << sql.left(80);
    return false;
}

bool TrackingHistory::migrate()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    // The version is read under the write lock: of two programs starting together on a new file,
    // the second finds it made and migrates nothing.
    if (!beginWrite()) {
        m_openFoundBroken = m_openFoundBroken || isBrokenFileText(m_lastError);
        return false;
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        m_lastError = query.lastError().text();
        m_openFoundBroken = isBrokenFileError(query.lastError()) || isBrokenFileText(m_lastError);
        db.rollback();
        return false;
    }
    const int version = query.value(0).toInt();
    query.finish();
    if (version > kSchemaVersion) {
        m_lastError = QCoreApplication::translate("TrackingHistory",
                                                  "它由较新版本的 Parcelvue 建立(数据库版本 %1),"
                                                  "请用较新版本的 Parcelvue 打开")
                          .arg(version);
        db.rollback();
        return false;
    }
    for (int step = version; step < kSchemaVersion; ++step) {
        for (const QString &statement : kMigrations[step]) {
            if (!exec(statement)) {
                db.rollback();
                return false;
            }
        }
    }
    if (version < kSchemaVersion && !exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion))) {
        db.rollback();
        return false;
    }
    if (!db.commit()) {
        m_lastError = db.lastError().text();
        db.rollback();
        return false;
    }
    return true;
}

bool TrackingHistory::beginWrite()
{
    // A deferred BEGIN takes the write lock only at the first write; when another program wrote
    // after this transaction's first read, that write fails at once, without the busy timeout.
    // BEGIN IMMEDIATE waits for the lock (up to the busy timeout) before anything is read.
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (query.exec(QStringLiteral("BEGIN IMMEDIATE")))
        return true;
    m_lastError = query.lastError().text();
    qCInfo(lcWatch) << "database: no write transaction:" << m_lastError;
    return false;
}

qint64 TrackingHistory::parcelId(const ParcelKey &key)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT id FROM parcels WHERE number = ? AND com = ?"));
    query.addBindValue(key.number);
    query.addBindValue(key.com);
    if (query.exec() && query.next())
        return query.value(0).toLongLong();
    return -1;
}

bool TrackingHistory::listsExactly(const QList<SavedEntry> &saved) const
{
    Rows rows(m_connection,
              "SELECT number, com, note, carrier_name FROM parcels WHERE listed = 1 ORDER BY list_order");
    qsizetype i = 0;
    while (rows.next()) {
        if (i >= saved.size())
            return false;
        const SavedEntry &entry = saved.at(i++);
        if (!rows.equals(0, entry.key.number) || !rows.equals(1, entry.key.com) || !rows.equals(2, entry.note)
            || !rows.equals(3, entry.carrierName))
            return false;
    }
    return rows.done() && i == saved.size();
}

namespace {
const char kSavedListDigest[] = "saved_list_digest";

QString digestOf(const QStringList &lines)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &line : lines) {
        hash.addData(QByteArrayView(reinterpret_cast<const char *>(line.constData()), line.size() * 2));
        hash.addData(QByteArrayView("\n\0", 2));
    }
    return QString::fromLatin1(hash.result().toHex());
}
} // namespace

bool TrackingHistory::followSavedLines(const QStringList &lines)
{
    const QString digest = digestOf(lines);
    {
        Rows rows(m_connection, "SELECT value FROM facts WHERE name = 'saved_list_digest'");
        if (rows.next() && rows.equals(0, digest))
            return true;
    }
    return followSavedList(savedEntries(lines))
        && run(QStringLiteral("INSERT OR REPLACE INTO facts (name, value) VALUES (?, ?)"),
               {QLatin1String(kSavedListDigest), digest});
}

bool TrackingHistory::followSavedList(const QList<SavedEntry> &saved)
{
    // Most calls (every start) find the list as it was, and write nothing.
    if (listsExactly(saved))
        return true;
    // What is listed now, to write only what changed.
    struct Listed
    {
        qint64 order;
        QString note, carrierName;
    };
    QHash<ParcelKey, Listed> listed;
    {
        Rows rows(m_connection,
                  "SELECT number, com, note, carrier_name, list_order FROM parcels WHERE listed = 1");
        while (rows.next())
            listed.insert({rows.text(0), rows.text(1)}, {rows.integer(4), rows.text(2), rows.text(3)});
        if (!rows.done()) {
            m_lastError = rows.error();
            return false;
        }
    }
    // A parcel saved twice takes the place and note of its last line.
    QHash<ParcelKey, int> wanted;
    wanted.reserve(saved.size());
    for (int i = 0; i < saved.size(); ++i)
        wanted.insert(saved.at(i).key, i);
    QList<int> changed;
    for (int i = 0; i < saved.size(); ++i) {
        const SavedEntry &entry = saved.at(i);
        if (wanted.value(entry.key) != i)
            continue;
        const auto found = listed.constFind(entry.key);
        if (found == listed.constEnd() || found->order != i || found->note != entry.note
            || found->carrierName != entry.carrierName)
            changed.append(i);
    }
    QList<ParcelKey> dropped;
    for (auto it = listed.cbegin(); it != listed.cend(); ++it) {
        if (!wanted.contains(it.key()))
            dropped.append(it.key());
    }
    if (changed.isEmpty() && dropped.isEmpty())
        return true;

    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!beginWrite()) {
        return false;
    }
    // The digest is of the list as it was.
    bool ok = exec(QStringLiteral("DELETE FROM facts WHERE name = 'saved_list_digest'"));
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE parcels SET listed = 0 WHERE number = ? AND com = ?"));
    for (qsizetype d = 0; ok && d < dropped.size(); ++d) {
        const ParcelKey &key = dropped.at(d);
        query.addBindValue(key.number);
        query.addBindValue(key.com);
        if (!query.exec()) {
            m_lastError = query.lastError().text();
            ok = false;
            break;
        }
    }
    query.prepare(QStringLiteral(
        "INSERT INTO parcels (number, com, note, carrier_name, listed, list_order) VALUES (?, ?, ?, ?, 1, ?)"
        " ON CONFLICT (number, com) DO UPDATE SET note = excluded.note,"
        " carrier_name = excluded.carrier_name, listed = 1, list_order = excluded.list_order"));
    for (qsizetype c = 0; ok && c < changed.size(); ++c) {
        const SavedEntry &entry = saved.at(changed.at(c));
        query.addBindValue(text(entry.key.number));
        query.addBindValue(text(entry.key.com));
        query.addBindValue(text(entry.note));
        query.addBindValue(text(entry.carrierName));
        query.addBindValue(changed.at(c));
        if (!query.exec()) {
            m_lastError = query.lastError().text();
            ok = false;
        }
    }
    if (ok && db.commit())
        return true;
    if (ok)
        m_lastError = db.lastError().text();
    db.rollback();
    return false;
}

TrackingHistory::AnswerOutcome TrackingHistory::recordAnswer(const ParcelKey &key,
                                                             const QList<HistoryRow> &rowsOldestFirst,
                                                             const QString &status, const QDateTime &now,
                                                             const QString &service)
{
    AnswerOutcome outcome;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!beginWrite()) {
        return outcome;
    }
    auto fail = [&](const QSqlQuery &query) {
        m_lastError = query.lastError().text();
        qCInfo(lcWatch) << "database:" << m_lastError;
        db.rollback();
        return AnswerOutcome();
    };
    // Only parcels of the saved list (now or before) have a history.
    const qint64 id = parcelId(key);
    if (id < 0) {
        db.rollback();
        return outcome;
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT last_answered IS NOT NULL, last_service FROM parcels WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        return fail(query);
    const bool answeredBefore = query.value(0).toBool();
    const QString lastService = query.value(1).toString();
    const bool otherService = !service.isEmpty() && !lastService.isEmpty() && service != lastService;
    // A parcel the service had no information of: its first rows are news.
    query.prepare(QStringLiteral("DELETE FROM facts WHERE name = ?"));
    query.addBindValue(noInformationFact(id));
    if (!query.exec())
        return fail(query);
    const bool waitedForRows = query.numRowsAffected() > 0;
    StoredEvents known = storedEvents(id);

    // A row kept with the note an adapter once added to the newest row ("（派件中）") is the same
    // event as the carrier's own words: it takes them, and is no new row.
    QSqlQuery unnoted(db);
    unnoted.prepare(QStringLiteral("UPDATE OR IGNORE progress SET text = ?"
                                   " WHERE parcel_id = ? AND time = ? AND text IN (?, ?)"));
    query.prepare(
        QStringLiteral("INSERT OR IGNORE INTO progress (parcel_id, time, text, first_seen, position)"
                       " VALUES (?, ?, ?, ?, ?)"));
    const qint64 nowMs = now.toMSecsSinceEpoch();
    for (int i = 0; i < rowsOldestFirst.size(); ++i) {
        const QString &carrierText = rowsOldestFirst.at(i).text;
        unnoted.addBindValue(text(carrierText));
        unnoted.addBindValue(id);
        unnoted.addBindValue(text(rowsOldestFirst.at(i).time));
        unnoted.addBindValue(carrierText + kSignedForNote);
        unnoted.addBindValue(carrierText + kOutForDeliveryNote);
        if (!unnoted.exec())
            return fail(unnoted);
        // An event stored in another form (another service's) is kept once, in its first form.
        if (known.tells(rowsOldestFirst.at(i)))
            continue;
        query.addBindValue(id);
        query.addBindValue(text(rowsOldestFirst.at(i).time));
        query.addBindValue(text(rowsOldestFirst.at(i).text));
        query.addBindValue(nowMs);
        query.addBindValue(i);
        if (!query.exec())
            return fail(query);
        if (query.numRowsAffected() > 0)
            ++outcome.newRows;
    }
    // After a switch of the service its first answer tells what is known in its own words.
    outcome.news = (answeredBefore || waitedForRows) && outcome.newRows > 0 && !otherService;

    const HistoryRow newest = rowsOldestFirst.isEmpty() ? HistoryRow() : rowsOldestFirst.last();
    query.prepare(QStringLiteral(
        "UPDATE parcels SET status = ?, row_count = ?, newest_time = ?, newest_text = ?, oldest_time = ?,"
        " last_checked = ?, last_answered = ?, last_error = '', last_error_at = NULL, failures = 0,"
        " signed_time = CASE WHEN ? THEN ? ELSE signed_time END,"
        " unseen_news = CASE WHEN ? THEN 1 ELSE unseen_news END,"
        " problem_seen = CASE WHEN ? THEN 1 ELSE problem_seen END,"
        " last_service = CASE WHEN ? = '' THEN last_service ELSE ? END WHERE id = ?"));
    const bool signedFor = status == kSignedFor;
    query.addBindValue(text(status));
    query.addBindValue(int(rowsOldestFirst.size()));
    query.addBindValue(text(newest.time));
    query.addBindValue(text(newest.text));
    query.addBindValue(text(rowsOldestFirst.isEmpty() ? QString() : rowsOldestFirst.first().time));
    query.addBindValue(nowMs);
    query.addBindValue(nowMs);
    query.addBindValue(signedFor);
    query.addBindValue(text(newest.time));
    query.addBindValue(outcome.news);
    query.addBindValue(isProblemStatus(status));
    query.addBindValue(text(service));
    query.addBindValue(text(service));
    query.addBindValue(id);
    if (!query.exec())
        return fail(query);
    if (!db.commit()) {
        m_lastError = db.lastError().text();
        db.rollback();
        return AnswerOutcome();
    }
    outcome.stored = true;
    return outcome;
}

bool TrackingHistory::recordNoInformation(const ParcelKey &key, const QString &message, const QDateTime &now)
{
    const qint64 id = parcelId(key);
    const qint64 nowMs = now.toMSecsSinceEpoch();
    return id >= 0
        && run(QStringLiteral("UPDATE parcels SET last_checked = ?, last_error = ?, last_error_at = ?,"
                              " failures = 0 WHERE id = ?"),
               {nowMs, text(message), nowMs, id})
        && run(QStringLiteral("INSERT OR IGNORE INTO facts (name, value) VALUES (?, ?)"),
               {noInformationFact(id), QString::number(nowMs)});
}

QDateTime TrackingHistory::noInformationSince(const ParcelKey &key) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT value FROM facts WHERE name = 'no_information_since:'"
                                 " || (SELECT id FROM parcels WHERE number = ? AND com = ?)"));
    query.addBindValue(key.number);
    query.addBindValue(key.com);
    if (!query.exec() || !query.next())
        return {};
    bool isNumber = false;
    const qint64 ms = query.value(0).toString().toLongLong(&isNumber);
    return isNumber ? QDateTime::fromMSecsSinceEpoch(ms) : QDateTime();
}

TrackingHistory::StoredEvents TrackingHistory::storedEvents(qint64 id) const
{
    StoredEvents events;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT time, text FROM progress WHERE parcel_id = ?"));
    query.addBindValue(id);
    if (query.exec()) {
        while (query.next())
            events.rows.append({query.value(0).toString(), query.value(1).toString(), {}});
    }
    for (const HistoryRow &row : std::as_const(events.rows))
        events.exact.insert(row.time + QChar(0) + row.text);
    return events;
}

bool TrackingHistory::StoredEvents::tells(const HistoryRow &row)
{
    // Most rows of an answer are stored in just this form; the others are compared as events,
    // which needs the stored rows' keys, made once.
    if (rows.isEmpty() || exact.contains(row.time + QChar(0) + row.text))
        return !rows.isEmpty();
    if (keys.isEmpty()) {
        keys.reserve(rows.size());
        for (const HistoryRow &stored : std::as_const(rows))
            keys.append(eventKey(stored));
    }
    const EventKey key = eventKey(row);
    return std::any_of(keys.cbegin(), keys.cend(),
                       [&](const EventKey &stored) { return sameEvent(stored, key); });
}

bool TrackingHistory::recordFailure(const ParcelKey &key, const QString &error, const QDateTime &now,
                                    bool countsAsFailure)
{
    const qint64 id = parcelId(key);
    const qint64 nowMs = now.toMSecsSinceEpoch();
    return id >= 0
        && run(QStringLiteral("UPDATE parcels SET last_checked = ?, last_error = ?, last_error_at = ?,"
                              " failures = failures + ? WHERE id = ?"),
               {nowMs, text(error), nowMs, countsAsFailure ? 1 : 0, id});
}

int TrackingHistory::mergeHistory(const ParcelKey &key, const QList<HistoryRow> &rowsOldestFirst,
                                  const ParcelRecord &state, const QDateTime &now)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!beginWrite()) {
        return -1;
    }
    const qint64 id = parcelId(key);
    QSqlQuery query(db);
    auto fail = [&] {
        if (query.lastError().isValid())
            m_lastError = query.lastError().text();
        else if (id < 0)
            m_lastError = QStringLiteral("not a saved parcel");
        db.rollback();
        return -1;
    };
    if (id < 0)
        return fail();
    int added = 0;
    query.prepare(
        QStringLiteral("INSERT OR IGNORE INTO progress (parcel_id, time, text, first_seen, position)"
                       " VALUES (?, ?, ?, ?, ?)"));
    for (int i = 0; i < rowsOldestFirst.size(); ++i) {
        const HistoryRow &row = rowsOldestFirst.at(i);
        query.addBindValue(id);
        query.addBindValue(text(row.time));
        query.addBindValue(text(row.text));
        query.addBindValue((row.firstSeen.isValid() ? row.firstSeen : now).toMSecsSinceEpoch());
        // The place in the carrier's answer keeps rows first seen together in the carrier's order.
        query.addBindValue(row.position >= 0 ? row.position : i);
        if (!query.exec())
            return fail();
        if (query.numRowsAffected() > 0)
            ++added;
    }
    // The newest row is the newest of the carrier's last answer, which need not be the row seen last.
    HistoryRow newest = rowsOldestFirst.isEmpty() ? HistoryRow() : rowsOldestFirst.last();
    if (!state.newestTime.isEmpty() || !state.newestText.isEmpty())
        newest = {state.newestTime, state.newestText, {}};
    const int rowCount = state.rowCount > 0 ? state.rowCount : int(rowsOldestFirst.size());
    const QString oldestTime = !state.oldestTime.isEmpty() ? state.oldestTime
        : rowsOldestFirst.isEmpty()                        ? QString()
                                                           : rowsOldestFirst.first().time;
    const bool answered = !rowsOldestFirst.isEmpty();
    const QVariant checked = state.lastChecked.isValid() ? QVariant(state.lastChecked.toMSecsSinceEpoch())
                                                         : QVariant(QMetaType::fromType<qint64>());
    query.prepare(QStringLiteral(
        "UPDATE parcels SET status = ?, row_count = ?, newest_time = ?, newest_text = ?, oldest_time = ?,"
        " last_checked = ?, last_answered = CASE WHEN ? THEN ? ELSE NULL END, last_error = ?,"
        " last_error_at = CASE WHEN ? THEN ? ELSE NULL END, failures = ?,"
        " signed_time = CASE WHEN ? THEN ? ELSE signed_time END,"
        " problem_seen = CASE WHEN ? THEN 1 ELSE problem_seen END"
        " WHERE id = ? AND last_checked IS NULL AND last_answered IS NULL"));
    query.addBindValue(text(answered ? state.status : QString()));
    query.addBindValue(rowCount);
    query.addBindValue(text(newest.time));
    query.addBindValue(text(newest.text));
    query.addBindValue(text(oldestTime));
    query.addBindValue(checked);
    query.addBindValue(answered);
    query.addBindValue(checked);
    query.addBindValue(text(state.lastError));
    query.addBindValue(!state.lastError.isEmpty());
    query.addBindValue(checked);
    query.addBindValue(state.lastError.isEmpty() ? 0 : 1);
    query.addBindValue(state.status == kSignedFor);
    query.addBindValue(text(newest.time));
    query.addBindValue(state.problemSeen || isProblemStatus(state.status));
    query.addBindValue(id);
    if (!query.exec())
        return fail();
    // The archive mark travels with the parcel.
    if (state.archive != ArchiveMark::ByRule) {
        query.prepare(QStringLiteral("UPDATE parcels SET archive = ? WHERE id = ?"));
        query.addBindValue(int(state.archive));
        query.addBindValue(id);
        if (!query.exec())
            return fail();
    }
    // So do the phone digits, unless some are set here.
    if (!state.phoneDigits.isEmpty()) {
        query.prepare(
            QStringLiteral("UPDATE parcels SET phone_digits = ? WHERE id = ? AND phone_digits = ''"));
        query.addBindValue(state.phoneDigits);
        query.addBindValue(id);
        if (!query.exec())
            return fail();
    }
    if (db.commit())
        return added;
    m_lastError = db.lastError().text();
    db.rollback();
    return -1;
}

bool TrackingHistory::setNextCheck(const ParcelKey &key, const QDateTime &when)
{
    return run(QStringLiteral("UPDATE parcels SET next_check = ? WHERE number = ? AND com = ?"),
               {msOf(when), key.number, key.com});
}

bool TrackingHistory::setNextChecks(const QList<QPair<ParcelKey, QDateTime>> &plans)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!beginWrite())
        return false;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE parcels SET next_check = ? WHERE number = ? AND com = ?"));
    for (const auto &[key, when] : plans) {
        query.addBindValue(msOf(when));
        query.addBindValue(key.number);
        query.addBindValue(key.com);
        if (!query.exec()) {
            m_lastError = query.lastError().text();
            db.rollback();
            return false;
        }
    }
    if (db.commit())
        return true;
    m_lastError = db.lastError().text();
    db.rollback();
    return false;
}

bool TrackingHistory::setPhoneDigits(const ParcelKey &key, const QString &digits)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("UPDATE parcels SET phone_digits = ? WHERE number = ? AND com = ?"));
    query.addBindValue(text(digits));
    query.addBindValue(key.number);
    query.addBindValue(key.com);
    if (!query.exec()) {
        m_lastError = query.lastError().text();
        return false;
    }
    if (query.numRowsAffected() > 0)
        return true;
    m_lastError = QStringLiteral("not a saved parcel");
    return false;
}

QString TrackingHistory::phoneDigits(const QString &number, const QString &com) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT phone_digits FROM parcels WHERE number = ? AND com = ?"));
    query.addBindValue(number);
    query.addBindValue(com);
    if (query.exec() && query.next())
        return query.value(0).toString();
    return {};
}

bool TrackingHistory::setArchive(const QList<ParcelKey> &keys, ArchiveMark mark)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!beginWrite()) {
        return false;
    }
    QSqlQuery query(db);
    query.prepare(QStringLiteral("UPDATE parcels SET archive = ? WHERE number = ? AND com = ?"));
    for (const ParcelKey &key : keys) {
        query.addBindValue(int(mark));
        query.addBindValue(key.number);
        query.addBindValue(key.com);
        if (!query.exec()) {
            m_lastError = query.lastError().text();
            db.rollback();
            return false;
        }
    }
    if (db.commit())
        return true;
    m_lastError = db.lastError().text();
    db.rollback();
    return false;
}

bool TrackingHistory::setServiceEstimate(const ParcelKey &key, const ServiceEstimate &estimate)
{
    const bool valid = estimate.isValid();
    const QDateTime to = estimate.to.isValid() ? estimate.to : estimate.from;
    return run(
        QStringLiteral(
            "UPDATE parcels SET eta_from = ?, eta_to = ?, eta_source = ? WHERE number = ? AND com = ?"),
        {valid ? estimate.from.toUTC().toString(Qt::ISODate) : QStringLiteral(""),
         valid ? to.toUTC().toString(Qt::ISODate) : QStringLiteral(""),
         valid ? text(estimate.source) : QStringLiteral(""), key.number, key.com});
}

bool TrackingHistory::markSeen(const ParcelKey &key)
{
    return run(QStringLiteral(
                   "UPDATE parcels SET unseen_news = 0 WHERE number = ? AND com = ? AND unseen_news <> 0"),
               {key.number, key.com});
}

QString TrackingHistory::fact(const QString &name) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT value FROM facts WHERE name = ?"));
    query.addBindValue(name);
    return query.exec() && query.next() ? query.value(0).toString() : QString();
}

bool TrackingHistory::setFact(const QString &name, const QString &value)
{
    return run(QStringLiteral("INSERT OR REPLACE INTO facts (name, value) VALUES (?, ?)"), {name, value});
}

bool TrackingHistory::run(const QString &sql, const QVariantList &values)
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (query.exec())
        return true;
    m_lastError = query.lastError().text();
    return false;
}

QList<ParcelRecord> TrackingHistory::records(const QString &where) const
{
    QList<ParcelRecord> records;
    const QByteArray sql
        = QStringLiteral("SELECT %1 FROM parcels %2").arg(QLatin1String(kColumns), where).toUtf8();
    Rows rows(m_connection, sql.constData());
    while (rows.next())
        records.append(recordOf(rows));
    if (!rows.done())
        m_lastError = rows.error();
    return records;
}

QList<ParcelRecord> TrackingHistory::listedParcels() const
{
    return records(QStringLiteral("WHERE listed = 1 ORDER BY list_order"));
}

QList<ParcelRecord> TrackingHistory::activeParcels() const
{
    return records(
        QStringLiteral("WHERE listed = 1 AND (status <> '已签收' OR unseen_news <> 0) ORDER BY list_order"));
}

QList<ParcelRecord> TrackingHistory::allParcels() const
{
    // Two reads in the order of the indexes: one with a sort would sort all of them.
    return records(QStringLiteral("WHERE listed = 1 ORDER BY list_order"))
        + records(QStringLiteral("WHERE listed = 0"));
}

std::optional<ParcelRecord> TrackingHistory::parcel(const ParcelKey &key) const
{
    const QByteArray sql = QStringLiteral("SELECT %1 FROM parcels WHERE number = ? AND com = ?")
                               .arg(QLatin1String(kColumns))
                               .toUtf8();
    Rows rows(m_connection, sql.constData());
    rows.bind(1, key.number);
    rows.bind(2, key.com);
    if (!rows.next())
        return std::nullopt;
    return recordOf(rows);
}

QList<HistoryRow> TrackingHistory::rows(const ParcelKey &key) const
{
    QList<HistoryRow> list;
    Rows rows(m_connection,
              "SELECT p.time, p.text, p.first_seen, p.position FROM progress p JOIN parcels c"
              " ON c.id = p.parcel_id WHERE c.number = ? AND c.com = ? ORDER BY p.first_seen, p.position");
    rows.bind(1, key.number);
    rows.bind(2, key.com);
    while (rows.next())
        list.append({rows.text(0), rows.text(1), rows.time(2), int(rows.integer(3))});
    if (!rows.done())
        m_lastError = rows.error();
    return list;
}

int TrackingHistory::totalRows() const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (query.exec(QStringLiteral("SELECT count(*) FROM progress")) && query.next())
        return query.value(0).toInt();
    return -1;
}

namespace {
// Parcel after parcel, in the saved list's order; the progress table's key keeps each parcel's
// rows together, so no sort is needed.
const char kRowTextsQuery[]
    = "SELECT c.number, c.com, p.text FROM parcels c JOIN progress p ON p.parcel_id = c.id"
      " WHERE c.listed = 1 ORDER BY c.list_order";

RowTextIndex rowTextIndexOf(const QString &connection, QString *error)
{
    RowTextIndex index;
    Rows rows(connection, kRowTextsQuery);
    ParcelKey key;
    QStringList texts;
    while (rows.next()) {
        ParcelKey rowKey {rows.text(0), rows.text(1)};
        if (rowKey != key) {
            if (!texts.isEmpty())
                index.add(key, texts);
            texts.clear();
            key = std::move(rowKey);
        }
        texts.append(rows.text(2));
    }
    if (!texts.isEmpty())
        index.add(key, texts);
    if (!rows.done())
        *error = rows.error();
    index.finish();
    return index;
}
} // namespace

RowTextIndex TrackingHistory::rowTextIndex() const
{
    return rowTextIndexOf(m_connection, &m_lastError);
}

QStringList TrackingHistory::rowTexts(const ParcelKey &key) const
{
    QStringList texts;
    Rows rows(m_connection,
              "SELECT p.text FROM progress p JOIN parcels c ON c.id = p.parcel_id"
              " WHERE c.number = ? AND c.com = ?");
    rows.bind(1, key.number);
    rows.bind(2, key.com);
    while (rows.next())
        texts.append(rows.text(0));
    if (!rows.done())
        m_lastError = rows.error();
    return texts;
}

RowTextIndex TrackingHistory::readRowTextIndex(const QString &databaseFile)
{
    static std::atomic<int> serial {0};
    const QString name = QStringLiteral("parcelvue-row-texts-%1").arg(++serial);
    RowTextIndex index;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(databaseFile);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        QString error;
        if (db.open())
            index = rowTextIndexOf(name, &error);
        else
            error = db.lastError().text();
        if (!error.isEmpty())
            qCInfo(lcWatch) << "row texts not read from" << databaseFile << ":" << error;
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return index;
}

QString TrackingHistory::integrityCheck() const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.exec(QStringLiteral("PRAGMA integrity_check")))
        return query.lastError().text();
    QStringList found;
    while (query.next())
        found.append(query.value(0).toString());
    return found.join(QLatin1Char('\n'));
}

bool TrackingHistory::recordServiceQuery(const QString &service, const QString &day, ServiceQuery kind,
                                         const QString &reason, const QDateTime &now)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!beginWrite())
        return false;
    bool ok = run(QStringLiteral("INSERT INTO service_days (service, day, queries) VALUES (?, ?, 1)"
                                 " ON CONFLICT (service, day) DO UPDATE SET queries = queries + 1"),
                  {text(service), text(day)})
        && run(QStringLiteral("INSERT OR IGNORE INTO service_health (service) VALUES (?)"), {text(service)});
    if (ok && kind == ServiceQuery::Answered)
        ok = run(QStringLiteral("UPDATE service_health SET last_success = ?, failing_since = NULL,"
                                " failure_told = 0 WHERE service = ?"),
                 {msOf(now), text(service)});
    else if (ok && kind == ServiceQuery::Failed)
        ok = run(QStringLiteral("UPDATE service_health SET last_failure = ?, last_reason = ?,"
                                " failing_since = COALESCE(failing_since, ?) WHERE service = ?"),
                 {msOf(now), text(reason), msOf(now), text(service)});
    if (ok && db.commit())
        return true;
    if (ok)
        m_lastError = db.lastError().text();
    db.rollback();
    return false;
}

TrackingHistory::ServiceUse TrackingHistory::serviceUse(const QString &service, const QString &day) const
{
    ServiceUse use;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT queries FROM service_days WHERE service = ? AND day = ?"));
    query.addBindValue(service);
    query.addBindValue(day);
    if (query.exec() && query.next())
        use.queriesToday = query.value(0).toInt();
    query.prepare(QStringLiteral("SELECT last_success, last_failure, last_reason, failing_since, failure_told"
                                 " FROM service_health WHERE service = ?"));
    query.addBindValue(service);
    if (query.exec() && query.next()) {
        const auto time = [&query](int column) {
            return query.isNull(column) ? QDateTime()
                                        : QDateTime::fromMSecsSinceEpoch(query.value(column).toLongLong());
        };
        use.lastSuccess = time(0);
        use.lastFailure = time(1);
        use.lastReason = query.value(2).toString();
        use.failingSince = time(3);
        use.failureTold = query.value(4).toInt() != 0;
    }
    return use;
}

bool TrackingHistory::setServiceFailureTold(const QString &service)
{
    return run(QStringLiteral("UPDATE service_health SET failure_told = 1 WHERE service = ?"),
               {text(service)});
}

std::optional<int> TrackingHistory::registeredCarrier(const QString &service, const QString &number,
                                                      const QString &com) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral(
        "SELECT carrier FROM registered_numbers WHERE service = ? AND number = ? AND com = ?"));
    query.addBindValue(service);
    query.addBindValue(number);
    query.addBindValue(com);
    if (query.exec() && query.next())
        return query.value(0).toInt();
    return std::nullopt;
}

bool TrackingHistory::setRegistered(const QString &service, const QString &number, const QString &com,
                                    std::optional<int> carrier)
{
    if (!carrier)
        return run(
            QStringLiteral("DELETE FROM registered_numbers WHERE service = ? AND number = ? AND com = ?"),
            {text(service), text(number), text(com)});
    return run(QStringLiteral("INSERT OR REPLACE INTO registered_numbers (service, number, com, carrier)"
                              " VALUES (?, ?, ?, ?)"),
               {text(service), text(number), text(com), *carrier});
}
