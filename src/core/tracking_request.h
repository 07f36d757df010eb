#pragma once

#include <QString>

// The tracking request: base URL, "?com=", code, "&nu=", number, "&id=", key, "&type=html".
// The number is sent as one query value: characters that would add or cut request keys are
// percent-encoded, everything else stays as typed.
QString trackingRequestUrl(const QString &baseUrl, const QString &comCode, const QString &number,
                           const QString &key);

// Percent-encodes what cannot stand in a query value unchanged: controls, space, '"', '#', '%',
// '&', '+', '=', '<', '>', and every non-ASCII character (as UTF-8).
QString encodeQueryValue(const QString &value);
