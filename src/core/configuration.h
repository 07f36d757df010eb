#pragma once

#include "core/endpoints.h"

#include <QObject>
#include <functional>

// The program's one copy of the endpoints: the windows, the tracking client and the notice mail
// read it; the settings dialogs change it, and everything that keeps something derived from it
// (a key read from the secret store, what was registered with a service) follows changed().
class Configuration : public QObject
{
    Q_OBJECT

public:
    explicit Configuration(const Endpoints &endpoints = Endpoints::defaults(), QObject *parent = nullptr)
        : QObject(parent)
        , m_endpoints(endpoints)
    { }

    const Endpoints &endpoints() const { return m_endpoints; }
    void set(const Endpoints &endpoints);
    // Changes some values in place, then tells the followers once.
    void edit(const std::function<void(Endpoints &)> &change);

Q_SIGNALS:
    void changed();

private:
    Endpoints m_endpoints;
};
