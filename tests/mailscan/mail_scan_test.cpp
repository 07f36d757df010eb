#include "core/carrier_catalogue.h"
#include "mailscan/clipboard_offer.h"
#include "mailscan/mail_folder.h"
#include "mailscan/mail_scan.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray encoded(const QString &text, const char *charset)
{
    QStringEncoder encoder(charset);
    return encoder.encode(text);
}

QByteArray utf8(const char *text)
{
    return QByteArray(text);
}

// Shop and carrier mails of the shapes they come in: charsets, transfer encodings, HTML and plain,
// nested parts, attachments, broken structure.
QByteArray shopMail(int which)
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

struct MailCase
{
    int mail;
    const char *sender;
    const char *subject;
    const char *numbers; // "NUMBER code" joined by ", "
};

std::string numbersOf(const MailScan &scan)
{
    QStringList words;
    for (const FoundNumber &f : scan.found())
        words.append(f.candidate.number + QLatin1Char(' ')
                     + carrierCode(f.candidate.carriers.front().position));
    return words.join(QStringLiteral(", ")).toStdString();
}
} // namespace

TEST(MailScan, ReadsMailsAsTheyComeAndFindsTheirWaybills)
{
    const MailCase cases[] = {
        {0, "小米商城", "您的订单已发货", "731234567890 zhongtong"},
        {1, "Shop Example", "Your order has shipped", "1Z999AA10123456784 ups"},
        {2, "商店", "shipped", "SF1234567890123 shunfeng"},
        {3, "jp@example.jp", "テスト", "EA123456785CN ems"},
        {4, "x@y.example", "运单", "YT1234567890123 yuantong"},
        {5, "shop@x.example", "订单确认", ""},
    };
    for (const MailCase &c : cases) {
        SCOPED_TRACE(c.mail);
        const MailText mail = readMail(shopMail(c.mail));
        EXPECT_EQ(mail.sender.toStdString(), c.sender);
        EXPECT_EQ(mail.subject.toStdString(), c.subject);
        MailScan scan({}, {});
        scan.add(mail);
        EXPECT_EQ(numbersOf(scan), c.numbers);
    }
    EXPECT_EQ(readMail(shopMail(0)).date,
              QDateTime::fromString(QStringLiteral("2026-12-07T02:00:00Z"), Qt::ISODate));
}

// Saved numbers and numbers of earlier mails are left out; mails before the scan's start are skipped;
// the note is the shop's name, or the subject where the sender is an address or a no-reply name.
TEST(MailScan, LeavesOutWhatIsKnownAndNotesTheShop)
{
    MailScan scan({QStringLiteral("731234567890")},
                  QDateTime::fromString(QStringLiteral("2026-12-08T00:00:00Z"), Qt::ISODate));
    EXPECT_EQ(scan.add(shopMail(0)), 0); // dated before
    EXPECT_EQ(scan.add(shopMail(1)), 1);
    EXPECT_EQ(scan.add(shopMail(1)), 0);
    EXPECT_EQ(scan.mailsRead(), 2);
    ASSERT_EQ(scan.found().size(), 1u);
    EXPECT_EQ(scan.found()[0].note, QStringLiteral("Shop Example"));

    MailText mail;
    const struct
    {
        const char *sender, *subject, *note;
    } notes[] = {
        {"淘宝网", "您的宝贝已发货", "淘宝网"},
        {"noreply@shop.example", "Your order has shipped", "Your order has shipped"},
        {"Amazon No-Reply", "Your Amazon.de order of \"USB-C cable\" has been dispatched",
         "Your Amazon.de order of…"},
        {"", "您的订单2026120912345678已由顺丰速运发出,请注意查收", "您的订单2026120912345678已由顺…"},
    };
    for (const auto &n : notes) {
        mail.sender = QString::fromUtf8(n.sender);
        mail.subject = QString::fromUtf8(n.subject);
        EXPECT_EQ(noteFromMail(mail).toStdString(), n.note);
    }
}

// An mbox file and a Maildir give their messages in order, unchanged; ">From " lines are unquoted.
TEST(MailScan, LocalFolders)
{
    QTemporaryDir dir;
    const QString mbox = dir.filePath(QStringLiteral("Inbox"));
    QFile file(mbox);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("From a@b Mon Dec  7 10:00:00 2026\nSubject: one\n\n>From the shop: 运单号 SF1234567890123\n\n"
               "From c@d Tue Dec  8 10:00:00 2026\nSubject: two\n\nnothing here\n");
    file.close();
    QList<QByteArray> messages;
    MailFolderKind kind;
    ASSERT_TRUE(mailFolderKind(mbox, &kind));
    EXPECT_EQ(kind, MailFolderKind::Mbox);
    EXPECT_EQ(readMailFolder(mbox, kind, [&](const QByteArray &raw) { return messages.append(raw), true; }),
              QString());
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0], QByteArray("Subject: one\n\nFrom the shop: 运单号 SF1234567890123\n"));
    EXPECT_EQ(readMail(messages[1]).subject, QStringLiteral("two"));

    const QString maildir = dir.filePath(QStringLiteral("Maildir"));
    QDir().mkpath(maildir + QStringLiteral("/cur"));
    QDir().mkpath(maildir + QStringLiteral("/new"));
    for (int i = 0; i < 3; ++i) {
        QFile m(maildir + (i == 2 ? QStringLiteral("/new/") : QStringLiteral("/cur/")) + QString::number(i)
                + QStringLiteral(".host:2,S"));
        ASSERT_TRUE(m.open(QIODevice::WriteOnly));
        m.write(shopMail(i));
    }
    MailScan scan({}, {});
    ASSERT_TRUE(mailFolderKind(maildir, &kind));
    EXPECT_EQ(readMailFolder(maildir, kind, [&](const QByteArray &raw) { return scan.add(raw), true; }),
              QString());
    EXPECT_EQ(numbersOf(scan), "731234567890 zhongtong, 1Z999AA10123456784 ups, SF1234567890123 shunfeng");
    EXPECT_EQ(QDir(maildir + QStringLiteral("/cur")).entryList(QDir::Files).join(QLatin1Char(' ')),
              QStringLiteral("0.host:2,S 1.host:2,S")); // nothing moved or renamed

    EXPECT_NE(readMailFolder(dir.filePath(QStringLiteral("none")), MailFolderKind::Mbox,
                             [](const QByteArray &) { return true; }),
              QString());
    EXPECT_TRUE(readMailFolder(dir.path(), MailFolderKind::Maildir, [](const QByteArray &) {
                    return true;
                }).contains(QStringLiteral("Maildir")));
}

// What a copy offers: one confident number, not saved, not offered before, from a short text.
TEST(ClipboardOffer, OneConfidentNewNumberFromAShortText)
{
    const QSet<QString> known {QStringLiteral("SF1111111111111")};
    const struct
    {
        QString text;
        const char *offered; // "" for none
    } cases[] = {
        {QStringLiteral("顺丰快递 运单号 SF1234567890123"), "添加快递 SF1234567890123 (顺丰快递)?"},
        {QStringLiteral("  sf1234567890123 顺丰 "), "添加快递 SF1234567890123 (顺丰快递)?"},
        {QStringLiteral("运单号 SF1111111111111"), ""}, // saved already
        {QStringLiteral("运单号 SF1234567890123, 运单号 SF2234567890123"), ""}, // which one is the user's
        {QStringLiteral("订单号 202612091234567 电话 13812345678"), ""},
        {QStringLiteral("运单号 SF1234567890123 ") + QString(kClipboardTextLimit, QLatin1Char('x')), ""},
        {QString(), ""},
    };
    for (const auto &c : cases) {
        const auto offer = clipboardOffer(c.text, known);
        EXPECT_EQ(offer ? clipboardOfferText(*offer).toStdString() : std::string(), c.offered)
            << c.text.left(60).toStdString();
    }
}
