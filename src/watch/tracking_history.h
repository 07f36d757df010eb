#pragma once

#include "core/parcel_types.h"
#include "watch/event_match.h"
#include "watch/row_text_index.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

// The tracking history: every saved parcel's state and every progress row ever seen, in
// parcelvue.db (SQLite, WAL) in the data directory. The saved-parcel file stays the list of saved
// parcels; this follows it and never adds or removes a saved parcel by itself, and a parcel that
// leaves the list keeps its history.
class TrackingHistory
{
public:
    static constexpr int kSchemaVersion = 5;

    TrackingHistory();
    ~TrackingHistory();
    TrackingHistory(const TrackingHistory &) = delete;
    TrackingHistory &operator=(const TrackingHistory &) = delete;

    // Opens (or makes) parcelvue.db in `dataDir`. A file that is not a database, or a damaged one,
    // is moved aside as parcelvue.db.broken-<date> and a new one started; a directory where no
    // database can be kept gives one in memory. Either is told once by problem(). False only when
    // not even a database in memory could be had.
    bool open(const QString &dataDir, const QDateTime &now);
    bool isOpen() const;
    bool inMemory() const { return m_inMemory; }
    QString path() const { return m_path; }
    // A file larger than this is checked for damage after the open, not during it.
    static constexpr qint64 kCheckedAtOpenBytes = 4 * 1024 * 1024;
    // The open did not check the file: checkFile (on any thread), then recoverDamaged.
    bool checkPending() const { return m_checkPending; }
    // "ok", or what SQLite found wrong with the file (on a read-only connection of its own).
    static QString checkFile(const QString &databaseFile);
    // After checkFile found damage: the file is moved aside and a new one started, as the open
    // does, and problem() tells it. False when `found` is "ok".
    bool recoverDamaged(const QString &found, const QDateTime &now);
    // What the user should be told about the database, once; empty when all is well.
    QString problem() const { return m_problem; }
    // The last database error, for a log or a message.
    QString lastError() const { return m_lastError; }

    // Makes the listed parcels those of the file, in its order, with their notes and carrier names.
    bool followSavedList(const QList<SavedEntry> &saved);
    // The same from the file's lines; lines it followed before (their digest is kept) are not read.
    bool followSavedLines(const QStringList &lines);

    struct AnswerOutcome
    {
        bool stored = false;
        int newRows = 0; // rows not seen before
        // New rows for a parcel that had an answer before, rows or "no information yet".
        bool news = false;
    };
    // Records an answer's rows (oldest first) and the delivery status they give. `service` is the
    // tracking service that answered (TrackingClient::serviceKey(); empty: not known): the first
    // answer of another service than the last one's is not news. A row that tells an event
    // stored already in another form (eventKey) is not stored again.
    AnswerOutcome recordAnswer(const ParcelKey &key, const QList<HistoryRow> &rowsOldestFirst,
                               const QString &status, const QDateTime &now,
                               const QString &service = QString());
    // Records an answer that the service has no information of the parcel yet: not a failure
    // (no back-off), what was known stays, and the first rows after it are news.
    bool recordNoInformation(const ParcelKey &key, const QString &message, const QDateTime &now);
    // A small fact the program keeps beside the history (where a mail folder's last scan stopped):
    // its value, or an empty string; false when it could not be written.
    QString fact(const QString &name) const;
    bool setFact(const QString &name, const QString &value);
    // Since when the service has had no information of the parcel (from the first such answer
    // after its last rows); invalid when its last answer had rows.
    QDateTime noInformationSince(const ParcelKey &key) const;
    // Records a failed query; what was known stays.
    bool recordFailure(const ParcelKey &key, const QString &error, const QDateTime &now,
                       bool countsAsFailure = true);
    // Adds rows brought from elsewhere (an import) with the times they were first seen there and
    // their places in the answers; rows known already are kept once. A parcel never checked here
    // takes its state from them (status, newest row, last check, last error); phone digits and the
    // archive mark come along. The number of rows added; -1 when the parcel is unknown or the
    // database failed.
    int mergeHistory(const ParcelKey &key, const QList<HistoryRow> &rowsOldestFirst,
                     const ParcelRecord &state, const QDateTime &now);
    bool setNextCheck(const ParcelKey &key, const QDateTime &when);
    // The same for many parcels, in one step.
    bool setNextChecks(const QList<QPair<ParcelKey, QDateTime>> &plans);
    bool markSeen(const ParcelKey &key);
    // The phone digits the parcel's carrier wants (empty: none); only for a parcel of the list.
    bool setPhoneDigits(const ParcelKey &key, const QString &digits);
    QString phoneDigits(const QString &number, const QString &com) const;
    // Marks the parcels for the archive, all in one step.
    bool setArchive(const QList<ParcelKey> &keys, ArchiveMark mark);
    // What the service said about the delivery (an invalid estimate clears it).
    bool setServiceEstimate(const ParcelKey &key, const ServiceEstimate &estimate);

    // The listed parcels in the saved-parcel file's order.
    QList<ParcelRecord> listedParcels() const;
    // The listed parcels not signed for yet, and those with news not looked at: all the watcher
    // and the tray count need, without the years of parcels delivered.
    QList<ParcelRecord> activeParcels() const;
    // Every parcel ever saved: the listed ones first, in the file's order, then the others.
    QList<ParcelRecord> allParcels() const;
    std::optional<ParcelRecord> parcel(const ParcelKey &key) const;
    // Every row ever seen of the parcel, oldest first.
    QList<HistoryRow> rows(const ParcelKey &key) const;
    int totalRows() const;
    // The texts of every row of the listed parcels, for the search.
    RowTextIndex rowTextIndex() const;
    QStringList rowTexts(const ParcelKey &key) const;
    // The same from the database file, on a read-only connection of its own: for another thread,
    // while this one goes on writing. Empty when the file cannot be read.
    static RowTextIndex readRowTextIndex(const QString &databaseFile);

    // A tracking service's use, by its key ("kdniao"): the queries of one of its days, its last
    // success, its last failure with the reason, since when every query failed (invalid: the last
    // one did not) and whether that was told.
    struct ServiceUse
    {
        int queriesToday = 0;
        QDateTime lastSuccess, lastFailure;
        QString lastReason;
        QDateTime failingSince;
        bool failureTold = false;
    };
    // Counts one query of the service on `day` (the service's day): answered (rows or a refusal
    // of the number), failed (with the reason), or held (counted only).
    enum class ServiceQuery { Answered, Failed, Held };
    bool recordServiceQuery(const QString &service, const QString &day, ServiceQuery query,
                            const QString &reason, const QDateTime &now);
    ServiceUse serviceUse(const QString &service, const QString &day) const;
    bool setServiceFailureTold(const QString &service);
    // The carrier key a service registered the number under; none when it was not registered.
    std::optional<int> registeredCarrier(const QString &service, const QString &number,
                                         const QString &com) const;
    // Remembers the registration, or forgets it (no carrier).
    bool setRegistered(const QString &service, const QString &number, const QString &com,
                       std::optional<int> carrier);

    // "ok" when SQLite finds the file whole, else what it found.
    QString integrityCheck() const;

private:
    bool openAt(const QString &file);
    bool startAgain(const QDateTime &now); // moves a damaged file aside and opens a new one
    bool migrate();
    // The rows stored for a parcel, to know an event again in another form.
    struct StoredEvents
    {
        QList<HistoryRow> rows;
        QSet<QString> exact; // time and text
        QList<EventKey> keys; // made when first needed
        // The row tells an event stored already, in its form or another.
        bool tells(const HistoryRow &row);
    };
    StoredEvents storedEvents(qint64 parcelId) const;
    // Begins a write transaction holding the write lock from its start; commit or roll back.
    bool beginWrite();
    bool exec(const QString &sql);
    // A prepared statement with its values; false, with the error kept, when it fails.
    bool run(const QString &sql, const QVariantList &values);
    qint64 parcelId(const ParcelKey &key); // -1 for a parcel that was never saved
    QList<ParcelRecord> records(const QString &where) const;
    bool listsExactly(const QList<SavedEntry> &saved) const; // the same parcels in the same order
    void close();

    QString m_connection;
    QString m_path;
    QString m_problem;
    mutable QString m_lastError;
    bool m_inMemory = false;
    bool m_checkPending = false;
    bool m_openFoundBroken = false; // the last open failed on a damaged file, not on the directory
};
