#include "watch/history_check.h"

#include "platform/clock.h"
#include "platform/logging.h"
#include "watch/tracking_history.h"

#include <QThread>

HistoryCheck::HistoryCheck(TrackingHistory &history, const Clock &clock, QObject *parent)
    : QObject(parent)
    , m_history(history)
    , m_clock(clock)
{ }

HistoryCheck::~HistoryCheck()
{
    // The check only reads; it ends within one read of the file.
    if (m_thread)
        m_thread->wait();
}

void HistoryCheck::start()
{
    if (m_thread || !m_history.checkPending())
        return;
    auto found = std::make_shared<QString>();
    const QString file = m_history.path();
    m_thread.reset(QThread::create([found, file] { *found = TrackingHistory::checkFile(file); }));
    m_thread->setObjectName(QStringLiteral("parcelvue-history-check"));
    connect(m_thread.get(), &QThread::finished, this, [this, found] {
        m_thread->wait();
        m_thread.reset();
        if (*found != QLatin1String("ok"))
            qCInfo(lcWatch) << "history check found:" << *found;
        if (m_history.recoverDamaged(*found, m_clock.now()))
            Q_EMIT recovered();
        Q_EMIT finished();
    });
    m_thread->start(QThread::LowPriority);
}
