#include "core/shown_text.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <utility>
#include <vector>

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

// Failures that carry the service's name, its code or its own words: each %N stands for a piece
// shown as the message holds it, but for the words of kPieces.
const char *const kPatterns[] = {
    QT_TRANSLATE_NOOP("ShownText", "快递鸟拒绝了查询(%1),请在“查询服务”中检查用户ID和API Key!"),
    QT_TRANSLATE_NOOP("ShownText", "快递鸟的查询次数已用完(%1),请稍后再查或在快递鸟开通套餐!"),
    QT_TRANSLATE_NOOP("ShownText", "快递鸟查询失败:%1"),
    QT_TRANSLATE_NOOP("ShownText", "%1拒绝了查询:API密钥不正确或账号不可用,请在“查询服务”中检查!"),
    QT_TRANSLATE_NOOP("ShownText", "查询太频繁,%1暂停了查询,稍后再查.."),
    QT_TRANSLATE_NOOP("ShownText", "%1服务暂时不可用(HTTP %2),请稍后再查!"),
    QT_TRANSLATE_NOOP("ShownText", "17TRACK查询失败:%1(代码%2)"),
    QT_TRANSLATE_NOOP("ShownText", "无法从系统密钥环读取%1的密钥,请确认它已解锁:%2"),
};

// The words that fill the patterns' places and follow a status word: the services' names and
// the reasons the services give for a problem parcel.
const char *const kPieces[] = {
    QT_TRANSLATE_NOOP("ShownText", "快递鸟"),
    QT_TRANSLATE_NOOP("ShownText", "服务没有说明原因"),
    QT_TRANSLATE_NOOP("ShownText", "发货无信息"),
    QT_TRANSLATE_NOOP("ShownText", "超时未签收"),
    QT_TRANSLATE_NOOP("ShownText", "超时未更新"),
    QT_TRANSLATE_NOOP("ShownText", "拒收（退件）"),
    QT_TRANSLATE_NOOP("ShownText", "派件异常"),
    QT_TRANSLATE_NOOP("ShownText", "退货签收"),
    QT_TRANSLATE_NOOP("ShownText", "退货未签收"),
    QT_TRANSLATE_NOOP("ShownText", "快递柜或驿站超时未取"),
    QT_TRANSLATE_NOOP("ShownText", "单号已拦截"),
    QT_TRANSLATE_NOOP("ShownText", "破损"),
    QT_TRANSLATE_NOOP("ShownText", "客户取消发货"),
    QT_TRANSLATE_NOOP("ShownText", "无法联系"),
    QT_TRANSLATE_NOOP("ShownText", "配送延迟"),
    QT_TRANSLATE_NOOP("ShownText", "快件取出"),
    QT_TRANSLATE_NOOP("ShownText", "重新派送"),
    QT_TRANSLATE_NOOP("ShownText", "收货地址不详细"),
    QT_TRANSLATE_NOOP("ShownText", "收件人电话错误"),
    QT_TRANSLATE_NOOP("ShownText", "错分件"),
    QT_TRANSLATE_NOOP("ShownText", "超区件"),
    QT_TRANSLATE_NOOP("ShownText", "清关异常"),
    QT_TRANSLATE_NOOP("ShownText", "无人签收"),
    QT_TRANSLATE_NOOP("ShownText", "安检或海关扣留"),
    QT_TRANSLATE_NOOP("ShownText", "拒收"),
    QT_TRANSLATE_NOOP("ShownText", "地址有误"),
    QT_TRANSLATE_NOOP("ShownText", "退回中"),
    QT_TRANSLATE_NOOP("ShownText", "已退回"),
    QT_TRANSLATE_NOOP("ShownText", "延误"),
    QT_TRANSLATE_NOOP("ShownText", "丢失"),
    QT_TRANSLATE_NOOP("ShownText", "销毁"),
    QT_TRANSLATE_NOOP("ShownText", "已取消"),
    QT_TRANSLATE_NOOP("ShownText", "运输过久,长时间没有更新"),
    QT_TRANSLATE_NOOP("ShownText", "到达待取"),
    QT_TRANSLATE_NOOP("ShownText", "投递失败"),
    QT_TRANSLATE_NOOP("ShownText", "已放入快递柜或驿站"),
};

QString translated(const char *source)
{
    return QCoreApplication::translate("ShownText", source);
}

QString shownPiece(const QString &piece)
{
    for (const char *source : kPieces) {
        if (piece == QString::fromUtf8(source))
            return translated(source);
    }
    return piece;
}

// The message as the first pattern it fits, its places filled with the message's own pieces. A
// pattern that ends in words may be followed by details, kept as they are.
QString shownPattern(const QString &message)
{
    struct Pattern
    {
        const char *source;
        QRegularExpression expression;
        bool details;
    };
    static const std::vector<Pattern> patterns = [] {
        std::vector<Pattern> made;
        for (const char *source : kPatterns) {
            const QString text = QString::fromUtf8(source);
            const bool details = !text.contains(QRegularExpression(QStringLiteral("%\\d$")));
            QString expression = QRegularExpression::escape(text);
            expression.replace(QRegularExpression(QStringLiteral("\\\\%\\d")), QStringLiteral("(.*?)"));
            expression
                = QLatin1Char('^') + expression + (details ? QStringLiteral("(.*)$") : QStringLiteral("$"));
            made.push_back({source,
                            QRegularExpression(expression, QRegularExpression::DotMatchesEverythingOption),
                            details});
        }
        return made;
    }();
    for (const Pattern &pattern : patterns) {
        const QRegularExpressionMatch match = pattern.expression.match(message);
        if (!match.hasMatch())
            continue;
        // At most two places, filled at once: a piece may hold a "%2" of its own.
        const int places = match.lastCapturedIndex() - (pattern.details ? 1 : 0);
        const QString shown = places == 1
            ? translated(pattern.source).arg(shownPiece(match.captured(1)))
            : translated(pattern.source).arg(shownPiece(match.captured(1)), shownPiece(match.captured(2)));
        return pattern.details ? shown + match.captured(match.lastCapturedIndex()) : shown;
    }
    return message;
}
} // namespace

QString shownStatus(const QString &status)
{
    // A status word may be followed by the service's reason: "问题件：拒收".
    const qsizetype colon = status.indexOf(QStringLiteral("："));
    const QString word = colon < 0 ? status : status.left(colon);
    for (const char *source : kStatuses) {
        if (word != QString::fromUtf8(source))
            continue;
        if (colon < 0)
            return translated(source);
        return QCoreApplication::translate("ShownText", "%1：%2")
            .arg(translated(source), shownPiece(status.mid(colon + 1)));
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
        return shownPattern(message);
    return translated(best) + message.mid(bestLength);
}

QString shownTransitTime(qint64 seconds)
{
    const qint64 days = seconds / 86400;
    const qint64 hours = (seconds / 3600) % 24;
    const qint64 minutes = (seconds % 3600) / 60;
    return QCoreApplication::translate("ShownText", "%1天%2小时%3分").arg(days).arg(hours).arg(minutes);
}
