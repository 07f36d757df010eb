#include "services/kdniao_answer.h"

#include "core/delivery_status.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace {
const QString kService = QStringLiteral("快递鸟");

bool containsAny(const QString &text, std::initializer_list<const char *> words)
{
    for (const char *word : words) {
        if (text.contains(QString::fromUtf8(word), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool isTrue(const QJsonValue &value)
{
    if (value.isBool())
        return value.toBool();
    return value.toString().trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

// A number or a text: the service writes State as "3", some copies of its answers as 3.
QString textOf(const QJsonValue &value)
{
    if (value.isDouble())
        return QString::number(value.toInteger());
    return value.toString().trimmed();
}

// The detailed states (StateEx) of 快递鸟's problem parcels (State 4) and of customs (6xx), with
// their meanings as its documents give them.
struct StateExMeaning
{
    const char *code;
    const char *meaning;
};

const StateExMeaning kProblemStates[] = {
    {"401", "发货无信息"},     {"402", "超时未签收"},
    {"403", "超时未更新"},     {"404", "拒收（退件）"},
    {"405", "派件异常"},       {"406", "退货签收"},
    {"407", "退货未签收"},     {"412", "快递柜或驿站超时未取"},
    {"413", "单号已拦截"},     {"414", "破损"},
    {"415", "客户取消发货"},   {"416", "无法联系"},
    {"417", "配送延迟"},       {"418", "快件取出"},
    {"419", "重新派送"},       {"420", "收货地址不详细"},
    {"421", "收件人电话错误"}, {"422", "错分件"},
    {"423", "超区件"},         {"604", "清关异常"},
};

QString problemMeaning(const QString &stateEx)
{
    for (const StateExMeaning &row : kProblemStates) {
        if (stateEx == QLatin1String(row.code))
            return QString::fromUtf8(row.meaning);
    }
    return {};
}

// State and StateEx as the service's status (the details of StateEx where it gives them). A
// problem parcel stays one whichever says so: the documents say a parcel that was a problem once
// keeps State 4, and its newest text may well hold "签" (退货签收).
ServiceStatus statusOf(const QString &state, const QString &stateEx, QString *text)
{
    if (state == QLatin1String("4") || stateEx.startsWith(QLatin1Char('4'))
        || stateEx == QLatin1String("604")) {
        const QString meaning = problemMeaning(stateEx);
        *text = meaning.isEmpty() ? QStringLiteral("问题件") : QStringLiteral("问题件：") + meaning;
        return ServiceStatus::Exception;
    }
    if (state == QLatin1String("3") || stateEx.startsWith(QLatin1Char('3')))
        return ServiceStatus::Delivered;
    const QString code = stateEx.isEmpty() ? state : stateEx;
    if (code == QLatin1String("202"))
        return ServiceStatus::OutForDelivery;
    if (code == QLatin1String("211")) {
        *text = QStringLiteral("已放入快递柜或驿站");
        return ServiceStatus::AvailableForPickup;
    }
    // 1 collected, 2 on the way, 5 forwarded, 6 customs, each with its details.
    if (code.startsWith(QLatin1Char('1')) || code.startsWith(QLatin1Char('2'))
        || code.startsWith(QLatin1Char('5')) || code.startsWith(QLatin1Char('6')))
        return ServiceStatus::InTransit;
    return ServiceStatus::Unknown;
}

ServiceAnswer refused(const QString &reason)
{
    const QString detail = QStringLiteral("kdniao: ") + reason;
    if (containsAny(reason,
                    {"签名", "DataSign", "EBusinessID", "用户ID", "商户", "未授权", "未认证", "白名单",
                     "APIKey", "API Key"}))
        return ServiceAnswer::failure(
            QStringLiteral("快递鸟拒绝了查询(%1),请在“查询服务”中检查用户ID和API Key!").arg(reason), detail,
            ServiceAnswer::Blame::Account);
    if (containsAny(reason, {"频繁", "频率", "过快", "限流"}))
        return ServiceAnswer::busy(QStringLiteral("查询太频繁,快递鸟暂停了查询,稍后再查.."), detail,
                                   kServiceBusyHoldSeconds);
    if (containsAny(reason, {"次数", "套餐", "余额", "额度", "上限", "欠费", "到期"}))
        return ServiceAnswer::busy(
            QStringLiteral("快递鸟的查询次数已用完(%1),请稍后再查或在快递鸟开通套餐!").arg(reason), detail,
            kServiceQuotaHoldSeconds, ServiceAnswer::Blame::Account);
    if (containsAny(reason, {"CustomerName", "手机"}))
        return ServiceAnswer::failure(
            QStringLiteral("该快递公司需要收件人或寄件人手机号后四位,请在“全部快递”中为此单号填写!"), detail,
            ServiceAnswer::Blame::Account);
    if (containsAny(reason, {"不支持", "ShipperCode", "快递公司编码"}))
        return ServiceAnswer::word(ErrorWord::kUnsupportedCarrier, detail);
    if (containsAny(reason, {"格式", "单号错误", "单号不正确", "单号有误"}))
        return ServiceAnswer::word(ErrorWord::kFormat, detail);
    if (containsAny(reason, {"不能为空", "为空"}))
        return ServiceAnswer::word(ErrorWord::kAsksForInput, detail);
    if (containsAny(reason, {"不存在"}))
        return ServiceAnswer::word(ErrorWord::kNotExisting, detail);
    if (containsAny(reason, {"暂无", "无轨迹", "没有物流", "没有轨迹"}))
        return ServiceAnswer::word(ErrorWord::kNoInformation, detail);
    // The service answered and said no, for a reason of its own: a refusal of this query.
    return ServiceAnswer::failure(QStringLiteral("快递鸟查询失败:%1")
                                      .arg(reason.isEmpty() ? QStringLiteral("服务没有说明原因") : reason),
                                  detail, ServiceAnswer::Blame::Number);
}
} // namespace

bool kdniaoWantsCustomerName(const QString &shipperCode)
{
    return shipperCode == QLatin1String("SF") || shipperCode == QLatin1String("KYSY")
        || shipperCode == QLatin1String("ZTO");
}

QByteArray kdniaoRequestData(const QString &shipperCode, const QString &number, const QString &customerName)
{
    QJsonObject data;
    data.insert(QStringLiteral("OrderCode"), QString(QLatin1String("")));
    data.insert(QStringLiteral("ShipperCode"), shipperCode);
    data.insert(QStringLiteral("LogisticCode"), number);
    if (!customerName.isEmpty())
        data.insert(QStringLiteral("CustomerName"), customerName);
    return QJsonDocument(data).toJson(QJsonDocument::Compact);
}

QByteArray kdniaoDataSign(const QByteArray &requestData, const QString &appKey)
{
    const QByteArray digest
        = QCryptographicHash::hash(requestData + appKey.toUtf8(), QCryptographicHash::Md5).toHex();
    return digest.toBase64();
}

QByteArray kdniaoRequestBody(const QString &businessId, const QByteArray &requestData,
                             const QByteArray &dataSign)
{
    const auto field = [](const char *name, const QByteArray &value) {
        return QByteArray(name) + '=' + QUrl::toPercentEncoding(QString::fromUtf8(value));
    };
    return field("RequestData", requestData) + '&' + field("EBusinessID", businessId.toUtf8()) + '&'
        + field("RequestType", "1002") + '&' + field("DataSign", dataSign) + '&' + field("DataType", "2");
}

ServiceAnswer readKdniaoAnswer(const QByteArray &body)
{
    QJsonParseError error {};
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return ServiceAnswer::failure(QStringLiteral("快递鸟返回了无法识别的内容,请稍后再查!"),
                                      QStringLiteral("kdniao: not a JSON object: ")
                                          + QString::fromUtf8(body.left(200)));
    const QJsonObject answer = document.object();
    const QString reason = answer.value(QStringLiteral("Reason")).toString().trimmed();
    if (!isTrue(answer.value(QStringLiteral("Success")))) {
        // The older documents answer a number without traces so: no reason, an empty list.
        const QJsonValue traces = answer.value(QStringLiteral("Traces"));
        if (reason.isEmpty() && traces.isArray() && traces.toArray().isEmpty())
            return ServiceAnswer::word(ErrorWord::kNoInformation,
                                       QStringLiteral("kdniao: Success false, no Reason, no Traces"));
        return refused(reason);
    }

    QList<ServiceEvent> events;
    const QJsonArray traces = answer.value(QStringLiteral("Traces")).toArray();
    for (const QJsonValue &value : traces) {
        const QJsonObject trace = value.toObject();
        ServiceEvent event;
        event.time = trace.value(QStringLiteral("AcceptTime")).toString().trimmed();
        if (const std::optional<QDateTime> when = parseRowTime(event.time))
            event.when = *when;
        event.text = eventText(trace.value(QStringLiteral("AcceptStation")).toString(),
                               trace.value(QStringLiteral("Location")).toString());
        events.append(event);
    }
    const QString state = textOf(answer.value(QStringLiteral("State")));
    const QString stateEx = textOf(answer.value(QStringLiteral("StateEx")));
    QString statusText;
    const ServiceStatus status = statusOf(state, stateEx, &statusText);
    const QString text = designedAnswerText(events, status);
    if (text == ErrorWord::kNoInformation && reason.contains(QStringLiteral("不存在")))
        return ServiceAnswer::word(ErrorWord::kNotExisting, QStringLiteral("kdniao: ") + reason);
    if (text == ErrorWord::kNoInformation)
        return ServiceAnswer::word(text, QStringLiteral("kdniao: ") + reason);
    ServiceAnswer rows = ServiceAnswer::rows(text);
    rows.status = status;
    rows.statusText = statusText;
    return rows;
}
