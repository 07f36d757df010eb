#pragma once

#include <QEventLoop>

// The designed blocking wait: a nested event loop that keeps painting and timers running but
// holds user input, until what it waits for calls done(), or at most `boundMs`. Answers meant
// for the wait take receiver() as their context, so that one coming after a wait that gave up
// reaches nobody.
class NestedWait
{
public:
    explicit NestedWait(int boundMs)
        : m_boundMs(boundMs)
    { }
    NestedWait(const NestedWait &) = delete;
    NestedWait &operator=(const NestedWait &) = delete;

    QObject *receiver() { return &m_loop; }
    void done();
    // Waits unless done() came already; true when it came within the bound.
    bool wait();

private:
    QEventLoop m_loop;
    int m_boundMs;
    bool m_done = false;
};
