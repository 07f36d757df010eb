#include "core/carrier_catalogue.h"
#include "desktop/parcel_notice.h"
#include "english_interface.h"
#include "mailscan/clipboard_offer.h"
#include "mailscan/mail_folder.h"
#include "monitor/mail_body.h"
#include "monitor/sender_settings.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace {
// The letter's fixed text, in order; the data and the site's addresses go between these.
const char *const kFixed[] = {
    "<table cellspacing='1' border='1' bgcolor='#FFFFFF' align='center' width='700' style='"
    "border-color:#ccc;width:700px;font-size:20px;color:black'><tbody><tr><td><div style='"
    "width:670px;margin:0 auto;background-image:url(",
    ");border-bottom:1px solid #e7e7e7;margin-bottom:20px;padding:13px 15px 0;'>",
    "<table cellspacing='0' cellpadding='0' border='0' width='670px' height='54' style='"
    "font:12px Tahoma, Arial, 微软雅黑;'><tbody><tr><td width='240' valign='top'>",
    "<a target='_blank' href='",
    "'><img border='0'  height='41' src='",
    "'></a></td><td align='right' width='430' valign='bottom' style='color:#fff;padding-bottom:7px;"
    "'><a target='_blank' style='color:#fff;text-decoration:none;font-size:12px;' href='",
    "'>推广服务 </a> | <a target='_blank' style='color:#fff;text-decoration:none;"
    "font-size:12px;' href='",
    "'>留言反馈 </a>",
    " | <a target='_blank' style='color:#fff;text-decoration:none;font-size:12px;' href='",
    "'>官方论坛</a></td></tr></tbody></table></div><div style='width:600px;margin:0 "
    "auto;color:#5a5a5a;background:#ffffff;padding:0 50px;margin-bottom:25px;'><div style='"
    "line-height:1.5;font-size:13px;margin-bottom:10px;color:#000;font-family: 微软雅黑;"
    "'>",
    "<strong style='display:block;margin-bottom:5px;'></strong><p style='line-height:25px;"
    "margin:0;border-bottom: 1px dashed #ccc;'>您的快递<font color='blue' style='"
    "font-weight:bold;'>【",
    "】（",
    "）</font>有了最新动态：</p><p style='line-height:25px;margin:0;border-bottom: "
    "1px dashed #ccc;color:red;margin-top:15px;font-weight:bold;'>",
    " ",
    "</p><p style='line-height:25px;margin:0;border-bottom: 1px dashed #ccc;margin-top:10px;"
    "'>当前您的快递约已派送：<font style='font-weight:bold;color:red;'>",
    "</font>（时间以<font style='font-weight:bold;color:blue;'>",
    "</font>公司接单起计算）</p><p style='line-height:25px;margin:0;border-bottom: "
    "1px dashed #ccc;margin-top:10px'>感谢您使用Parcelvue,欢迎您继续支持Lumetra其他产品!</p>"
    "<p style='line-height:25px;margin:0;border-bottom: 1px dashed #ccc;margin-top:15px;"
    "'><b><a href='",
    "' target='_blank' style='text-decoration: none;color:black;margin-top:10px'>",
    "</a></b></p><p style='line-height:25px;margin:0;margin-top:30px;margin-right:auto'"
    ">Lumetra技术工作室</p><p style='line-height:25px;margin:0;float: right;background-image: "
    "url(",
    ");height: 85px;width: 50px;background-repeat: no-repeat;margin-top: -20px;'><p style='"
    "line-height:25px;margin:0;'>",
    "</p><p style='line-height:25px;margin:0;'>",
    "</p></div></div><div style='width:600px;margin:0 auto;background:#f9f9f9;border-top:1px "
    "solid #ececec;padding:20px 50px 30px;'>",
    "<table cellspacing='0' cellpadding='0' border='0' width='600px' height='55' style='"
    "font-size:12px;color:#919191;'><tbody><tr><td width='460'><p style='line-height:20px;"
    "margin:0 0 5px'>本邮件由LumetraParcelvue系统自动发出，请勿回复。</p>"
    "<p style='line-height:20px;margin:0 0 "
    "5px'>如果您遇到问题或需要定制推广服务，请在右上方反馈或咨询客服QQ:",
    "</p></td><td align='right' width='140' valign='bottom'></td></tr></tbody></table>"
    "</div></td></tr></tbody></table>",
};

QString fixed(int i)
{
    return QString::fromUtf8(kFixed[i]);
}

Endpoints site()
{
    Endpoints e = Endpoints::defaults();
    e.siteUrl = QStringLiteral("http://site.localhost");
    e.home = QStringLiteral("http://site.localhost/home.html");
    e.feedback = QStringLiteral("http://site.localhost/feedback.html");
    e.forum = QStringLiteral("http://site.localhost/forum");
    e.mailImages = QStringLiteral("http://img.localhost/");
    e.contact = QStringLiteral("12345");
    return e;
}

// What the letter must read for these values, shown already escaped.
QString expectedLetter(const MailBodyValues &shown)
{
    const QString img = QStringLiteral("http://img.localhost");
    const QStringList pieces = {
        fixed(0),
        img + "/mail/images/head_bg.gif",
        fixed(1),
        fixed(2),
        fixed(3),
        QStringLiteral("http://site.localhost/home.html"),
        fixed(4),
        img + "/mail/images/logo.png",
        fixed(5),
        img + "/tui.html",
        fixed(6),
        QStringLiteral("http://site.localhost/feedback.html"),
        fixed(7),
        fixed(8),
        QStringLiteral("http://site.localhost/forum/"),
        fixed(9),
        fixed(10),
        shown.remark,
        fixed(11),
        shown.number,
        fixed(12),
        shown.time,
        fixed(13),
        shown.progress,
        fixed(14),
        shown.transit,
        fixed(15),
        shown.carrier,
        fixed(16),
        shown.promoUrl,
        fixed(17),
        shown.promoText,
        fixed(18),
        img + "/mail/images/slogo.png",
        fixed(19),
        QStringLiteral("http://site.localhost"),
        fixed(20),
        shown.sendTime,
        fixed(21),
        fixed(22),
        QStringLiteral("12345"),
        fixed(23),
    };
    return pieces.join(QString());
}
} // namespace

TEST(MailBody, FixedTextDataAndAddressesInOrder)
{
    struct Case
    {
        const char *name;
        MailBodyValues values;
        MailBodyValues shown;
    } cases[] = {
        {"plain",
         {"衣服", "SF123", "2024-01-02 10:00:00", "已到达【北京】", "1天2小时5分", "顺丰快递",
          "http://p.localhost/a", "推广", "2024/1/2 12:00:00"},
         {"衣服", "SF123", "2024-01-02 10:00:00", "已到达【北京】", "1天2小时5分", "顺丰快递",
          "http://p.localhost/a", "推广", "2024/1/2 12:00:00"}},
        {"empty remark and no announcement",
         {"", "123", "t", "p", "x", "AAE快递", "", "", "now"},
         {"", "123", "t", "p", "x", "AAE快递", "", "", "now"}},
        {"markup from the user and the service",
         {"<b>礼物</b>", "1&2", "<i>t</i>", "<script>alert(1)</script>", "a>b", "\"Q\" & 'Co'",
          "http://x/?a=1&b='2'", "<img src=x onerror=y>", "n"},
         {"&lt;b&gt;礼物&lt;/b&gt;", "1&amp;2", "&lt;i&gt;t&lt;/i&gt;",
          "&lt;script&gt;alert(1)&lt;/script&gt;", "a&gt;b", "&quot;Q&quot; &amp; &#39;Co&#39;",
          "http://x/?a=1&amp;b=&#39;2&#39;", "&lt;img src=x onerror=y&gt;", "n"}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(mailBody(site(), c.values), expectedLetter(c.shown)) << c.name;
}

TEST(MailBody, EmptyAnnouncementGivesAnEmptyBoldLink)
{
    const QString body = mailBody(site(), MailBodyValues {});
    EXPECT_TRUE(body.contains(QStringLiteral("<b><a href='' target='_blank' style='text-decoration: none;"
                                             "color:black;margin-top:10px'></a></b>")));
    EXPECT_TRUE(body.contains(
        QStringLiteral("您的快递<font color='blue' style='font-weight:bold;'>【】（）</font>")));
}

TEST(MailBody, SubjectNamesTheNote)
{
    EXPECT_EQ(mailSubject(QStringLiteral("衣服")),
              QStringLiteral("您的快递【衣服】有最新动态 - LumetraParcelvue"));
    EXPECT_EQ(mailSubject(QString()), QStringLiteral("您的快递【】有最新动态 - LumetraParcelvue"));
}

TEST(MailBody, EscapesEveryCharacterThatCanOpenMarkup)
{
    const struct
    {
        const char *in, *out;
    } cases[] = {
        {"", ""},
        {"plain 中文", "plain 中文"},
        {"<>&\"'", "&lt;&gt;&amp;&quot;&#39;"},
        {"&amp;", "&amp;amp;"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(escapeHtml(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

// The texts that leave the window (the letter, the notification, the tray, the sender's and the mail
// reader's messages) speak the interface's language; the stored carrier name stays Chinese, and a
// value that looks like a place marker stays as it is.
TEST(InterfaceLanguage, LetterNotificationAndMessages)
{
    MailBodyValues v;
    v.remark = QStringLiteral("鞋 %2");
    v.number = QStringLiteral("SF123 %1");
    v.transit = QStringLiteral("1天 %1");
    v.carrier = QStringLiteral("顺丰快递");
    const int sf = carrierIndexByName(v.carrier);
    const auto line = [&](int i) { return mailText(site(), v).split(QStringLiteral("\r\n")).at(i); };
    const struct
    {
        const char *name;
        std::function<QString()> text;
        const char *chinese, *english;
    } cases[] = {
        {"subject", [&] { return mailSubject(v.remark); }, "您的快递【鞋 %2】有最新动态 - LumetraParcelvue",
         "News about your parcel “鞋 %2” - LumetraParcelvue"},
        {"letter's headline", [&] { return line(0); }, "您的快递【鞋 %2】（SF123 %1）有了最新动态：",
         "There is news about your parcel “鞋 %2” (SF123 %1):"},
        {"letter's time and carrier", [&] { return line(2); },
         "当前您的快递约已派送：1天 %1（时间以顺丰快递公司接单起计算）",
         "Your parcel has been on its way for about 1天 %1 (counted from when SF Express accepted it)."},
        {"html headline",
         [&] {
             return mailBody(site(), v)
                 .section(QStringLiteral("dashed #ccc;'>"), 1, 1)
                 .section(QStringLiteral("</p>"), 0, 0);
         },
         "您的快递<font color='blue' style='font-weight:bold;'>【鞋 %2】（SF123 %1）</font>有了最新动态：",
         "There is news about your parcel <font color='blue' style='font-weight:bold;'>“鞋 %2” (SF123 "
         "%1)</font>:"},
        {"notification",
         [&] {
             return noticeSummary({{}, QStringLiteral("鞋"), {}, {}});
         },
         "您的快递【鞋】有最新动态", "News about your parcel “鞋”"},
        {"tray", [] { return trayToolTip({}); }, "Parcelvue\n运送中 0 件，派件中 0 件，有新动态 0 件",
         "Parcelvue\nIn transit: 0, out for delivery: 0, with news: 0"},
        {"sender settings", [] { return senderSettingsProblem({}); }, "请填写SMTP服务器",
         "Please enter the SMTP server"},
        {"mail folder",
         [] {
             return readMailFolder(QStringLiteral("/nonexistent/in"), MailFolderKind::Mbox,
                                   [](const QByteArray &) { return true; });
         },
         "找不到邮件文件夹 /nonexistent/in", "Mail folder /nonexistent/in not found"},
        {"clipboard offer",
         [&] {
             return clipboardOfferText(
                 {QStringLiteral("SF1234567890123"), {{sf, GuessCertainty::Certain}}, {}, 90});
         },
         "添加快递 SF1234567890123 (顺丰快递)?", "Add parcel SF1234567890123 (SF Express)?"},
        {"stored carrier", [&] { return carrierName(sf); }, "顺丰快递", "顺丰快递"},
        {"shown carrier", [&] { return carrierShownName(sf); }, "顺丰快递", "SF Express"},
        {"unknown carrier", [] { return carrierShownName(QStringLiteral("别家快递")); }, "别家快递",
         "别家快递"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.text().toStdString(), c.chinese) << c.name;
    const EnglishInterface english;
    for (const auto &c : cases)
        EXPECT_EQ(c.text().toStdString(), c.english) << c.name;
}
