#pragma once

#include "services/service_answer.h"

#include <QByteArray>
#include <QString>
#include <optional>

// 17TRACK's tracking API v2.2: JSON POSTs with the key in the `17token` header; a number is
// registered once (`register`, which finds the carrier itself when none is given) and then read
// (`gettrackinfo`). Every answer is
// {"code": 0, "data": {"accepted": [...], "rejected": [{"number", "error": {"code", "message"}}]}};
// an error of the whole request (a wrong key) is {"code": c, "data": {"errors": [{"code", "message"}]}}.

inline const QString kTrack17RegisterPath = QStringLiteral("track/v2.2/register");
inline const QString kTrack17TrackInfoPath = QStringLiteral("track/v2.2/gettrackinfo");
inline const QString kTrack17QuotaPath = QStringLiteral("track/v2.2/getquota");

// Its documented limits: requests per second per key, numbers per request.
constexpr int kTrack17RequestsPerSecond = 3;
constexpr int kTrack17NumbersPerRequest = 40;

// Its error codes that the adapter acts on.
namespace Track17Code {
constexpr int kAlreadyRegistered = -18019901;
constexpr int kNotRegistered = -18019902;
constexpr int kCarrierNotDetected = -18019903;
} // namespace Track17Code

// [{"number": .., "carrier": .., "param": ..}]: the carrier only when its key is known (0: 17TRACK
// detects it), the param (the phone digits some carriers ask for) only when there is one.
QByteArray track17RegisterBody(const QString &number, int carrierKey, const QString &param);
// [{"number": .., "carrier": ..}], the carrier only when known.
QByteArray track17TrackInfoBody(const QString &number, int carrierKey);

// The answer to `register` for the number: nothing when it is registered now or was before,
// else what stops the query. `carrier` gets the key 17TRACK registered it under (0 when the
// answer gives none, as for a number registered before).
std::optional<ServiceAnswer> readTrack17Register(const QByteArray &body, const QString &number,
                                                 int *carrier = nullptr);
// The answer to `gettrackinfo` for the number: its events from every provider (time, description,
// location) and `latest_status` as the answer's status, or the error the service gave. `carrier`
// gets the key of the carrier the answer is about (0 when none).
ServiceAnswer readTrack17TrackInfo(const QByteArray &body, const QString &number, int *carrier = nullptr);

// What `getquota` says of the account's quota: one is used by each number registered anew.
struct Track17Quota
{
    bool ok = false;
    int total = 0;
    int used = 0;
    int remain = 0;
    QString userText; // not ok: why, in the user's words
};
Track17Quota readTrack17Quota(const QByteArray &body);

// A 17TRACK error code (and its message) in the program's terms.
ServiceAnswer track17Error(int code, const QString &message);
