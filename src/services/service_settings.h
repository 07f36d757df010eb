#pragma once

#include "core/endpoints.h"
#include "services/tracking_service.h"

#include <QString>

// The tracking service as the dialog "查询服务" edits it: [tracking] of endpoints.ini, and the
// service's key, which goes to the secret store.
struct TrackingServiceSettings
{
    TrackingService service = TrackingService::Designed;
    QString url; // base address
    QString businessId; // 快递鸟's 用户ID
    QString secret; // 快递鸟's API key or 17TRACK's token; unused by the designed service

    QString secretKey() const { return trackingSecretKey(service, businessId); }
};

// The endpoints' settings, with the key endpoints.ini holds (if any) for the service.
TrackingServiceSettings trackingServiceSettings(const Endpoints &endpoints);
// What stops a save or a test; empty when nothing does.
QString trackingServiceSettingsProblem(const TrackingServiceSettings &settings);
// The endpoints with these settings; the key goes in only when `keyInFile`, else the endpoints'
// key for the service is emptied (the store holds it).
void applyTrackingServiceSettings(Endpoints &endpoints, const TrackingServiceSettings &settings,
                                  bool keyInFile);

// Writes [tracking] of endpoints.ini (other keys, sections and comments kept), owner-only. False
// with the reason in `error` when the file could not be read or written; it then stays as it was.
bool saveTrackingServiceSettings(const QString &iniPath, const TrackingServiceSettings &settings, SecretInFile key,
                                 QString *error);

// Four digits, or nothing: the phone digits some carriers want.
bool isPhoneDigits(const QString &text);

// How to get an account and a key, what the service covers: the dialog's note.
QString trackingServiceNote(TrackingService service);
