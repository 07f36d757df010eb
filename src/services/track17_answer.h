#pragma once

#include "services/service_answer.h"

#include <QByteArray>
#include <QString>
#include <optional>

// 17TRACK's tracking API v2.2: JSON POSTs with the key in the `17token` header; a number is
// registered once (`register`) and then read (`gettrackinfo`). Every answer is
// {"code": 0, "data": {"accepted": [...], "rejected": [{"number", "error": {"code", "message"}}]}}.

inline const QString kTrack17RegisterPath = QStringLiteral("track/v2.2/register");
inline const QString kTrack17TrackInfoPath = QStringLiteral("track/v2.2/gettrackinfo");

// Its documented limits: requests per second per key, numbers per request.
constexpr int kTrack17RequestsPerSecond = 3;
constexpr int kTrack17NumbersPerRequest = 40;

// Its error codes that the adapter acts on.
namespace Track17Code {
constexpr int kAlreadyRegistered = -18019901;
constexpr int kNotRegistered = -18019902;
} // namespace Track17Code

// [{"number": .., "carrier": .., "param": ..}], the param (the phone digits some carriers ask
// for) only when there is one.
QByteArray track17RegisterBody(const QString &number, int carrierKey, const QString &param);
// [{"number": .., "carrier": ..}]
QByteArray track17TrackInfoBody(const QString &number, int carrierKey);

// The answer to `register` for the number: nothing when it is registered now or was before,
// else what stops the query.
std::optional<ServiceAnswer> readTrack17Register(const QByteArray &body, const QString &number);
// The answer to `gettrackinfo` for the number: its events from every provider (time, description,
// location) and `latest_status`, or the error the service gave.
ServiceAnswer readTrack17TrackInfo(const QByteArray &body, const QString &number);

// A 17TRACK error code (and its message) in the program's terms.
ServiceAnswer track17Error(int code, const QString &message);
