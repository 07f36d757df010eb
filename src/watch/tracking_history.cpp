#include "watch/tracking_history.h"

#include "core/delivery_status.h"
#include "platform/logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

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
};
constexpr int kMigrationCount = int(sizeof kMigrations / sizeof kMigrations[0]);
static_assert(kMigrationCount == TrackingHistory::kSchemaVersion, "one migration per schema version");

const char kColumns[] = "number, com, note, carrier_name, status, row_count, newest_time, newest_text, "
                        "oldest_time, last_checked, last_answered, next_check, last_error, last_error_at, "
                        "failures, signed_time, unseen_news, listed, phone_digits";

QVariant msOf(const QDateTime &time)
{
    return time.isValid() ? QVariant(time.toMSecsSinceEpoch()) : QVariant(QMetaType::fromType<qint64>());
}

// A null QString would be bound as NULL; the text columns hold empty text instead.
QString text(const QString &value)
{
    return value.isNull() ? QString(QLatin1String("")) : value;
}

QDateTime timeOf(const QVariant &value)
{
    return value.isNull() ? QDateTime() : QDateTime::fromMSecsSinceEpoch(value.toLongLong());
}

ParcelRecord recordOf(const QSqlQuery &query)
{
    ParcelRecord record;
    record.key = {query.value(0).toString(), query.value(1).toString()};
    record.note = query.value(2).toString();
    record.carrierName = query.value(3).toString();
    record.status = query.value(4).toString();
    record.rowCount = query.value(5).toInt();
    record.newestTime = query.value(6).toString();
    record.newestText = query.value(7).toString();
    record.oldestTime = query.value(8).toString();
    record.lastChecked = timeOf(query.value(9));
    record.lastAnswered = timeOf(query.value(10));
    record.nextCheck = timeOf(query.value(11));
    record.lastError = query.value(12).toString();
    record.lastErrorAt = timeOf(query.value(13));
    record.failures = query.value(14).toInt();
    record.signedTime = query.value(15).toString();
    record.unseenNews = query.value(16).toInt() != 0;
    record.listed = query.value(17).toInt() != 0;
    record.phoneDigits = query.value(18).toString();
    return record;
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
    m_path = QDir(dataDir).filePath(QStringLiteral("parcelvue.db"));
    if (openAt(m_path))
        return true;

    const bool broken = QFileInfo::exists(m_path) && m_openFoundBroken;
    close();
    if (broken) {
        const QString aside
            = m_path + QStringLiteral(".broken-") + now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
        if (QFile::rename(m_path, aside)) {
            // The journal files belong to the broken file; a new database must not take them up.
            for (const char *suffix : {"-wal", "-shm"})
                QFile::remove(m_path + QLatin1String(suffix));
            qCInfo(lcWatch) << "database damaged, moved aside as" << aside << ":" << m_lastError;
            if (openAt(m_path)) {
                m_problem = QStringLiteral("快递记录数据库已损坏,已另存为%1,并新建了数据库。")
                                .arg(QFileInfo(aside).fileName());
                return true;
            }
            close();
        }
    }

    // Nowhere to keep a file: the watcher still works, for this run.
    qCInfo(lcWatch) << "database" << m_path << "cannot be used:" << m_lastError << "- kept in memory";
    const QString reason = m_lastError;
    if (!openAt(QStringLiteral(":memory:"))) {
        close();
        return false;
    }
    m_inMemory = true;
    m_problem = QStringLiteral("无法在数据目录保存快递记录(%1),本次运行的记录只保存在内存中。").arg(reason);
    return true;
}

bool TrackingHistory::openAt(const QString &file)
{
    m_openFoundBroken = false;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(file);
    // Another process (the command line) may be writing: wait for it rather than fail.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        m_lastError = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    if (file != QLatin1String(":memory:")) {
        if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next()) {
            m_lastError = query.lastError().text();
            m_openFoundBroken = isBrokenFileError(query.lastError()) || isBrokenFileText(m_lastError);
            return false;
        }
        if (query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
            m_lastError = QStringLiteral("the journal cannot be kept beside the database");
            return false;
        }
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
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        m_lastError = query.lastError().text();
        m_openFoundBroken = isBrokenFileError(query.lastError()) || isBrokenFileText(m_lastError);
        return false;
    }
    const int version = query.value(0).toInt();
    if (version > kSchemaVersion) {
        m_lastError = QStringLiteral("made by a newer Parcelvue (schema %1)").arg(version);
        return false;
    }
    for (int step = version; step < kSchemaVersion; ++step) {
        if (!db.transaction()) {
            m_lastError = db.lastError().text();
            return false;
        }
        for (const QString &statement : kMigrations[step]) {
            if (!exec(statement)) {
                db.rollback();
                return false;
            }
        }
        if (!exec(QStringLiteral("PRAGMA user_version=%1").arg(step + 1)) || !db.commit()) {
            db.rollback();
            return false;
        }
    }
    return true;
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

bool TrackingHistory::followSavedList(const QList<SavedEntry> &saved)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        m_lastError = db.lastError().text();
        return false;
    }
    bool ok = exec(QStringLiteral("UPDATE parcels SET listed = 0 WHERE listed <> 0"));
    QSqlQuery query(db);
    query.prepare(QStringLiteral(
        "INSERT INTO parcels (number, com, note, carrier_name, listed, list_order) VALUES (?, ?, ?, ?, 1, ?)"
        " ON CONFLICT (number, com) DO UPDATE SET note = excluded.note,"
        " carrier_name = excluded.carrier_name, listed = 1, list_order = excluded.list_order"));
    for (int i = 0; ok && i < saved.size(); ++i) {
        const SavedEntry &entry = saved.at(i);
        query.addBindValue(text(entry.key.number));
        query.addBindValue(text(entry.key.com));
        query.addBindValue(text(entry.note));
        query.addBindValue(text(entry.carrierName));
        query.addBindValue(i);
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
                                                             const QString &status, const QDateTime &now)
{
    AnswerOutcome outcome;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        m_lastError = db.lastError().text();
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
    query.prepare(QStringLiteral("SELECT last_answered IS NOT NULL FROM parcels WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec() || !query.next())
        return fail(query);
    const bool answeredBefore = query.value(0).toBool();

    query.prepare(
        QStringLiteral("INSERT OR IGNORE INTO progress (parcel_id, time, text, first_seen, position)"
                       " VALUES (?, ?, ?, ?, ?)"));
    const qint64 nowMs = now.toMSecsSinceEpoch();
    for (int i = 0; i < rowsOldestFirst.size(); ++i) {
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
    outcome.news = answeredBefore && outcome.newRows > 0;

    const HistoryRow newest = rowsOldestFirst.isEmpty() ? HistoryRow() : rowsOldestFirst.last();
    query.prepare(QStringLiteral(
        "UPDATE parcels SET status = ?, row_count = ?, newest_time = ?, newest_text = ?, oldest_time = ?,"
        " last_checked = ?, last_answered = ?, last_error = '', last_error_at = NULL, failures = 0,"
        " signed_time = CASE WHEN ? THEN ? ELSE signed_time END,"
        " unseen_news = CASE WHEN ? THEN 1 ELSE unseen_news END WHERE id = ?"));
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

bool TrackingHistory::mergeHistory(const ParcelKey &key, const QList<HistoryRow> &rowsOldestFirst,
                                   const ParcelRecord &state, const QDateTime &now)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction()) {
        m_lastError = db.lastError().text();
        return false;
    }
    const qint64 id = parcelId(key);
    QSqlQuery query(db);
    auto fail = [&] {
        if (query.lastError().isValid())
            m_lastError = query.lastError().text();
        db.rollback();
        return false;
    };
    if (id < 0)
        return fail();
    query.prepare(
        QStringLiteral("INSERT OR IGNORE INTO progress (parcel_id, time, text, first_seen, position)"
                       " VALUES (?, ?, ?, ?, ?)"));
    for (int i = 0; i < rowsOldestFirst.size(); ++i) {
        const HistoryRow &row = rowsOldestFirst.at(i);
        query.addBindValue(id);
        query.addBindValue(text(row.time));
        query.addBindValue(text(row.text));
        query.addBindValue((row.firstSeen.isValid() ? row.firstSeen : now).toMSecsSinceEpoch());
        query.addBindValue(i);
        if (!query.exec())
            return fail();
    }
    const HistoryRow newest = rowsOldestFirst.isEmpty() ? HistoryRow() : rowsOldestFirst.last();
    const bool answered = !rowsOldestFirst.isEmpty();
    const QVariant checked = state.lastChecked.isValid() ? QVariant(state.lastChecked.toMSecsSinceEpoch())
                                                         : QVariant(QMetaType::fromType<qint64>());
    query.prepare(QStringLiteral(
        "UPDATE parcels SET status = ?, row_count = ?, newest_time = ?, newest_text = ?, oldest_time = ?,"
        " last_checked = ?, last_answered = CASE WHEN ? THEN ? ELSE NULL END, last_error = ?,"
        " last_error_at = CASE WHEN ? THEN ? ELSE NULL END, failures = ?,"
        " signed_time = CASE WHEN ? THEN ? ELSE signed_time END"
        " WHERE id = ? AND last_checked IS NULL AND last_answered IS NULL"));
    query.addBindValue(text(answered ? state.status : QString()));
    query.addBindValue(int(rowsOldestFirst.size()));
    query.addBindValue(text(newest.time));
    query.addBindValue(text(newest.text));
    query.addBindValue(text(answered ? rowsOldestFirst.first().time : QString()));
    query.addBindValue(checked);
    query.addBindValue(answered);
    query.addBindValue(checked);
    query.addBindValue(text(state.lastError));
    query.addBindValue(!state.lastError.isEmpty());
    query.addBindValue(checked);
    query.addBindValue(state.lastError.isEmpty() ? 0 : 1);
    query.addBindValue(state.status == kSignedFor);
    query.addBindValue(text(newest.time));
    query.addBindValue(id);
    if (!query.exec())
        return fail();
    if (db.commit())
        return true;
    m_lastError = db.lastError().text();
    db.rollback();
    return false;
}

bool TrackingHistory::setNextCheck(const ParcelKey &key, const QDateTime &when)
{
    return run(QStringLiteral("UPDATE parcels SET next_check = ? WHERE number = ? AND com = ?"),
               {msOf(when), key.number, key.com});
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

bool TrackingHistory::markSeen(const ParcelKey &key)
{
    return run(QStringLiteral(
                   "UPDATE parcels SET unseen_news = 0 WHERE number = ? AND com = ? AND unseen_news <> 0"),
               {key.number, key.com});
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

QList<ParcelRecord> TrackingHistory::listedParcels() const
{
    QList<ParcelRecord> records;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1 FROM parcels WHERE listed = 1 ORDER BY list_order")
                        .arg(QLatin1String(kColumns)))) {
        m_lastError = query.lastError().text();
        return records;
    }
    while (query.next())
        records.append(recordOf(query));
    return records;
}

std::optional<ParcelRecord> TrackingHistory::parcel(const ParcelKey &key) const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(
        QStringLiteral("SELECT %1 FROM parcels WHERE number = ? AND com = ?").arg(QLatin1String(kColumns)));
    query.addBindValue(key.number);
    query.addBindValue(key.com);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return recordOf(query);
}

QList<HistoryRow> TrackingHistory::rows(const ParcelKey &key) const
{
    QList<HistoryRow> rows;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT p.time, p.text, p.first_seen FROM progress p JOIN parcels c ON c.id = p.parcel_id"
        " WHERE c.number = ? AND c.com = ? ORDER BY p.first_seen, p.position"));
    query.addBindValue(key.number);
    query.addBindValue(key.com);
    if (!query.exec()) {
        m_lastError = query.lastError().text();
        return rows;
    }
    while (query.next())
        rows.append({query.value(0).toString(), query.value(1).toString(), timeOf(query.value(2))});
    return rows;
}

int TrackingHistory::totalRows() const
{
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (query.exec(QStringLiteral("SELECT count(*) FROM progress")) && query.next())
        return query.value(0).toInt();
    return -1;
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
