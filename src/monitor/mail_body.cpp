#include "monitor/mail_body.h"

#include "core/carrier_catalogue.h"

#include <QCoreApplication>
#include <QStringList>

// The letter speaks the interface's language; the values are the user's and the service's own,
// the carrier's name shown as the interface shows it.

namespace {
QString said(const char *text)
{
    return QCoreApplication::translate("NoticeMail", text);
}

// Sentences the letter and its plain text share.
const char *const kThanks
    = QT_TRANSLATE_NOOP("NoticeMail", "感谢您使用Parcelvue,欢迎您继续支持Lumetra其他产品!");
const char *const kStudio = QT_TRANSLATE_NOOP("NoticeMail", "Lumetra技术工作室");
const char *const kNoReply
    = QT_TRANSLATE_NOOP("NoticeMail", "本邮件由LumetraParcelvue系统自动发出，请勿回复。");

// "【note】（number）"
QString parcelNamed(const QString &remark, const QString &number)
{
    return QCoreApplication::translate("NoticeMail", "【%1】（%2）").arg(remark, number);
}

QString withoutTrailingSlash(QString url)
{
    while (url.endsWith(QLatin1Char('/')))
        url.chop(1);
    return url;
}
} // namespace

QString escapeHtml(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&':
            escaped += QLatin1String("&amp;");
            break;
        case '<':
            escaped += QLatin1String("&lt;");
            break;
        case '>':
            escaped += QLatin1String("&gt;");
            break;
        case '"':
            escaped += QLatin1String("&quot;");
            break;
        case '\'':
            escaped += QLatin1String("&#39;");
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

QString mailSubject(const QString &remark)
{
    return QCoreApplication::translate("NoticeMail", "您的快递【%1】有最新动态 - LumetraParcelvue")
        .arg(remark);
}

QString mailBody(const Endpoints &e, const MailBodyValues &v)
{
    const auto esc = escapeHtml;
    const QString imageHost = withoutTrailingSlash(e.mailImages);
    // The forum's link points at its index: the address ends in "/".
    const QString forum = e.forum.endsWith(QLatin1Char('/')) ? e.forum : e.forum + QLatin1Char('/');

    QString body;
    body += QStringLiteral(
        "<table cellspacing='1' border='1' bgcolor='#FFFFFF' align='center' width='700' style='"
        "border-color:#ccc;width:700px;font-size:20px;color:black'><tbody><tr><td><div style='"
        "width:670px;margin:0 auto;background-image:url(");
    body += imageHost + QStringLiteral("/mail/images/head_bg.gif");
    body += QStringLiteral(");border-bottom:1px solid #e7e7e7;margin-bottom:20px;padding:13px 15px 0;'>");
    body += QStringLiteral(
        "<table cellspacing='0' cellpadding='0' border='0' width='670px' height='54' style='"
        "font:12px Tahoma, Arial, 微软雅黑;'><tbody><tr><td width='240' valign='top'>");
    body += QStringLiteral("<a target='_blank' href='");
    body += e.home;
    body += QStringLiteral("'><img border='0'  height='41' src='");
    body += imageHost + QStringLiteral("/mail/images/logo.png");
    body += QStringLiteral(
        "'></a></td><td align='right' width='430' valign='bottom' style='color:#fff;padding-bottom:7px;"
        "'><a target='_blank' style='color:#fff;text-decoration:none;font-size:12px;' href='");
    body += imageHost + QStringLiteral("/tui.html");
    body += QStringLiteral("'>") + QCoreApplication::translate("NoticeMail", "推广服务")
        + QStringLiteral(" </a> | <a target='_blank' style='color:#fff;text-decoration:none;"
                         "font-size:12px;' href='");
    body += e.feedback;
    body += QStringLiteral("'>") + QCoreApplication::translate("NoticeMail", "留言反馈")
        + QStringLiteral(" </a>");
    body += QStringLiteral(
        " | <a target='_blank' style='color:#fff;text-decoration:none;font-size:12px;' href='");
    body += forum;
    body += QStringLiteral("'>") + QCoreApplication::translate("NoticeMail", "官方论坛");
    body += QStringLiteral(
        "</a></td></tr></tbody></table></div><div style='width:600px;margin:0 "
        "auto;color:#5a5a5a;background:#ffffff;padding:0 50px;margin-bottom:25px;'><div style='"
        "line-height:1.5;font-size:13px;margin-bottom:10px;color:#000;font-family: 微软雅黑;"
        "'>");
    body += QStringLiteral(
        "<strong style='display:block;margin-bottom:5px;'></strong><p style='line-height:25px;"
        "margin:0;border-bottom: 1px dashed #ccc;'>");
    body += QCoreApplication::translate("NoticeMail", "您的快递%1有了最新动态：")
                .arg(QStringLiteral("<font color='blue' style='font-weight:bold;'>")
                     + parcelNamed(esc(v.remark), esc(v.number)) + QStringLiteral("</font>"));
    body += QStringLiteral("</p><p style='line-height:25px;margin:0;border-bottom: "
                           "1px dashed #ccc;color:red;margin-top:15px;font-weight:bold;'>");
    body += esc(v.time);
    body += QStringLiteral(" ");
    body += esc(v.progress);
    body += QStringLiteral(
        "</p><p style='line-height:25px;margin:0;border-bottom: 1px dashed #ccc;margin-top:10px;"
        "'>");
    body += QCoreApplication::translate("NoticeMail", "当前您的快递约已派送：%1（时间以%2公司接单起计算）")
                .arg(QStringLiteral("<font style='font-weight:bold;color:red;'>") + esc(v.transit)
                         + QStringLiteral("</font>"),
                     QStringLiteral("<font style='font-weight:bold;color:blue;'>")
                         + esc(carrierShownName(v.carrier)) + QStringLiteral("</font>"));
    body += QStringLiteral("</p><p style='line-height:25px;margin:0;border-bottom: "
                           "1px dashed #ccc;margin-top:10px'>");
    body += said(kThanks);
    body += QStringLiteral(
        "</p>"
        "<p style='line-height:25px;margin:0;border-bottom: 1px dashed #ccc;margin-top:15px;"
        "'><b><a href='");
    body += esc(v.promoUrl);
    body += QStringLiteral("' target='_blank' style='text-decoration: none;color:black;margin-top:10px'>");
    body += esc(v.promoText);
    body
        += QStringLiteral("</a></b></p><p style='line-height:25px;margin:0;margin-top:30px;margin-right:auto'"
                          ">");
    body += said(kStudio);
    body += QStringLiteral("</p><p style='line-height:25px;margin:0;float: right;background-image: "
                           "url(");
    body += imageHost + QStringLiteral("/mail/images/slogo.png");
    body += QStringLiteral(
        ");height: 85px;width: 50px;background-repeat: no-repeat;margin-top: -20px;'><p style='"
        "line-height:25px;margin:0;'>");
    body += e.siteUrl;
    body += QStringLiteral("</p><p style='line-height:25px;margin:0;'>");
    body += esc(v.sendTime);
    body += QStringLiteral(
        "</p></div></div><div style='width:600px;margin:0 auto;background:#f9f9f9;border-top:1px "
        "solid #ececec;padding:20px 50px 30px;'>");
    body += QStringLiteral(
        "<table cellspacing='0' cellpadding='0' border='0' width='600px' height='55' style='"
        "font-size:12px;color:#919191;'><tbody><tr><td width='460'><p style='line-height:20px;"
        "margin:0 0 5px'>");
    body += said(kNoReply);
    body += QStringLiteral("</p><p style='line-height:20px;margin:0 0 5px'>");
    body += QCoreApplication::translate("NoticeMail",
                                        "如果您遇到问题或需要定制推广服务，请在右上方反馈或咨询客服QQ:");
    body += e.contact;
    body += QStringLiteral("</p></td><td align='right' width='140' valign='bottom'></td></tr></tbody></table>"
                           "</div></td></tr></tbody></table>");
    return body;
}

QString mailText(const Endpoints &e, const MailBodyValues &v)
{
    QStringList lines;
    lines << QCoreApplication::translate("NoticeMail", "您的快递%1有了最新动态：")
                 .arg(parcelNamed(v.remark, v.number));
    lines << v.time + QLatin1Char(' ') + v.progress;
    lines << QCoreApplication::translate("NoticeMail", "当前您的快递约已派送：%1（时间以%2公司接单起计算）")
                 .arg(v.transit, carrierShownName(v.carrier));
    if (!v.promoText.isEmpty() || !v.promoUrl.isEmpty())
        lines << QStringList {v.promoText, v.promoUrl}.join(QLatin1Char(' ')).trimmed();
    lines << said(kThanks) << QString();
    lines << said(kStudio) << e.siteUrl << v.sendTime << QString();
    lines << said(kNoReply);
    lines << QCoreApplication::translate("NoticeMail", "如果您遇到问题或需要定制推广服务，请咨询客服QQ:")
            + e.contact;
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}
