#include "platform/nested_wait.h"

#include <QTimer>

void NestedWait::done()
{
    m_done = true;
    m_loop.quit();
}

bool NestedWait::wait()
{
    if (!m_done) {
        QTimer bound;
        bound.setSingleShot(true);
        QObject::connect(&bound, &QTimer::timeout, &m_loop, &QEventLoop::quit);
        bound.start(m_boundMs);
        m_loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return m_done;
}
