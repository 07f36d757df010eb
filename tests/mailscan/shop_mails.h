#pragma once

#include "core/carrier_catalogue.h"
#include "mailscan/mail_scan.h"

#include <QByteArray>
#include <QStringEncoder>
#include <QStringList>

inline QByteArray encoded(const QString &text, const char *charset)
{
    QStringEncoder encoder(charset);
    return encoder.encode(text);
}

inline QByteArray utf8(const char *text)
{
    return QByteArray(text);
}

// Shop and carrier mails of the shapes they come in: charsets, transfer encodings, HTML and plain,
// nested parts, attachments, broken structure.
inline QByteArray shopMail(int which)
{
    const QString gbkText = QString::fromUtf8(
        "<html><body><p>亲爱的顾客：</p><p>您的订单已由<b>中通快递</b>发出，"
        "运单号：<span>731234567890</span></p><p>订单号 202412081234567</p></body></html>");
    switch (which) {
    case 0: // GBK HTML in base64, subject as an encoded word in GB2312
        return "From: =?gb2312?B?" + encoded(QString::fromUtf8("小米商城"), "gb18030").toBase64()
            + "?= <noreply@mi.example>\r\n"
              "Subject: =?GBK?B?"
            + encoded(QString::fromUtf8("您的订单已发货"), "gb18030").toBase64()
            + "?=\r\nDate: Mon, 07 Dec 2026 10:00:00 +0800\r\nMIME-Version: 1.0\r\n"
              "Content-Type: text/html; charset=GBK\r\nContent-Transfer-Encoding: base64\r\n\r\n"
            + encoded(gbkText, "gb18030").toBase64() + "\r\n";
    case 1: // UTF-8 plain, quoted-printable with soft breaks, multipart/alternative with HTML holding a link
        return utf8(
            "From: \"Shop Example\" <orders@shop.example>\nSubject: Your order has shipped\n"
            "Date: Tue, 08 Dec 2026 09:30:00 +0000\nMIME-Version: 1.0\n"
            "Content-Type: multipart/alternative; boundary=\"b1\"\n\n"
            "--b1\nContent-Type: text/plain; charset=utf-8\nContent-Transfer-Encoding: quoted-printable\n\n"
            "Good news! Your parcel is on its way with UPS. Tracking number: 1Z999AA1=\n0123456784\n"
            "--b1\nContent-Type: text/html; charset=utf-8\n\n"
            "<p>Track it <a "
            "href=\"https://www.ups.com/track?tracknum=1Z999AA10123456784&amp;loc=en\">here</a>"
            " or on <a href=\"https://shop.example/o/77312345678901\">your order page</a></p>\n"
            "--b1--\n");
    case 2: // Big5, with an attachment whose text must not be read
        return "From: =?big5?Q?"
            + encoded(QString::fromUtf8("商店"), "big5").toPercentEncoding().replace('%', '=')
            + "?= <a@b.example>\nSubject: shipped\nDate: Wed, 09 Dec 2026 08:00:00 +0800\n"
              "Content-Type: multipart/mixed; boundary=zz\n\n--zz\nContent-Type: text/plain; charset=big5\n\n"
            + encoded(QString::fromUtf8("您的包裹已由順豐寄出，運單號 SF1234567890123。"), "big5")
            + "\n--zz\nContent-Type: text/plain; name=invoice.txt\nContent-Disposition: attachment\n\n"
              "运单号 SF9999999999999\n--zz--\n";
    case 3: // ISO-2022-JP subject, a forwarded message inside
        return utf8(
            "From: jp@example.jp\nSubject: =?ISO-2022-JP?B?GyRCJUYlOSVIGyhC?=\n"
            "Content-Type: multipart/mixed; boundary=\"outer\"\n\n--outer\nContent-Type: message/rfc822\n\n"
            "Subject: inner\nContent-Type: text/plain\n\nEMS tracking no. EA123456785CN\n--outer--\n");
    case 4: // broken: a boundary that never comes, a part without an end
        return utf8(
            "From: x@y.example\nSubject: =?utf-8?Q?=E8=BF=90=E5=8D=95?=\n"
            "Content-Type: multipart/mixed; boundary=missing\n\n--missing\nContent-Type: text/plain\n\n"
            "运单号 YT1234567890123 and then the mail stops");
    default: // an order confirmation: numbers, but no waybill
        return utf8("From: shop@x.example\nSubject: 订单确认\nContent-Type: text/plain; charset=utf-8\n\n"
                    "订单编号：4012345678901234567\n实付金额：¥128.00\n客服电话 4008111111\n");
    }
}

// A shop's mail of about 9 MB: the waybill in its text, then a large attachment.
inline QByteArray largeShopMail()
{
    QByteArray attachment(9 * 1024 * 1024 / 4 * 3, '\0');
    for (qsizetype i = 0; i < attachment.size(); ++i)
        attachment[i] = static_cast<char>((i * 7919) >> 3);
    return utf8("From: =?utf-8?B?") + QByteArray("京东商城").toBase64()
        + "?= <jd@shop.example>\r\nSubject: =?utf-8?Q?=E5=8F=91=E8=B4=A7?=\r\n"
          "Date: Tue, 08 Dec 2026 12:00:00 +0800\r\nMIME-Version: 1.0\r\n"
          "Content-Type: multipart/mixed; boundary=\"big\"\r\n\r\n--big\r\n"
          "Content-Type: text/plain; charset=utf-8\r\nContent-Transfer-Encoding: base64\r\n\r\n"
        + QByteArray("您购买的商品已由顺丰快递发出，运单号：SF1357924680135。").toBase64()
        + "\r\n--big\r\nContent-Type: application/octet-stream; name=photos.zip\r\n"
          "Content-Transfer-Encoding: base64\r\n\r\n"
        + attachment.toBase64(QByteArray::Base64Encoding) + "\r\n--big--\r\n";
}

// The numbers a scan found, each as "NUMBER carrier-code", joined by ", ".
inline std::string numbersOf(const MailScan &scan, bool sorted = false)
{
    QStringList words;
    for (const FoundNumber &f : scan.found())
        words.append(f.candidate.number + QLatin1Char(' ')
                     + (f.candidate.carriers.empty() ? QStringLiteral("?")
                                                     : carrierCode(f.candidate.carriers.front().position)));
    if (sorted)
        words.sort();
    return words.join(QStringLiteral(", ")).toStdString();
}
