#pragma once

#include "services/tracking_service.h"
#include "watch/tracking_history.h"

#include <QDateTime>
#include <QObject>
#include <QString>

class Clock;
class TrackingClient;
struct HttpResult;

// A service's daily limit as a budget: from 450 of 快递鸟's 500 queries a day on, the watcher asks
// only about the parcels that move (news in the last 3 days, or out for delivery) until the
// service's next day. 17TRACK's limit is its quota, spent by registrations only.
namespace ServiceBudget {
constexpr int kKdniaoDailyQueries = 500;
constexpr int kKdniaoSavingFrom = 450;
constexpr int kRecentNewsDays = 3;

// The service's day of a moment, "yyyy-MM-dd" in China time (UTC+8), where both services count.
QString serviceDay(const QDateTime &time);
// The start of the service's next day.
QDateTime nextServiceDay(const QDateTime &time);
// Queries a day the service allows; 0: no daily limit.
int dailyQueries(TrackingService service);
// Whether the watcher saves queries for the rest of the day after `queriesToday`.
bool saving(TrackingService service, int queriesToday);
// Whether the watcher asks about the parcel while it saves.
bool askedWhileSaving(const ParcelRecord &parcel, const QDateTime &now);

// For the overview's status line, in the interface's language.
QString savingText(TrackingService service);
QString shownHoldText(TrackingService service, const QDateTime &until, const QDateTime &now);
// shownHoldText() in Chinese, as the command line's JSON carries it.
QString holdText(TrackingService service, const QDateTime &until, const QDateTime &now);
// A service's use and health in one line: today's queries against the budget, the last success,
// the last failure with its reason.
QString useText(TrackingService service, const TrackingHistory::ServiceUse &use);
// How long every query must have failed before it is told.
constexpr int kFailingToldAfterSeconds = 3600;
// The notification of a service that failed for every parcel for that long.
QString failingText(TrackingService service, const QString &reason);
} // namespace ServiceBudget

// Keeps, in the history, what the client's queries tell about the services: each query counted
// by the service's day, the last success and failure, the numbers registered with 17TRACK; and
// tells once when a service has failed for every parcel for an hour.
class ServiceRecords : public QObject
{
    Q_OBJECT

public:
    ServiceRecords(TrackingClient &client, TrackingHistory &history, const Clock &clock,
                   QObject *parent = nullptr);
    ~ServiceRecords() override;

    // The use of the service the client asks now, today.
    TrackingHistory::ServiceUse use() const;
    QString useText() const;
    void record(TrackingService service, const HttpResult &result);

Q_SIGNALS:
    // `text`: "快递鸟连续查询失败: 原因".
    void failing(const QString &text);
    void recorded();

private:
    TrackingClient &m_client;
    TrackingHistory &m_history;
    const Clock &m_clock;
};
