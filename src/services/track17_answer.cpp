#include "services/track17_answer.h"

#include "core/delivery_status.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace {
QString detailOf(int code, const QString &message)
{
    return QStringLiteral("17TRACK %1: %2").arg(code).arg(message);
}

// The answer's envelope, or the failure that it is not one.
std::optional<QJsonObject> envelope(const QByteArray &body, ServiceAnswer *failure)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        *failure = ServiceAnswer::failure(QStringLiteral("17TRACK返回了无法识别的内容,请稍后再查!"),
                                          QStringLiteral("17TRACK: not a JSON object: ")
                                              + QString::fromUtf8(body.left(200)));
        return std::nullopt;
    }
    const QJsonObject answer = document.object();
    const int code = answer.value(QStringLiteral("code")).toInt(0);
    if (code != 0) {
        // The envelope's own error: the key, the account or the request as a whole.
        const QJsonObject data = answer.value(QStringLiteral("data")).toObject();
        const QJsonArray errors = data.value(QStringLiteral("errors")).toArray();
        const QString message = errors.isEmpty()
            ? answer.value(QStringLiteral("message")).toString()
            : errors.first().toObject().value(QStringLiteral("message")).toString();
        *failure = track17Error(code, message);
        return std::nullopt;
    }
    return answer.value(QStringLiteral("data")).toObject();
}

// The item of `list` that is about the number (the first one when none names it).
std::optional<QJsonObject> itemFor(const QJsonArray &list, const QString &number)
{
    for (const QJsonValue &value : list) {
        const QJsonObject item = value.toObject();
        if (item.value(QStringLiteral("number")).toString().compare(number, Qt::CaseInsensitive) == 0)
            return item;
    }
    if (!list.isEmpty() && list.first().isObject())
        return list.first().toObject();
    return std::nullopt;
}

ServiceAnswer rejection(const QJsonObject &rejected)
{
    const QJsonObject error = rejected.value(QStringLiteral("error")).toObject();
    return track17Error(error.value(QStringLiteral("code")).toInt(0),
                        error.value(QStringLiteral("message")).toString());
}

// 17TRACK's main statuses, and the sub-statuses of its problem ones, in the user's words.
struct StatusName
{
    const char *status;
    ServiceStatus meaning;
    const char *text;
};

const StatusName kStatuses[] = {
    {"InfoReceived", ServiceStatus::InTransit, ""},
    {"InTransit", ServiceStatus::InTransit, ""},
    {"Expired", ServiceStatus::InTransit, "运输过久,长时间没有更新"},
    {"AvailableForPickup", ServiceStatus::AvailableForPickup, "到达待取"},
    {"OutForDelivery", ServiceStatus::OutForDelivery, ""},
    {"DeliveryFailure", ServiceStatus::DeliveryFailure, "投递失败"},
    {"Delivered", ServiceStatus::Delivered, ""},
    {"Exception", ServiceStatus::Exception, "问题件"},
};

const std::pair<const char *, const char *> kSubStatuses[] = {
    {"NoBody", "无人签收"},  {"Security", "安检或海关扣留"},
    {"Rejected", "拒收"},    {"InvalidAddress", "地址有误"},
    {"Returning", "退回中"}, {"Returned", "已退回"},
    {"Damage", "破损"},      {"Damaged", "破损"},
    {"Delayed", "延误"},     {"Lost", "丢失"},
    {"Destroyed", "销毁"},   {"Cancel", "已取消"},
};

// `latest_status` as the service's status; `text` gets its meaning where it says more than "in
// transit": a problem parcel with its reason ("问题件：拒收"), one waiting to be picked up, one
// whose tracking went stale.
ServiceStatus statusOf(const QString &status, const QString &subStatus, const QString &description,
                       QString *text)
{
    for (const StatusName &row : kStatuses) {
        if (status != QLatin1String(row.status))
            continue;
        *text = QString::fromUtf8(row.text);
        if (text->isEmpty())
            return row.meaning;
        QString reason = description.trimmed();
        const QString sub = subStatus.section(QLatin1Char('_'), 1);
        for (const auto &[name, meaning] : kSubStatuses) {
            if (reason.isEmpty() && sub == QLatin1String(name))
                reason = QString::fromUtf8(meaning);
        }
        if (!reason.isEmpty() && isProblemStatus(row.meaning))
            *text += QStringLiteral("：") + reason;
        return row.meaning;
    }
    text->clear();
    return ServiceStatus::Unknown;
}

ServiceEvent eventOf(const QJsonObject &event)
{
    ServiceEvent result;
    const QString iso = event.value(QStringLiteral("time_iso")).toString().trimmed();
    const QJsonObject raw = event.value(QStringLiteral("time_raw")).toObject();
    const QString rawTime = (raw.value(QStringLiteral("date")).toString().trimmed() + QLatin1Char(' ')
                             + raw.value(QStringLiteral("time")).toString().trimmed())
                                .trimmed();
    QDateTime when = QDateTime::fromString(iso, Qt::ISODate);
    if (!when.isValid()) {
        if (const std::optional<QDateTime> local = parseRowTime(rawTime))
            when = *local;
    }
    if (!when.isValid())
        when = QDateTime::fromString(event.value(QStringLiteral("time_utc")).toString().trimmed(),
                                     Qt::ISODate);
    result.when = when;
    result.time = iso.isEmpty() ? rawTime : iso;
    QString location = event.value(QStringLiteral("location")).toString();
    result.text = eventText(event.value(QStringLiteral("description")).toString(), location);
    return result;
}
} // namespace

ServiceAnswer track17Error(int code, const QString &message)
{
    const QString detail = detailOf(code, message);
    ServiceAnswer answer;
    switch (code) {
    case -18010001:
        answer = ServiceAnswer::failure(
            QStringLiteral("17TRACK拒绝了查询:本机的IP地址不在17TRACK的白名单中,请在17TRACK后台设置!"),
            detail, ServiceAnswer::Blame::Account);
        break;
    case -18010002:
    case -18010004:
    case -18010005:
        answer = ServiceAnswer::failure(
            QStringLiteral("17TRACK拒绝了查询:API密钥不正确或账号不可用,请在“查询服务”中检查!"), detail,
            ServiceAnswer::Blame::Account);
        break;
    case -18010010:
        answer = ServiceAnswer::word(ErrorWord::kAsksForInput, detail);
        break;
    case -18010011:
    case -18010012:
        answer = ServiceAnswer::word(ErrorWord::kFormat, detail);
        break;
    case -18010018:
        answer = ServiceAnswer::failure(QStringLiteral("17TRACK查询此单号需要收件地的国家和邮编,暂无法查询!"),
                                        detail, ServiceAnswer::Blame::Number);
        break;
    case -18010019:
        answer = ServiceAnswer::failure(QStringLiteral("17TRACK查询此单号需要收件地的邮编,暂无法查询!"),
                                        detail, ServiceAnswer::Blame::Number);
        break;
    case -18010022:
        answer = ServiceAnswer::failure(QStringLiteral("17TRACK查询此单号需要发货日期等其他信息,暂无法查询!"),
                                        detail, ServiceAnswer::Blame::Number);
        break;
    case -18010020:
        answer = ServiceAnswer::failure(
            QStringLiteral("该快递公司需要收件人或寄件人手机号后四位,请在“全部快递”中为此单号填写!"), detail,
            ServiceAnswer::Blame::Account);
        break;
    case Track17Code::kCarrierNotDetected:
        answer = ServiceAnswer::failure(QStringLiteral("17TRACK无法识别该单号的快递公司"), detail,
                                        ServiceAnswer::Blame::Number);
        break;
    case -18019910:
    case -18019911:
        answer = ServiceAnswer::word(ErrorWord::kUnsupportedCarrier, detail);
        break;
    case -18019907:
        answer = ServiceAnswer::busy(QStringLiteral("17TRACK今天的查询次数已达上限,稍后再查.."), detail,
                                     kServiceQuotaHoldSeconds, ServiceAnswer::Blame::Account);
        break;
    case -18019908:
        answer = ServiceAnswer::busy(QStringLiteral("17TRACK的查询额度已用完,请在17TRACK购买额度!"), detail,
                                     kServiceQuotaHoldSeconds, ServiceAnswer::Blame::Account);
        break;
    case -18019909:
        answer = ServiceAnswer::word(ErrorWord::kNoInformation, detail);
        break;
    case -18010003:
        answer = ServiceAnswer::failure(QStringLiteral("17TRACK服务内部错误,请稍后再查!"), detail);
        break;
    default:
        answer = ServiceAnswer::failure(
            QStringLiteral("17TRACK查询失败:%1(代码%2)")
                .arg(message.trimmed().isEmpty() ? QStringLiteral("服务没有说明原因") : message.trimmed())
                .arg(code),
            detail, ServiceAnswer::Blame::Number);
        break;
    }
    answer.serviceCode = code;
    return answer;
}

QByteArray track17RegisterBody(const QString &number, int carrierKey, const QString &param)
{
    QJsonObject item;
    item.insert(QStringLiteral("number"), number);
    if (carrierKey != 0)
        item.insert(QStringLiteral("carrier"), carrierKey);
    if (!param.isEmpty())
        item.insert(QStringLiteral("param"), param);
    return QJsonDocument(QJsonArray {item}).toJson(QJsonDocument::Compact);
}

QByteArray track17TrackInfoBody(const QString &number, int carrierKey)
{
    QJsonObject item;
    item.insert(QStringLiteral("number"), number);
    if (carrierKey != 0)
        item.insert(QStringLiteral("carrier"), carrierKey);
    return QJsonDocument(QJsonArray {item}).toJson(QJsonDocument::Compact);
}

std::optional<ServiceAnswer> readTrack17Register(const QByteArray &body, const QString &number, int *carrier)
{
    if (carrier)
        *carrier = 0;
    ServiceAnswer failure;
    const std::optional<QJsonObject> data = envelope(body, &failure);
    if (!data)
        return failure;
    if (const std::optional<QJsonObject> accepted
        = itemFor(data->value(QStringLiteral("accepted")).toArray(), number)) {
        if (carrier)
            *carrier = accepted->value(QStringLiteral("carrier")).toInt(0);
        return std::nullopt;
    }
    const std::optional<QJsonObject> rejected
        = itemFor(data->value(QStringLiteral("rejected")).toArray(), number);
    if (!rejected)
        return ServiceAnswer::failure(
            QStringLiteral("17TRACK返回了无法识别的内容,请稍后再查!"),
            QStringLiteral("17TRACK: register answered neither accepted nor rejected"));
    ServiceAnswer answer = rejection(*rejected);
    if (answer.serviceCode == Track17Code::kAlreadyRegistered)
        return std::nullopt;
    return answer;
}

ServiceAnswer readTrack17TrackInfo(const QByteArray &body, const QString &number, int *carrier)
{
    if (carrier)
        *carrier = 0;
    ServiceAnswer failure;
    const std::optional<QJsonObject> data = envelope(body, &failure);
    if (!data)
        return failure;
    const std::optional<QJsonObject> accepted
        = itemFor(data->value(QStringLiteral("accepted")).toArray(), number);
    if (!accepted) {
        const std::optional<QJsonObject> rejected
            = itemFor(data->value(QStringLiteral("rejected")).toArray(), number);
        if (!rejected)
            return ServiceAnswer::failure(
                QStringLiteral("17TRACK返回了无法识别的内容,请稍后再查!"),
                QStringLiteral("17TRACK: gettrackinfo answered neither accepted nor rejected"));
        return rejection(*rejected);
    }
    if (carrier)
        *carrier = accepted->value(QStringLiteral("carrier")).toInt(0);
    const QJsonObject info = accepted->value(QStringLiteral("track_info")).toObject();
    QList<ServiceEvent> events;
    const QJsonArray providers
        = info.value(QStringLiteral("tracking")).toObject().value(QStringLiteral("providers")).toArray();
    for (const QJsonValue &provider : providers) {
        for (const QJsonValue &event : provider.toObject().value(QStringLiteral("events")).toArray())
            events.append(eventOf(event.toObject()));
    }
    // Each provider lists its events newest first; a time that cannot be read keeps its place
    // after the event it followed, which in that order is the newer one: read them oldest first.
    std::reverse(events.begin(), events.end());
    const QJsonObject latest = info.value(QStringLiteral("latest_status")).toObject();
    const QString status = latest.value(QStringLiteral("status")).toString();
    QString statusText;
    const ServiceStatus hint
        = statusOf(status, latest.value(QStringLiteral("sub_status")).toString(),
                   latest.value(QStringLiteral("sub_status_descr")).toString(), &statusText);
    const QString text = designedAnswerText(events, hint);
    if (text == ErrorWord::kNoInformation)
        return ServiceAnswer::word(text, QStringLiteral("17TRACK: no events, status ") + status);
    ServiceAnswer rows = ServiceAnswer::rows(text);
    rows.status = hint;
    rows.statusText = statusText;
    return rows;
}

Track17Quota readTrack17Quota(const QByteArray &body)
{
    Track17Quota quota;
    ServiceAnswer failure;
    const std::optional<QJsonObject> data = envelope(body, &failure);
    if (!data) {
        quota.userText = failure.userText.isEmpty() ? failure.text : failure.userText;
        return quota;
    }
    const QJsonValue remain = data->value(QStringLiteral("quota_remain"));
    if (!remain.isDouble()) {
        quota.userText = QStringLiteral("17TRACK返回了无法识别的额度信息");
        return quota;
    }
    quota.ok = true;
    quota.total = data->value(QStringLiteral("quota_total")).toInt(0);
    quota.used = data->value(QStringLiteral("quota_used")).toInt(0);
    quota.remain = remain.toInt(0);
    return quota;
}
