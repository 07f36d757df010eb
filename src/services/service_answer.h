#pragma once

#include "platform/http_exchange.h"

#include <QDateTime>
#include <QList>
#include <QString>

// What the service says of the parcel as a whole, beside its events. A problem parcel (快递鸟's
// 问题件, 17TRACK's Exception) or a failed delivery is never delivered, whatever its rows say.
enum class ServiceStatus {
    Unknown,
    InTransit,
    OutForDelivery,
    AvailableForPickup, // at a pickup point, a locker or a station
    DeliveryFailure,
    Exception,
    Delivered,
};

// The status as HttpResult::serviceStatus carries it: "in_transit", "exception", ...; empty for
// Unknown.
QString serviceStatusKey(ServiceStatus status);
ServiceStatus serviceStatusFromKey(const QString &key);
// A problem parcel: an exception or a failed delivery.
bool isProblemStatus(ServiceStatus status);

// What a public service's answer comes to, in the terms of the program's own protocol.
struct ServiceAnswer
{
    enum class Kind {
        Rows, // progress rows: `text` is the answer in the program's form
        ErrorWord, // `text` is one of the program's error words
        Failure, // the service refused or failed: `userText` says why
        Busy, // the service asks to be left alone for `holdSeconds`: `userText` says why
    };

    // Whose the failure or the hold is: the way (the network, a service out of order), this
    // number (the service refused it), or the account (its key, its quota, a phone number it wants).
    enum class Blame { Transfer, Number, Account };

    Kind kind = Kind::Failure;
    Blame blame = Blame::Transfer;
    QString text;
    QString userText; // for the status line and the overview, naming the cause
    QString detail; // the service's own code and words, for a log
    int holdSeconds = -1;
    int serviceCode = 0; // the service's error code, when it gave one
    // Rows: the service's status and its meaning for the user ("问题件：拒收（退件）"). Rows and
    // error words: the carrier the service found the number at when it is not the one asked about.
    ServiceStatus status = ServiceStatus::Unknown;
    QString statusText;
    QString detectedCarrier;

    static ServiceAnswer rows(const QString &text) { return make(Kind::Rows, text, {}, {}, -1); }
    static ServiceAnswer word(const QString &word, const QString &detail = {})
    {
        ServiceAnswer answer = make(Kind::ErrorWord, word, {}, detail, -1);
        answer.blame = Blame::Number;
        return answer;
    }
    static ServiceAnswer failure(const QString &userText, const QString &detail,
                                 Blame blame = Blame::Transfer)
    {
        ServiceAnswer answer = make(Kind::Failure, {}, userText, detail, -1);
        answer.blame = blame;
        return answer;
    }
    static ServiceAnswer busy(const QString &userText, const QString &detail, int holdSeconds,
                              Blame blame = Blame::Transfer)
    {
        ServiceAnswer answer = make(Kind::Busy, {}, userText, detail, holdSeconds);
        answer.blame = blame;
        return answer;
    }

private:
    static ServiceAnswer make(Kind kind, const QString &text, const QString &userText, const QString &detail,
                              int holdSeconds)
    {
        ServiceAnswer answer;
        answer.kind = kind;
        answer.text = text;
        answer.userText = userText;
        answer.detail = detail;
        answer.holdSeconds = holdSeconds;
        return answer;
    }
};

// The program's error words, as the query commands look for them.
namespace ErrorWord {
inline const QString kNoInformation = QStringLiteral("NULL");
inline const QString kNotExisting = QStringLiteral("不存在");
inline const QString kFormat = QStringLiteral("单号格式错误");
inline const QString kUnsupportedCarrier = QStringLiteral("不支持的快递公司");
inline const QString kAsksForInput = QStringLiteral("请输入");
} // namespace ErrorWord

// One event of a service's answer.
struct ServiceEvent
{
    QDateTime when; // invalid when the service's time could not be read
    QString time; // the time as the service wrote it, used when `when` is invalid
    QString text;
};

// The rows in the program's answer form ("<tr><td>time</td><td>progress</td></tr>" in a table):
// oldest first (an event whose time cannot be read stays after the one it followed), each
// (time, text) once, times as "yyyy-MM-dd HH:mm:ss" local time. A cell never holds markup or one
// of the error words (either would change what the program makes of the whole answer), and a
// newest row that does not say what the service's status says gets it added, so that the
// program's status rule reads the service's status: "（已签收）" for Delivered, "（派件中）" for
// OutForDelivery, nothing for the other states (a problem parcel is never told signed for). No
// events: the answer is "NULL".
QString designedAnswerText(QList<ServiceEvent> events, ServiceStatus status);

// The event text with its location in front as 【location】, unless the text names it already.
QString eventText(const QString &description, const QString &location);

// The answer as the result of an HTTP request, the way the program reads a tracking answer:
// rows and error words as an answer text (rows with the service's status, both with the carrier
// the service detected);
// a failure with `userText` and `errorText`; a busy service as HTTP 429 with its hold as
// Retry-After.
HttpResult serviceResult(const ServiceAnswer &answer);

// Seconds to hold a service that said only that it is busy.
constexpr int kServiceBusyHoldSeconds = 60;
// Seconds to hold a service whose quota is used up.
constexpr int kServiceQuotaHoldSeconds = 3600;

// HttpResult::failureKind of a failure or a hold that is not the transfer's: "refused" (this
// number), "account".
inline const QString kRefusedFailure = QStringLiteral("refused");
inline const QString kAccountFailure = QStringLiteral("account");

// A failed HTTP exchange with a service, in the user's words where the status says more than the
// transport failure does (401, 429, 503, 5xx); other failures pass as they are.
HttpResult serviceTransportFailure(const HttpResult &result, const QString &serviceName);
