#pragma once

#include "core/parcel_types.h"
#include "core/query_answer.h"
#include "platform/http_exchange.h"

#include <QDateTime>
#include <QList>
#include <QString>

// What one query of a saved parcel came to, read the way the window reads a saved parcel's answer.
struct CheckOutcome
{
    enum class Kind {
        Answered, // progress rows
        Refused, // no answer, an error word, or an answer without rows: the parcel's failure
        Busy, // the service asked to be left alone for a while (HTTP 429 or 503)
    };

    // Whose a failure or a hold is: the number's (the service refused it, or has nothing on it),
    // the account's (its key, its quota, a phone number it wants), or the transfer's (no
    // connection, no answer, a service out of order).
    enum class Failure { None, Number, Account, Transfer };

    Kind kind = Kind::Refused;
    Failure failure = Failure::None;
    QList<HistoryRow> rows; // oldest first
    QString status; // 已签收, 派件中 or 运送中
    QString error; // for the user, in the window's words
    int retryAfterSeconds = -1; // Busy: what the service asked for; -1 when it did not say
    // Refused because the service has no information of the number yet: not the parcel's failure.
    bool noInformation = false;
};

CheckOutcome readCheckAnswer(const HttpResult &result);
// Whose the failure of a result without an answer text is (never None).
CheckOutcome::Failure failureOf(const HttpResult &result);

// The status an answer gives the parcel: the service's own where it says the parcel is not
// delivered (问题件 with its reason, 待取件, 派送失败; in transit is never 已签收), else
// `textStatus`, what the newest row says.
QString answerStatus(const HttpResult &result, const QString &textStatus);
// The newest row's text as the carrier wrote it: without the note the service's adapter added
// for the window's status rule, so that the same event is the same row in every answer.
QString carrierText(const QString &progress, const HttpResult &result);

// Seconds from a Retry-After header (a number of seconds or an HTTP date); -1 when there is none
// or it cannot be read.
int retryAfterSeconds(const QByteArray &header, const QDateTime &now);
