#pragma once

#include <QObject>
#include <memory>

class Clock;
class QThread;
class TrackingHistory;

// The damage check of a history too large to be checked while the program starts: it reads the
// whole file on a thread of its own, and a damaged file is then moved aside and a new one started,
// as at the open.
class HistoryCheck : public QObject
{
    Q_OBJECT

public:
    HistoryCheck(TrackingHistory &history, const Clock &clock, QObject *parent = nullptr);
    ~HistoryCheck() override;

    // Does nothing when the open checked the file already.
    void start();

Q_SIGNALS:
    // The file was damaged; the history is a new one now and its problem() tells the user.
    void recovered();
    void finished();

private:
    TrackingHistory &m_history;
    const Clock &m_clock;
    std::unique_ptr<QThread> m_thread;
};
