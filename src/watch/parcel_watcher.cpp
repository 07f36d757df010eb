#include "watch/parcel_watcher.h"

#include "core/delivery_status.h"
#include "core/tracking_check.h"
#include "platform/clock.h"
#include "platform/logging.h"
#include "services/tracking_client.h"
#include "watch/parcel_groups.h"
#include "watch/service_records.h"

#include <QCryptographicHash>
#include <QTimer>
#include <algorithm>

namespace WatchPlan {
int clampInterval(int minutes)
{
    return std::clamp(minutes, kMinIntervalMinutes, kMaxBackoffMinutes);
}

int backoffMinutes(int intervalMinutes, int failures)
{
    qint64 minutes = clampInterval(intervalMinutes);
    for (int i = 0; i < failures && minutes < kMaxBackoffMinutes; ++i)
        minutes *= 2;
    return int(std::min<qint64>(minutes, kMaxBackoffMinutes));
}

int noInformationMinutes(int intervalMinutes, qint64 secondsWaiting)
{
    const int minutes = clampInterval(intervalMinutes);
    return secondsWaiting >= qint64(kSlowAfterNoInformationDays) * 86400 ? minutes * 2 : minutes;
}

QDateTime nextAfterAnswer(const ParcelKey &key, const QDateTime &now, int intervalMinutes)
{
    const qint64 period = qint64(clampInterval(intervalMinutes)) * 60 * 1000;
    const QByteArray digest = QCryptographicHash::hash((key.number + QLatin1Char('|') + key.com).toUtf8(),
                                                       QCryptographicHash::Sha1);
    quint64 hash = 0;
    for (int i = 0; i < 8; ++i)
        hash = (hash << 8) | quint8(digest.at(i));
    const qint64 slot = qint64(hash % quint64(period));
    // The first moment at least half an interval on that falls on the parcel's slot.
    const qint64 earliest = now.toMSecsSinceEpoch() + period / 2;
    qint64 next = earliest - (earliest % period) + slot;
    if (next < earliest)
        next += period;
    return QDateTime::fromMSecsSinceEpoch(next);
}
} // namespace WatchPlan

ParcelWatcher::ParcelWatcher(TrackingHistory &history, TrackingClient &client, const Clock &clock,
                             QObject *parent)
    : QObject(parent)
    , m_history(history)
    , m_client(client)
    , m_clock(clock)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &ParcelWatcher::checkDue);
    m_timer->start();
}

ParcelWatcher::~ParcelWatcher()
{
    // The queries go with this object; their results are of no use any more.
    m_inFlight.clear();
}

void ParcelWatcher::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    if (enabled) {
        replan();
        QTimer::singleShot(0, this, &ParcelWatcher::checkDue);
    }
}

void ParcelWatcher::setIntervalMinutes(int minutes)
{
    const int clamped = WatchPlan::clampInterval(minutes);
    if (clamped == m_intervalMinutes)
        return;
    m_intervalMinutes = clamped;
    replan();
}

void ParcelWatcher::replan()
{
    QList<QPair<ParcelKey, QDateTime>> plans;
    for (const ParcelRecord &parcel : m_history.activeParcels()) {
        // Never asked: due at once anyway; waiting in the queue or for a held service: as it is.
        if (parcel.status == kSignedFor || !parcel.lastChecked.isValid() || queued(parcel.key)
            || (m_holdUntil.isValid() && parcel.nextCheck == m_holdUntil))
            continue;
        const QDateTime next = parcel.failures > 0
            ? parcel.lastChecked.addSecs(60LL * WatchPlan::backoffMinutes(m_intervalMinutes, parcel.failures))
            : WatchPlan::nextAfterAnswer(parcel.key, parcel.lastChecked, m_intervalMinutes);
        if (next != parcel.nextCheck)
            plans.append({parcel.key, next});
    }
    if (!plans.isEmpty() && !m_history.setNextChecks(plans))
        qCInfo(lcWatch) << "next checks not planned:" << m_history.lastError();
}

bool ParcelWatcher::queued(const ParcelKey &key) const
{
    for (const Pending &pending : m_queue) {
        if (pending.key == key)
            return true;
    }
    for (const Pending &pending : m_inFlight) {
        if (pending.key == key)
            return true;
    }
    return false;
}

void ParcelWatcher::enqueue(const ParcelKey &key, bool forRefresh, bool front)
{
    const Pending pending {key, forRefresh};
    if (front)
        m_queue.prepend(pending);
    else
        m_queue.append(pending);
}

void ParcelWatcher::checkDue()
{
    const QDateTime now = m_clock.now();
    if (m_enabled && !(m_holdUntil.isValid() && now < m_holdUntil)) {
        // Past the budget, the rest of the service's day goes to the parcels that move; the
        // others stay due and are asked about on its next day.
        const TrackingService service = m_client.service();
        const bool saving = ServiceBudget::saving(
            service,
            m_history.serviceUse(trackingServiceKey(service), ServiceBudget::serviceDay(now)).queriesToday);
        if (saving != m_saving) {
            m_saving = saving;
            qCInfo(lcWatch) << (saving ? "saving queries for the rest of the day" : "budget renewed");
            Q_EMIT savingChanged(saving);
        }
        // A parcel due within the last two ticks is simply due; one due long ago was missed while
        // the program was closed or the machine slept, and waits its turn in the catch-up.
        const QDateTime late = now.addMSecs(-2 * kTickMs);
        QList<ParcelKey> missed;
        for (const ParcelRecord &parcel : m_history.activeParcels()) {
            if (parcel.status == kSignedFor || queued(parcel.key) || isArchived(parcel, m_archiveDays, now)
                || (saving && !ServiceBudget::askedWhileSaving(parcel, now)))
                continue;
            QDateTime next = parcel.nextCheck;
            if (!next.isValid() && parcel.lastChecked.isValid())
                next = parcel.lastChecked.addSecs(
                    60LL * WatchPlan::backoffMinutes(m_intervalMinutes, parcel.failures));
            if (!next.isValid() || next < late)
                missed.append(parcel.key);
            else if (next <= now)
                enqueue(parcel.key, false);
        }
        if (missed.size() <= kMaxInFlight) {
            for (const ParcelKey &key : std::as_const(missed))
                enqueue(key, false);
        } else {
            const qint64 step = qint64(WatchPlan::kCatchUpSeconds) * 1000 / missed.size();
            enqueue(missed.first(), false);
            for (int i = 1; i < missed.size(); ++i)
                m_history.setNextCheck(missed.at(i), now.addMSecs(step * i));
        }
    }
    pump();
}

void ParcelWatcher::refreshAll()
{
    if (refreshing())
        return;
    const QDateTime now = m_clock.now();
    QList<ParcelRecord> parcels = m_history.listedParcels();
    parcels.removeIf([&](const ParcelRecord &parcel) { return isArchived(parcel, m_archiveDays, now); });
    if (parcels.isEmpty()) {
        Q_EMIT refreshProgress(0, 0);
        Q_EMIT refreshFinished();
        return;
    }
    m_refreshDone = 0;
    m_refreshTotal = int(parcels.size());
    for (const ParcelRecord &parcel : parcels) {
        bool found = false;
        for (Pending &pending : m_queue) {
            if (pending.key == parcel.key)
                found = pending.forRefresh = true;
        }
        for (Pending &pending : m_inFlight) {
            if (pending.key == parcel.key)
                found = pending.forRefresh = true;
        }
        if (!found)
            enqueue(parcel.key, true);
    }
    Q_EMIT refreshProgress(0, m_refreshTotal);
    pump();
}

void ParcelWatcher::stop()
{
    m_queue.clear();
    const QList<TrackingQuery *> queries = m_inFlight.keys();
    m_inFlight.clear();
    for (TrackingQuery *query : queries)
        delete query;
    if (refreshing()) {
        m_refreshTotal = 0;
        m_refreshDone = 0;
        Q_EMIT refreshFinished();
    }
}

void ParcelWatcher::pump()
{
    const QDateTime now = m_clock.now();
    if (m_holdUntil.isValid()) {
        if (now < m_holdUntil)
            return;
        m_holdUntil = QDateTime();
        Q_EMIT holdChanged(m_holdUntil);
    }
    while (m_inFlight.size() < kMaxInFlight && !m_queue.isEmpty()) {
        const Pending pending = m_queue.takeFirst();
        if (pending.key.com.isEmpty()) {
            // A carrier name the catalogue does not know: nothing to ask.
            CheckOutcome outcome;
            outcome.error = verdictMessage(AnswerVerdict::UnsupportedCarrier);
            apply(pending, outcome);
            continue;
        }
        TrackingQuery *query = m_client.start(pending.key.com, pending.key.number, this);
        m_inFlight.insert(query, pending);
        connect(query, &TrackingQuery::finished, this, [this, query] {
            const auto found = m_inFlight.constFind(query);
            if (found == m_inFlight.constEnd())
                return;
            const Pending pending = found.value();
            m_inFlight.erase(found);
            query->deleteLater();
            finished(query, pending);
        });
    }
}

void ParcelWatcher::finished(TrackingQuery *query, const Pending &pending)
{
    apply(pending, readCheckAnswer(query->result()));
    if (m_holdUntil.isValid())
        QTimer::singleShot(std::max<qint64>(0, m_clock.now().msecsTo(m_holdUntil)), this,
                           &ParcelWatcher::pump);
    pump();
}

void ParcelWatcher::apply(const Pending &pending, const CheckOutcome &outcome)
{
    const QDateTime now = m_clock.now();
    const ParcelKey &key = pending.key;
    switch (outcome.kind) {
    case CheckOutcome::Kind::Answered: {
        const TrackingHistory::AnswerOutcome stored
            = m_history.recordAnswer(key, outcome.rows, outcome.status, now, m_client.serviceKey());
        // An answer the database could not take (another program held it too long) is asked for
        // again soon rather than lost until the next interval.
        m_history.setNextCheck(key,
                               stored.stored ? WatchPlan::nextAfterAnswer(key, now, m_intervalMinutes)
                                             : now.addSecs(kStoreRetrySeconds));
        if (!stored.stored)
            qCInfo(lcWatch) << "answer for" << key.number
                            << "not stored, asked again in a minute:" << m_history.lastError();
        Q_EMIT parcelChecked(key);
        if (stored.news) {
            if (const std::optional<ParcelRecord> parcel = m_history.parcel(key))
                Q_EMIT news(*parcel);
        }
        break;
    }
    case CheckOutcome::Kind::Refused: {
        if (outcome.noInformation) {
            // Not yet known to the service: asked again as any other parcel is.
            m_history.recordNoInformation(key, outcome.error, now);
            m_history.setNextCheck(key, nextCheckWithoutInformation(key, now));
            Q_EMIT parcelChecked(key);
            break;
        }
        m_history.recordFailure(key, outcome.error, now);
        const std::optional<ParcelRecord> parcel = m_history.parcel(key);
        const int failures = parcel ? parcel->failures : 1;
        m_history.setNextCheck(key,
                               now.addSecs(60LL * WatchPlan::backoffMinutes(m_intervalMinutes, failures)));
        qCInfo(lcWatch) << "query of" << key.number << "failed:" << outcome.error;
        Q_EMIT parcelChecked(key);
        break;
    }
    case CheckOutcome::Kind::Busy: {
        // The whole service waits. The hold is the service's, not the parcel's: it keeps what it
        // had (no failure, no error of its own) and its place at the front of the queue.
        const int seconds = outcome.retryAfterSeconds >= 0 ? outcome.retryAfterSeconds
                                                           : WatchPlan::kDefaultHoldMinutes * 60;
        const QDateTime until = now.addSecs(seconds);
        if (!m_holdUntil.isValid() || until > m_holdUntil)
            m_holdUntil = until;
        m_history.setNextCheck(key, m_holdUntil);
        qCInfo(lcWatch) << "service busy, holding until" << m_holdUntil << ":" << outcome.error;
        Q_EMIT holdChanged(m_holdUntil);
        Q_EMIT queryEnded(key, outcome);
        Q_EMIT parcelChecked(key);
        if (m_waitsOutHolds) {
            enqueue(key, pending.forRefresh, true);
            return;
        }
        // Not waited for: this parcel and those still queued are not queried now.
        QList<Pending> held {pending};
        held += m_queue;
        m_queue.clear();
        for (const Pending &parcel : std::as_const(held)) {
            m_history.setNextCheck(parcel.key, m_holdUntil);
            if (parcel.key != key)
                Q_EMIT queryEnded(parcel.key, outcome);
        }
        for (const Pending &parcel : std::as_const(held))
            countRefresh(parcel);
        return;
    }
    }
    Q_EMIT queryEnded(key, outcome);
    countRefresh(pending);
}

void ParcelWatcher::countRefresh(const Pending &pending)
{
    if (!pending.forRefresh || !refreshing())
        return;
    ++m_refreshDone;
    Q_EMIT refreshProgress(m_refreshDone, m_refreshTotal);
    if (m_refreshDone >= m_refreshTotal) {
        m_refreshTotal = 0;
        m_refreshDone = 0;
        Q_EMIT refreshFinished();
    }
}

QDateTime ParcelWatcher::nextCheckWithoutInformation(const ParcelKey &key, const QDateTime &now) const
{
    const QDateTime since = m_history.noInformationSince(key);
    const qint64 waiting = since.isValid() ? since.secsTo(now) : 0;
    return WatchPlan::nextAfterAnswer(key, now, WatchPlan::noInformationMinutes(m_intervalMinutes, waiting));
}
