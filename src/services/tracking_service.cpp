#include "services/tracking_service.h"

#include <QCoreApplication>

QString trackingServiceKey(TrackingService service)
{
    switch (service) {
    case TrackingService::Kdniao:
        return QStringLiteral("kdniao");
    case TrackingService::Track17:
        return QStringLiteral("17track");
    case TrackingService::Designed:
        break;
    }
    return QStringLiteral("designed");
}

TrackingService trackingServiceFromKey(const QString &key)
{
    const QString word = key.trimmed().toLower();
    for (TrackingService service : {TrackingService::Kdniao, TrackingService::Track17}) {
        if (word == trackingServiceKey(service))
            return service;
    }
    return TrackingService::Designed;
}

QString trackingServiceName(TrackingService service)
{
    switch (service) {
    case TrackingService::Kdniao:
        return QCoreApplication::translate("TrackingService", "快递鸟");
    case TrackingService::Track17:
        return QStringLiteral("17TRACK");
    case TrackingService::Designed:
        break;
    }
    return QCoreApplication::translate("TrackingService", "原有接口");
}

QString trackingServiceSourceName(TrackingService service)
{
    switch (service) {
    case TrackingService::Kdniao:
        return QStringLiteral("快递鸟");
    case TrackingService::Track17:
        return QStringLiteral("17TRACK");
    case TrackingService::Designed:
        break;
    }
    return QStringLiteral("原有接口");
}

QString trackingServiceDefaultUrl(TrackingService service)
{
    switch (service) {
    case TrackingService::Kdniao:
        return QStringLiteral("https://api.kdniao.com/");
    case TrackingService::Track17:
        return QStringLiteral("https://api.17track.net/");
    case TrackingService::Designed:
        break;
    }
    return {};
}

QString trackingSecretKey(TrackingService service, const QString &businessId)
{
    switch (service) {
    case TrackingService::Kdniao:
        return QStringLiteral("tracking:kdniao:") + businessId.trimmed();
    case TrackingService::Track17:
        return QStringLiteral("tracking:17track");
    case TrackingService::Designed:
        break;
    }
    return {};
}

void settleTrackingService(Endpoints &endpoints)
{
    const TrackingService service = trackingServiceFromKey(endpoints.trackingService);
    endpoints.trackingService = trackingServiceKey(service);
    // The designed service's default is the sandbox's, already in the endpoints.
    if (!endpoints.trackingUrlGiven && service != TrackingService::Designed)
        endpoints.trackingUrl = trackingServiceDefaultUrl(service);
}

Endpoints loadServiceEndpoints(const QString &iniPath)
{
    Endpoints endpoints = Endpoints::load(iniPath);
    settleTrackingService(endpoints);
    return endpoints;
}
