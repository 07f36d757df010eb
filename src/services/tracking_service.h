#pragma once

#include "core/endpoints.h"

#include <QString>

// The tracking services Parcelvue can ask. `Designed` is the program's own protocol (one GET,
// answered by an HTML table or an error word); the others are public services whose answers the
// adapters turn into that same form.
enum class TrackingService { Designed, Kdniao, Track17 };

// "designed", "kdniao", "17track": the values of `service` in [tracking] of endpoints.ini.
QString trackingServiceKey(TrackingService service);
// Anything unknown is the designed service, the default.
TrackingService trackingServiceFromKey(const QString &key);
// The name the user sees: 原有接口, 快递鸟, 17TRACK.
QString trackingServiceName(TrackingService service);
// The same name as the source texts have it (Chinese), for what files and the command line's JSON
// carry whatever the interface's language.
QString trackingServiceSourceName(TrackingService service);
// The service's own base address, where the adapter appends its paths; empty for the designed
// service, whose address is configuration.
QString trackingServiceDefaultUrl(TrackingService service);

// The key the service's secret is kept under in the secret store: "tracking:kdniao:<business id>"
// for the app key, "tracking:17track" for the token; empty for the designed service.
QString trackingSecretKey(TrackingService service, const QString &businessId);

// The endpoints of endpoints.ini as the program uses them: the service's key in its one form
// (anything unknown is the designed service) and, unless the file names an address, the chosen
// service's own.
Endpoints loadServiceEndpoints(const QString &iniPath);
void settleTrackingService(Endpoints &endpoints);
