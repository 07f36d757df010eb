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

ServiceAnswer refused(const QString &reason)
{
    const QString detail = QStringLiteral("kdniao: ") + reason;
    if (containsAny(reason,
                    {"签名", "DataSign", "EBusinessID", "用户ID", "商户", "未授权", "未认证", "白名单",
                     "APIKey", "API Key"}))
        return ServiceAnswer::failure(
            QStringLiteral("快递鸟拒绝了查询(%1),请在“查询服务”中检查用户ID和API Key!").arg(reason), detail);
    if (containsAny(reason, {"频繁", "频率", "过快", "限流"}))
        return ServiceAnswer::busy(QStringLiteral("查询太频繁,快递鸟暂停了查询,稍后再查.."), detail,
                                   kServiceBusyHoldSeconds);
    if (containsAny(reason, {"次数", "套餐", "余额", "额度", "上限", "欠费", "到期"}))
        return ServiceAnswer::busy(
            QStringLiteral("快递鸟的查询次数已用完(%1),请稍后再查或在快递鸟开通套餐!").arg(reason), detail,
            kServiceQuotaHoldSeconds);
    if (containsAny(reason, {"CustomerName", "手机"}))
        return ServiceAnswer::failure(
            QStringLiteral("该快递公司需要收件人或寄件人手机号后四位,请在“全部快递”中为此单号填写!"), detail);
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
    return ServiceAnswer::failure(QStringLiteral("快递鸟查询失败:%1")
                                      .arg(reason.isEmpty() ? QStringLiteral("服务没有说明原因") : reason),
                                  detail);
}
} // namespace

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
    if (!isTrue(answer.value(QStringLiteral("Success"))))
        return refused(reason);

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
    ServiceStatus status = ServiceStatus::Unknown;
    if (state == QLatin1String("3") || stateEx.startsWith(QLatin1Char('3')))
        status = ServiceStatus::Delivered;
    else if (stateEx == QLatin1String("202"))
        status = ServiceStatus::OutForDelivery;
    const QString text = designedAnswerText(events, status);
    if (text == ErrorWord::kNoInformation && reason.contains(QStringLiteral("不存在")))
        return ServiceAnswer::word(ErrorWord::kNotExisting, QStringLiteral("kdniao: ") + reason);
    return text == ErrorWord::kNoInformation ? ServiceAnswer::word(text, QStringLiteral("kdniao: ") + reason)
                                             : ServiceAnswer::rows(text);
}
