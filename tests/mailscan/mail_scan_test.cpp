#include "core/carrier_catalogue.h"
#include "mailscan/clipboard_offer.h"
#include "mailscan/mail_folder.h"
#include "mailscan/mail_scan.h"
#include "shop_mails.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct MailCase
{
    int mail;
    const char *sender;
    const char *subject;
    const char *numbers; // "NUMBER code" joined by ", "
};

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
