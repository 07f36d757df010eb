#include "core/shown_text.h"

#include <QCoreApplication>

namespace {
const char *const kStatuses[] = {
    QT_TRANSLATE_NOOP("ShownText", "已签收"),   QT_TRANSLATE_NOOP("ShownText", "派件中"),
    QT_TRANSLATE_NOOP("ShownText", "运送中"),   QT_TRANSLATE_NOOP("ShownText", "问题件"),
    QT_TRANSLATE_NOOP("ShownText", "未查询"),   QT_TRANSLATE_NOOP("ShownText", "查询失败"),
    QT_TRANSLATE_NOOP("ShownText", "待取件"),   QT_TRANSLATE_NOOP("ShownText", "派送失败"),
    QT_TRANSLATE_NOOP("ShownText", "暂无信息"),
};

const char *const kVerdicts[] = {
    QT_TRANSLATE_NOOP("ShownText", "单号格式错误!请检查!"),
    QT_TRANSLATE_NOOP("ShownText", "您好,您当前查询的快递单号已不存在!"),
    QT_TRANSLATE_NOOP("ShownText", "此快递单号未更新信息或已失效.."),
    QT_TRANSLATE_NOOP("ShownText", "系统问题,暂不支持当前快递公司!"),
    QT_TRANSLATE_NOOP("ShownText", "请输入正确的单号!"),
    QT_TRANSLATE_NOOP("ShownText", "未查询到物流信息!"),
    QT_TRANSLATE_NOOP("ShownText", "查询失败,无法连接查询服务器!"),
    QT_TRANSLATE_NOOP("ShownText", "查询超时,请稍后再试!"),
    QT_TRANSLATE_NOOP("ShownText", "查询失败,查询服务器返回错误!"),
    QT_TRANSLATE_NOOP("ShownText", "查询失败,查询结果过大!"),
    QT_TRANSLATE_NOOP("ShownText", "查询失败,查询服务器没有返回信息!"),
    QT_TRANSLATE_NOOP("ShownText", "查询服务繁忙,稍后再查"),
    // The tracking services' own failures that take no details.
    QT_TRANSLATE_NOOP("ShownText", "查询太频繁,快递鸟暂停了查询,稍后再查.."),
    QT_TRANSLATE_NOOP("ShownText", "该快递公司需要收件人或寄件人手机号后四位,请在“全部快递”中为此单号填写!"),
    QT_TRANSLATE_NOOP("ShownText", "快递鸟返回了无法识别的内容,请稍后再查!"),
    QT_TRANSLATE_NOOP("ShownText", "未设置快递鸟的用户ID,请在“查询服务”中填写!"),
    QT_TRANSLATE_NOOP("ShownText", "未设置快递鸟的API Key,请在“查询服务”中填写!"),
    QT_TRANSLATE_NOOP("ShownText", "未设置17TRACK的API密钥,请在“查询服务”中填写!"),
    QT_TRANSLATE_NOOP("ShownText", "17TRACK返回了无法识别的内容,请稍后再查!"),
    QT_TRANSLATE_NOOP("ShownText",
                      "17TRACK拒绝了查询:本机的IP地址不在17TRACK的白名单中,请在17TRACK后台设置!"),
    QT_TRANSLATE_NOOP("ShownText", "17TRACK拒绝了查询:API密钥不正确或账号不可用,请在“查询服务”中检查!"),
    QT_TRANSLATE_NOOP("ShownText", "17TRACK查询此单号需要收件地的国家和邮编,暂无法查询!"),
    QT_TRANSLATE_NOOP("ShownText", "17TRACK查询此单号需要收件地的邮编,暂无法查询!"),
    QT_TRANSLATE_NOOP("ShownText", "17TRACK查询此单号需要发货日期等其他信息,暂无法查询!"),
    QT_TRANSLATE_NOOP("ShownText", "17TRACK无法识别该单号的快递公司"),
    QT_TRANSLATE_NOOP("ShownText", "17TRACK今天的查询次数已达上限,稍后再查.."),
    QT_TRANSLATE_NOOP("ShownText", "17TRACK的查询额度已用完,请在17TRACK购买额度!"),
    QT_TRANSLATE_NOOP("ShownText", "17TRACK服务内部错误,请稍后再查!"),
    QT_TRANSLATE_NOOP("ShownText", "17TRACK返回了无法识别的额度信息"),
    QT_TRANSLATE_NOOP("ShownText", "无法连接17TRACK:"),
};

QString translated(const char *source)
{
    return QCoreApplication::translate("ShownText", source);
}
} // namespace

QString shownStatus(const QString &status)
{
    for (const char *source : kStatuses) {
        if (status == QString::fromUtf8(source))
            return translated(source);
    }
    return status;
}

QString shownVerdict(const QString &message)
{
    // The longest known message the text begins with; what follows it is detail, shown as it is.
    const char *best = nullptr;
    qsizetype bestLength = 0;
    for (const char *source : kVerdicts) {
        const QString text = QString::fromUtf8(source);
        if (text.size() > bestLength && message.startsWith(text)) {
            best = source;
            bestLength = text.size();
        }
    }
    if (!best)
        return message;
    return translated(best) + message.mid(bestLength);
}

QString shownTransitTime(qint64 seconds)
{
    const qint64 days = seconds / 86400;
    const qint64 hours = (seconds / 3600) % 24;
    const qint64 minutes = (seconds % 3600) / 60;
    return QCoreApplication::translate("ShownText", "%1天%2小时%3分").arg(days).arg(hours).arg(minutes);
}
