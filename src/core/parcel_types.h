#pragma once

#include <QDateTime>
#include <QHashFunctions>
#include <QList>
#include <QString>

// A parcel is known by its number and its carrier's service code.
struct ParcelKey
{
    QString number;
    QString com;

    bool operator==(const ParcelKey &other) const { return number == other.number && com == other.com; }
    bool operator!=(const ParcelKey &other) const { return !(*this == other); }
};

inline size_t qHash(const ParcelKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.number, key.com);
}

// One saved parcel as the saved-parcel file lists it.
struct SavedEntry
{
    ParcelKey key;
    QString carrierName;
    QString note;
};

// One progress row, as the service gave it.
struct HistoryRow
{
    QString time;
    QString text;
    QDateTime firstSeen; // when this program first saw the row
    int position = -1; // its place in the answer that brought it (oldest first); -1: not known
};

// How the user marked a parcel for the archive; an unmarked one follows the rule of 归档天数.
enum class ArchiveMark {
    ByRule = 0, // archived once it has been signed for long enough
    Archived = 1, // archived by hand
    KeptOut = 2, // taken out of the archive by hand: the rule leaves it alone
};

// When a tracking service expects the parcel to arrive, as it said it.
struct ServiceEstimate
{
    QDateTime from, to;
    QString source; // the service's name: "17TRACK", "快递鸟"
    bool isValid() const { return from.isValid(); }
};

// What the database knows of one parcel.
struct ParcelRecord
{
    ParcelKey key;
    QString note;
    QString carrierName;
    QString status; // 已签收, 派件中 or 运送中 of the newest answer; empty before the first
    int rowCount = 0; // rows of the newest answer
    QString newestTime, newestText; // the newest row
    QString oldestTime; // the oldest row's time
    QDateTime lastChecked; // the last query, answered or not
    QDateTime lastAnswered; // the last answer with progress rows
    QDateTime nextCheck; // when the watcher asks next; invalid: not planned
    QString lastError; // why the last query failed; empty when it did not
    QDateTime lastErrorAt;
    int failures = 0; // failed queries since the last answer
    QString signedTime; // the time of the row that said it was signed for
    bool unseenNews = false; // news that the user has not looked at yet
    bool listed = false; // in the saved-parcel file now
    QString phoneDigits; // the last four digits of a phone, for carriers that ask for them
    ArchiveMark archive = ArchiveMark::ByRule;
    bool problemSeen = false; // some answer gave it a problem status (问题件, 待取件, 派送失败)
    ServiceEstimate serviceEstimate; // the service's delivery estimate, when it gave one
};

// An answer the window parsed, for the history: its rows oldest first and the status they give.
struct TrackingAnswer
{
    ParcelKey key;
    QList<HistoryRow> rows;
    QString status;
};

// News about a parcel, in the words of the notice mail.
struct ParcelNews
{
    QString remark;
    QString number;
    QString carrierName;
    QString time; // the newest row
    QString progress;
    QString transit; // how long it has been on its way, or 已签收
};
