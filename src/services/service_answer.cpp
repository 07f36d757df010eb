#include "services/service_answer.h"

#include "core/delivery_status.h"
#include "platform/logging.h"

#include <QSet>
#include <algorithm>
#include <limits>

namespace {
const QString kTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
const QChar kWordJoiner(0x2060);

// A cell's text that cannot be taken for markup, a row break or an error word. The program looks
// for its error words anywhere in the answer: a carrier's event "收件人电话不存在" would otherwise
// turn a whole answer into "this number does not exist". An invisible word joiner after the first
// character keeps the text as the user reads it.
QString cellText(QString text)
{
    text.replace(QLatin1Char('<'), QChar(0xFF1C)).replace(QLatin1Char('>'), QChar(0xFF1E));
    for (QChar &c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    }
    text = text.trimmed();
    for (const QString &word : {ErrorWord::kNoInformation, ErrorWord::kNotExisting, ErrorWord::kFormat,
                                ErrorWord::kUnsupportedCarrier, ErrorWord::kAsksForInput}) {
        const QString broken = word.left(1) + kWordJoiner + word.mid(1);
        text.replace(word, broken);
    }
    return text;
}

struct StatusKey
{
    ServiceStatus status;
    const char *key;
};

const StatusKey kStatusKeys[] = {
    {ServiceStatus::InTransit, "in_transit"},
    {ServiceStatus::OutForDelivery, "out_for_delivery"},
    {ServiceStatus::AvailableForPickup, "available_for_pickup"},
    {ServiceStatus::DeliveryFailure, "delivery_failure"},
    {ServiceStatus::Exception, "exception"},
    {ServiceStatus::Delivered, "delivered"},
};
} // namespace

QString serviceStatusKey(ServiceStatus status)
{
    for (const StatusKey &row : kStatusKeys) {
        if (row.status == status)
            return QString::fromLatin1(row.key);
    }
    return {};
}

ServiceStatus serviceStatusFromKey(const QString &key)
{
    for (const StatusKey &row : kStatusKeys) {
        if (key == QLatin1String(row.key))
            return row.status;
    }
    return ServiceStatus::Unknown;
}

bool isProblemStatus(ServiceStatus status)
{
    return status == ServiceStatus::Exception || status == ServiceStatus::DeliveryFailure;
}

QString eventText(const QString &description, const QString &location)
{
    const QString place = location.trimmed();
    const QString text = description.trimmed();
    if (place.isEmpty() || text.contains(place))
        return text;
    return QStringLiteral("【") + place + QStringLiteral("】") + text;
}

QString designedAnswerText(QList<ServiceEvent> events, ServiceStatus status)
{
    struct Row
    {
        qint64 order;
        QString time, text;
    };
    std::vector<Row> rows;
    qint64 previous = std::numeric_limits<qint64>::min();
    for (const ServiceEvent &event : events) {
        const QString text = cellText(event.text);
        const QString time
            = cellText(event.when.isValid() ? event.when.toLocalTime().toString(kTimeFormat) : event.time);
        if (text.isEmpty() && time.isEmpty())
            continue;
        // A time the program reads (as the parser will) orders its row like any other.
        QDateTime when = event.when;
        if (!when.isValid()) {
            if (const std::optional<QDateTime> shown = parseRowTime(time))
                when = *shown;
        }
        if (when.isValid())
            previous = when.toMSecsSinceEpoch();
        rows.push_back({previous, time, text});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) { return a.order < b.order; });
    QSet<QString> seen;
    std::vector<Row> unique;
    for (Row &row : rows) {
        const QString key = row.time + QChar(0) + row.text;
        if (seen.contains(key))
            continue;
        seen.insert(key);
        unique.push_back(std::move(row));
    }
    if (unique.empty())
        return ErrorWord::kNoInformation;

    QString &newest = unique.back().text;
    if (status == ServiceStatus::Delivered && !saysSignedFor(newest))
        newest += kSignedForNote;
    else if (status == ServiceStatus::OutForDelivery && deliveryStatusOf(newest) != kOutForDelivery)
        newest += kOutForDeliveryNote;

    QString answer = QStringLiteral("<table>");
    for (const Row &row : unique)
        answer += QStringLiteral("<tr><td>") + row.time + QStringLiteral("</td><td>") + row.text
            + QStringLiteral("</td></tr>");
    return answer + QStringLiteral("</table>");
}

HttpResult serviceResult(const ServiceAnswer &answer)
{
    HttpResult result;
    result.errorText = answer.detail;
    if (answer.kind == ServiceAnswer::Kind::Failure || answer.kind == ServiceAnswer::Kind::Busy) {
        if (answer.blame == ServiceAnswer::Blame::Number)
            result.failureKind = kRefusedFailure;
        else if (answer.blame == ServiceAnswer::Blame::Account)
            result.failureKind = kAccountFailure;
    }
    if (answer.kind != ServiceAnswer::Kind::Rows && !answer.detail.isEmpty())
        qCInfo(lcServices) << answer.detail;
    switch (answer.kind) {
    case ServiceAnswer::Kind::Rows:
    case ServiceAnswer::Kind::ErrorWord:
        result.status = 200;
        result.text = answer.text;
        result.body = answer.text.toUtf8();
        result.contentType = QByteArrayLiteral("text/html; charset=utf-8");
        result.errorText.clear();
        if (answer.kind == ServiceAnswer::Kind::Rows) {
            result.serviceStatus = serviceStatusKey(answer.status);
            result.serviceStatusText = answer.statusText;
        }
        // "No information yet" from another carrier than the one asked about says as much.
        result.detectedCarrier = answer.detectedCarrier;
        return result;
    case ServiceAnswer::Kind::Busy:
        result.failure = HttpResult::Failure::HttpStatus;
        result.status = 429;
        result.retryAfter
            = QByteArray::number(answer.holdSeconds >= 0 ? answer.holdSeconds : kServiceBusyHoldSeconds);
        result.userText = answer.userText;
        return result;
    case ServiceAnswer::Kind::Failure:
        break;
    }
    result.failure = HttpResult::Failure::HttpStatus;
    result.status = 200;
    result.userText = answer.userText;
    return result;
}

HttpResult serviceTransportFailure(const HttpResult &failed, const QString &serviceName)
{
    HttpResult result = failed;
    if (failed.failure != HttpResult::Failure::HttpStatus)
        return result;
    const int status = failed.status;
    if (status == 401 || status == 403) {
        result.failureKind = kAccountFailure;
        result.userText
            = QStringLiteral("%1拒绝了查询:API密钥不正确或账号不可用,请在“查询服务”中检查!").arg(serviceName);
    } else if (status == 429 || status == 503) {
        result.userText = QStringLiteral("查询太频繁,%1暂停了查询,稍后再查..").arg(serviceName);
        if (result.retryAfter.trimmed().isEmpty())
            result.retryAfter = QByteArray::number(kServiceBusyHoldSeconds);
    } else if (status >= 500) {
        result.userText
            = QStringLiteral("%1服务暂时不可用(HTTP %2),请稍后再查!").arg(serviceName).arg(status);
    }
    return result;
}
