#pragma once

#include "platform/endpoints.h"
#include "platform/http_exchange.h"

#include <QObject>
#include <QString>

class HttpGet;

// One query of the tracking service for one parcel, under way. Its result carries the answer in
// the form the program reads (the service's HTML table or one of its error words) in `text`.
class TrackingQuery : public QObject
{
    Q_OBJECT

public:
    explicit TrackingQuery(QObject *parent = nullptr)
        : QObject(parent)
    { }
    virtual void abort() = 0;
    bool isFinished() const { return m_finished; }
    const HttpResult &result() const { return m_result; }

Q_SIGNALS:
    void finished(const HttpResult &result);

protected:
    // Emits finished() once, from the event loop.
    void finish(const HttpResult &result);

private:
    bool m_finished = false;
    HttpResult m_result;
};

// Starts queries of the configured tracking service without waiting for them.
class TrackingClient
{
public:
    TrackingClient(HttpGet &http, const Endpoints &endpoints);
    virtual ~TrackingClient() = default;

    TrackingQuery *start(const QString &comCode, const QString &number, QObject *parent);
    int timeoutMs() const { return m_endpoints.trackingTimeoutSeconds * 1000; }

private:
    HttpGet &m_http;
    Endpoints m_endpoints;
};
