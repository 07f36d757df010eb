#pragma once

#include "core/tracking_check.h"
#include "watch/tracking_history.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>

class Clock;
class QTimer;
class TrackingClient;
class TrackingQuery;

// When to ask about a parcel again.
namespace WatchPlan {
constexpr int kDefaultIntervalMinutes = 60;
constexpr int kMinIntervalMinutes = 30;
constexpr int kMaxBackoffMinutes = 24 * 60;
constexpr int kDefaultHoldMinutes = 15;
// Parcels found overdue (after the program was closed or the machine slept) are spread over this.
constexpr int kCatchUpSeconds = 5 * 60;

int clampInterval(int minutes);
// The interval after `failures` failed queries in a row: doubled each time, at most a day.
int backoffMinutes(int intervalMinutes, int failures);
// The interval for a parcel the service has had no information of for `secondsWaiting`: the
// normal one, twice that after a week.
constexpr int kSlowAfterNoInformationDays = 7;
int noInformationMinutes(int intervalMinutes, qint64 secondsWaiting);
// The next check after an answer: about one interval on, at the parcel's own place in the
// interval (from its number and carrier), so that many parcels do not come due together.
QDateTime nextAfterAnswer(const ParcelKey &key, const QDateTime &now, int intervalMinutes);
} // namespace WatchPlan

// Refreshes the saved parcels in the background: every one not signed for, each about once per
// interval, at most four requests at a time, never waiting in a nested event loop. The results
// go into the tracking history; new progress rows are news.
class ParcelWatcher : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxInFlight = 4;
    static constexpr int kTickMs = 5000;
    // An answer that could not be stored is asked for again after this.
    static constexpr int kStoreRetrySeconds = 60;

    ParcelWatcher(TrackingHistory &history, TrackingClient &client, const Clock &clock,
                  QObject *parent = nullptr);
    ~ParcelWatcher() override;

    // Automatic refreshes ("全部监控"); "全部刷新" works either way.
    // Switching it on, like a new interval, plans every parcel's next check anew from its last.
    void setEnabled(bool enabled);
    bool isEnabled() const { return m_enabled; }
    void setIntervalMinutes(int minutes);
    int intervalMinutes() const { return m_intervalMinutes; }
    // When to ask again about a parcel whose "no information" was just recorded: about one
    // interval on, two once the service has known nothing of it for a week.
    QDateTime nextCheckWithoutInformation(const ParcelKey &key, const QDateTime &now) const;
    // Archived parcels are neither watched nor refreshed (归档天数; 0: only those archived by hand).
    void setArchiveDays(int days) { m_archiveDays = days; }

    // Queries every listed parcel now, signed ones included, archived ones not.
    void refreshAll();
    // Ends "全部刷新" and every query under way; nothing is recorded for them.
    void stop();
    bool refreshing() const { return m_refreshTotal > 0; }
    int refreshDone() const { return m_refreshDone; }
    int refreshTotal() const { return m_refreshTotal; }
    int inFlight() const { return int(m_inFlight.size()); }
    // Until when the service asked to be left alone; invalid when it did not.
    QDateTime heldUntil() const { return m_holdUntil; }
    // Whether a hold is waited out (the window's watcher) or ends the refresh at once, the held
    // parcels not queried (a command that must end).
    void setWaitsOutHolds(bool waits) { m_waitsOutHolds = waits; }
    // Whether the day's queries of the service reached its budget: only parcels that move are
    // asked about until the service's next day.
    bool saving() const { return m_saving; }
    // The client the watcher asks through (its service, for what is told of it).
    const TrackingClient &client() const { return m_client; }

    // One pass of the schedule: queues the parcels that are due. The timer runs it every few
    // seconds; it is public so that a test can run it after setting the clock.
    void checkDue();

Q_SIGNALS:
    void parcelChecked(const ParcelKey &key);
    // New progress rows for a parcel that had an answer before.
    void news(const ParcelRecord &parcel);
    void refreshProgress(int done, int total);
    void refreshFinished();
    // A query ended; `outcome` is what it came to (a held parcel: Busy).
    void queryEnded(const ParcelKey &key, const CheckOutcome &outcome);
    // The service holds the watcher until `until` (invalid: no more).
    void holdChanged(const QDateTime &until);
    void savingChanged(bool saving);

private:
    struct Pending
    {
        ParcelKey key;
        bool forRefresh = false;
    };
    void replan();
    void enqueue(const ParcelKey &key, bool forRefresh, bool front = false);
    bool queued(const ParcelKey &key) const;
    void pump();
    void finished(TrackingQuery *query, const Pending &pending);
    void apply(const Pending &pending, const CheckOutcome &outcome);
    void countRefresh(const Pending &pending);

    TrackingHistory &m_history;
    TrackingClient &m_client;
    const Clock &m_clock;
    QTimer *m_timer;
    bool m_enabled = false;
    int m_intervalMinutes = WatchPlan::kDefaultIntervalMinutes;
    int m_archiveDays = 0;
    QList<Pending> m_queue;
    QHash<TrackingQuery *, Pending> m_inFlight;
    QDateTime m_holdUntil;
    bool m_waitsOutHolds = true;
    bool m_saving = false;
    int m_refreshDone = 0;
    int m_refreshTotal = 0;
};
