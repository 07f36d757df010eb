#pragma once

#include "platform/http_exchange.h"

#include <QDateTime>
#include <QList>
#include <QString>

// What a public service's answer comes to, in the terms of the program's own protocol.
struct ServiceAnswer
{
    enum class Kind {
        Rows, // progress rows: `text` is the answer in the program's form
        ErrorWord, // `text` is one of the program's error words
        Failure, // the service refused or failed: `userText` says why
        Busy, // the service asks to be left alone for `holdSeconds`: `userText` says why
    };

    Kind kind = Kind::Failure;
    QString text;
    QString userText; // for the status line and the overview, naming the cause
    QString detail; // the service's own code and words, for a log
    int holdSeconds = -1;
    int serviceCode = 0; // the service's error code, when it gave one

    static ServiceAnswer rows(const QString &text) { return {Kind::Rows, text, {}, {}, -1, 0}; }
    static ServiceAnswer word(const QString &word, const QString &detail = {})
    {
        return {Kind::ErrorWord, word, {}, detail, -1, 0};
    }
    static ServiceAnswer failure(const QString &userText, const QString &detail)
    {
        return {Kind::Failure, {}, userText, detail, -1, 0};
    }
    static ServiceAnswer busy(const QString &userText, const QString &detail, int holdSeconds)
    {
        return {Kind::Busy, {}, userText, detail, holdSeconds, 0};
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

// What the service says of the parcel as a whole, beside its events.
enum class ServiceStatus { Unknown, OutForDelivery, Delivered };

// The rows in the program's answer form ("<tr><td>time</td><td>progress</td></tr>" in a table):
// oldest first (an event whose time cannot be read stays after the one it followed), each
// (time, text) once, times as "yyyy-MM-dd HH:mm:ss" local time. A cell never holds markup or one
// of the error words (either would change what the program makes of the whole answer), and a
// newest row that does not say what the service's status says gets it added, so that the
// program's status rule reads the service's status. No events: the answer is "NULL".
QString designedAnswerText(QList<ServiceEvent> events, ServiceStatus status);

// The event text with its location in front as 【location】, unless the text names it already.
QString eventText(const QString &description, const QString &location);

// The answer as the result of an HTTP request, the way the program reads a tracking answer:
// rows and error words as an answer text; a failure with `userText` and `errorText`; a busy
// service as HTTP 429 with its hold as Retry-After.
HttpResult serviceResult(const ServiceAnswer &answer);

// Seconds to hold a service that said only that it is busy.
constexpr int kServiceBusyHoldSeconds = 60;
// Seconds to hold a service whose quota is used up.
constexpr int kServiceQuotaHoldSeconds = 3600;

// A failed HTTP exchange with a service, in the user's words where the status says more than the
// transport failure does (401, 429, 503, 5xx); other failures pass as they are.
HttpResult serviceTransportFailure(const HttpResult &result, const QString &serviceName);
