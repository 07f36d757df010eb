#include "watch/service_records.h"

#include "core/delivery_status.h"
#include "core/shown_text.h"
#include "core/tracking_check.h"
#include "platform/clock.h"
#include "platform/logging.h"
#include "services/tracking_client.h"

#include <QCoreApplication>
#include <QPointer>

namespace ServiceBudget {
namespace {
constexpr int kChinaOffsetSeconds = 8 * 3600;

// The names the interface shows; the settings keep their own keys.
QString shownServiceName(TrackingService service)
{
    switch (service) {
    case TrackingService::Designed:
        return QCoreApplication::translate("ServiceBudget", "原有接口");
    case TrackingService::Kdniao:
        return QCoreApplication::translate("ServiceBudget", "快递鸟");
    case TrackingService::Track17:
        break;
    }
    return trackingServiceName(service);
}

QString shortTime(const QDateTime &time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("MM-dd HH:mm"))
                          : QCoreApplication::translate("ServiceBudget", "无");
}
} // namespace

QString serviceDay(const QDateTime &time)
{
    return time.toUTC().addSecs(kChinaOffsetSeconds).date().toString(Qt::ISODate);
}

QDateTime nextServiceDay(const QDateTime &time)
{
    const QDate day = time.toUTC().addSecs(kChinaOffsetSeconds).date().addDays(1);
    return QDateTime(day, QTime(0, 0), Qt::UTC).addSecs(-kChinaOffsetSeconds);
}

int dailyQueries(TrackingService service)
{
    return service == TrackingService::Kdniao ? kKdniaoDailyQueries : 0;
}

bool saving(TrackingService service, int queriesToday)
{
    return service == TrackingService::Kdniao && queriesToday >= kKdniaoSavingFrom;
}

bool askedWhileSaving(const ParcelRecord &parcel, const QDateTime &now)
{
    if (parcel.status == kOutForDelivery || parcel.unseenNews)
        return true;
    const std::optional<QDateTime> newest = parseRowTime(parcel.newestTime);
    return newest && *newest >= now.addDays(-kRecentNewsDays);
}

QString savingText(TrackingService service)
{
    return QCoreApplication::translate(
               "ServiceBudget",
               "%1今天的查询已达%2次(每天限%3次),只查询%4天内有新动态或派件中的快递,明天恢复全部查询.")
        .arg(shownServiceName(service))
        .arg(kKdniaoSavingFrom)
        .arg(dailyQueries(service))
        .arg(kRecentNewsDays);
}

namespace {
// `shown`: in the interface's language; otherwise the Chinese text the command line's JSON carries.
QString hold(TrackingService service, const QDateTime &until, const QDateTime &now, bool shown)
{
    const QDateTime local = until.toLocalTime();
    const QString when = local.date() == now.toLocalTime().date()
        ? local.toString(QStringLiteral("HH:mm:ss"))
        : local.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    static const char *const text = QT_TRANSLATE_NOOP("ServiceBudget", "%1要求暂停查询,%2后继续查询.");
    return shown ? QCoreApplication::translate("ServiceBudget", text).arg(shownServiceName(service), when)
                 : QString::fromUtf8(text).arg(trackingServiceSourceName(service), when);
}
} // namespace

QString holdText(TrackingService service, const QDateTime &until, const QDateTime &now)
{
    return hold(service, until, now, false);
}

QString shownHoldText(TrackingService service, const QDateTime &until, const QDateTime &now)
{
    return hold(service, until, now, true);
}

QString useText(TrackingService service, const TrackingHistory::ServiceUse &use)
{
    const int limit = dailyQueries(service);
    QString text = limit > 0 ? QCoreApplication::translate("ServiceBudget", "%1: 今天已查询%2/%3次")
                                   .arg(shownServiceName(service))
                                   .arg(use.queriesToday)
                                   .arg(limit)
                             : QCoreApplication::translate("ServiceBudget", "%1: 今天已查询%2次")
                                   .arg(shownServiceName(service))
                                   .arg(use.queriesToday);
    text += QCoreApplication::translate("ServiceBudget", ",上次成功 ") + shortTime(use.lastSuccess);
    text += QCoreApplication::translate("ServiceBudget", ",上次失败 ") + shortTime(use.lastFailure);
    if (use.lastFailure.isValid() && !use.lastReason.isEmpty())
        text += QStringLiteral("(") + shownVerdict(use.lastReason) + QStringLiteral(")");
    return text;
}

QString failingText(TrackingService service, const QString &reason)
{
    return QCoreApplication::translate("ServiceBudget", "%1连续查询失败: %2")
        .arg(shownServiceName(service), shownVerdict(reason));
}
} // namespace ServiceBudget

ServiceRecords::ServiceRecords(TrackingClient &client, TrackingHistory &history, const Clock &clock,
                               QObject *parent)
    : QObject(parent)
    , m_client(client)
    , m_history(history)
    , m_clock(clock)
{
    // A query may end after these records (one of the window's, on its way out).
    client.setQueryObserver(
        [self = QPointer<ServiceRecords>(this)](TrackingService service, const HttpResult &result) {
            if (self)
                self->record(service, result);
        });
    const QString track17 = trackingServiceKey(TrackingService::Track17);
    client.setRegisteredNumbers(
        {[this, track17](const QString &number, const QString &com) {
             return m_history.registeredCarrier(track17, number, com);
         },
         [this, track17](const QString &number, const QString &com, std::optional<int> carrier) {
             if (!m_history.setRegistered(track17, number, com, carrier))
                 qCInfo(lcWatch) << "registration of" << number << "not kept:" << m_history.lastError();
         }});
}

ServiceRecords::~ServiceRecords()
{
    m_client.setQueryObserver({});
    m_client.setRegisteredNumbers({});
}

TrackingHistory::ServiceUse ServiceRecords::use() const
{
    return m_history.serviceUse(trackingServiceKey(m_client.service()),
                                ServiceBudget::serviceDay(m_clock.now()));
}

QString ServiceRecords::useText() const
{
    return ServiceBudget::useText(m_client.service(), use());
}

void ServiceRecords::record(TrackingService service, const HttpResult &result)
{
    const CheckOutcome outcome = readCheckAnswer(result);
    // A hold and a refused number say nothing against the service; the way and the account do.
    TrackingHistory::ServiceQuery kind = TrackingHistory::ServiceQuery::Answered;
    if (outcome.kind == CheckOutcome::Kind::Busy)
        kind = TrackingHistory::ServiceQuery::Held;
    else if (outcome.failure == CheckOutcome::Failure::Account
             || outcome.failure == CheckOutcome::Failure::Transfer)
        kind = TrackingHistory::ServiceQuery::Failed;
    const QDateTime now = m_clock.now();
    const QString key = trackingServiceKey(service);
    const QString day = ServiceBudget::serviceDay(now);
    if (!m_history.recordServiceQuery(key, day, kind, outcome.error, now))
        qCInfo(lcWatch) << "query of" << key << "not counted:" << m_history.lastError();
    const TrackingHistory::ServiceUse use = m_history.serviceUse(key, day);
    if (kind == TrackingHistory::ServiceQuery::Failed && use.failingSince.isValid() && !use.failureTold
        && use.failingSince.secsTo(now) >= ServiceBudget::kFailingToldAfterSeconds) {
        m_history.setServiceFailureTold(key);
        Q_EMIT failing(ServiceBudget::failingText(service, outcome.error));
    }
    Q_EMIT recorded();
}
