#include "platform/mail_sender.h"
#include "smtp_server.h"
#include "test_servers.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
const QString kUser = QStringLiteral("notice@parcelvue.localhost");
const QString kPassword = QStringLiteral("k3y9x2ab");

MailMessage sampleMail()
{
    MailMessage mail;
    mail.from = kUser;
    mail.to = QStringLiteral("watcher@example.localhost");
    mail.subject = QStringLiteral("您的快递【衣服】有最新动态 - LumetraParcelvue");
    mail.htmlBody = QStringLiteral("<p>到达【北京】转运中心 &amp; 派件</p>");
    return mail;
}

SmtpAccount account(int port, const QString &password = kPassword)
{
    return {QStringLiteral("127.0.0.1"), port, kUser, password};
}

// Decodes the words the encoder wrote, so the tests can check they carry the text whole.
QString decodeWords(const QByteArray &header)
{
    QByteArray bytes;
    for (QByteArray word : header.split(' ')) {
        word = word.trimmed();
        if (!word.startsWith("=?UTF-8?B?") || !word.endsWith("?="))
            return QStringLiteral("<not an encoded word: %1>").arg(QString::fromLatin1(word));
        bytes += QByteArray::fromBase64(word.mid(10, word.size() - 12));
    }
    return QString::fromUtf8(bytes);
}
} // namespace

TEST(MailHeader, EncodesWordsOfAtMost75CharactersOnCharacterBoundaries)
{
    const QString cases[] = {
        QStringLiteral("您的快递【】有最新动态 - LumetraParcelvue"),
        QStringLiteral("您的快递【一件很长的备注：冬季羽绒服两件、围巾一条、手套三副、帽子】有最新动态 - "
                       "LumetraParcelvue"),
        QStringLiteral("Café 😀 €"),
        QStringLiteral("line\r\nBcc: someone@else"),
        QStringLiteral("=?UTF-8?B?looks encoded?="),
    };
    for (const QString &text : cases) {
        const QByteArray encoded = encodeHeaderText(text);
        for (const QByteArray &line : encoded.split('\n')) {
            EXPECT_LE(line.trimmed().size(), 75) << text.toStdString();
        }
        EXPECT_FALSE(encoded.contains("\r\nB")) << "a line break must not start a header line";
        EXPECT_EQ(decodeWords(QByteArray(encoded).replace("\r\n", "")), text);
    }
    EXPECT_EQ(encodeHeaderText(QStringLiteral("Plain subject")), QByteArray("Plain subject"));
}

TEST(MailHeader, AddressThatCouldAddAHeaderIsRefused)
{
    const char *const addresses[] = {"a@b.c\r\nBcc: x@y.z", "a@b.c\nX: 1", "", "   "};
    for (const char *address : addresses) {
        MailMessage mail = sampleMail();
        mail.to = QString::fromLatin1(address);
        QString error;
        EXPECT_TRUE(composeMail(mail, &error).isEmpty()) << address;
        EXPECT_FALSE(error.isEmpty());
    }
    QString error;
    const QByteArray mail = composeMail(sampleMail(), &error);
    EXPECT_TRUE(error.isEmpty());
    EXPECT_TRUE(mail.contains("\r\nTo: watcher@example.localhost\r\n"));
    EXPECT_TRUE(mail.contains("Content-Type: text/html; charset=UTF-8\r\n"));
    for (const QByteArray &line : mail.split('\n'))
        EXPECT_LE(line.size(), 998);
}

TEST(MailSend, ServerReceivesEnvelopeHeadersAndDecodableText)
{
    SmtpTestServer server(kUser, kPassword);
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    MailSender sender;
    const MailResult result = sender.send(account(server.port()), sampleMail());
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(result.error.isEmpty());

    const auto messages = server.received();
    ASSERT_EQ(messages.size(), 1u);
    const auto &m = messages[0];
    EXPECT_EQ(m.mailFrom, kUser);
    EXPECT_EQ(m.recipients, QStringList {QStringLiteral("watcher@example.localhost")});
    EXPECT_EQ(m.login, kUser);
    EXPECT_EQ(m.header(QStringLiteral("From")), kUser);
    EXPECT_EQ(m.header(QStringLiteral("To")), QStringLiteral("watcher@example.localhost"));
    EXPECT_FALSE(m.header(QStringLiteral("Date")).isEmpty());
    EXPECT_EQ(m.subject, sampleMail().subject);
    EXPECT_TRUE(m.rawHeaders.contains(QStringLiteral("=?UTF-8?B?"))) << m.rawHeaders.toStdString();
    EXPECT_EQ(m.contentType, QStringLiteral("text/html"));
    EXPECT_EQ(m.charset.toLower(), QStringLiteral("utf-8"));
    EXPECT_EQ(m.body.trimmed(), sampleMail().htmlBody);
}

TEST(MailSend, FailuresCarryADescriptionAndEndInTime)
{
    struct Case
    {
        const char *name;
        SmtpTestServer::Mode mode;
        bool serverRuns;
        QString password;
    } cases[] = {
        {"wrong password", SmtpTestServer::Mode::Accept, true, QStringLiteral("wrong")},
        {"connection refused", SmtpTestServer::Mode::Accept, false, kPassword},
        {"server stalls", SmtpTestServer::Mode::Stall, true, kPassword},
    };
    for (const Case &c : cases) {
        SmtpTestServer server(kUser, kPassword, c.mode);
        int port = closedLoopbackPort();
        if (c.serverRuns) {
            ASSERT_TRUE(server.start()) << server.error().toStdString();
            port = server.port();
        }
        MailSender sender;
        sender.setTimeouts(2000, 2000);
        QElapsedTimer clock;
        clock.start();
        const MailResult result = sender.send(account(port, c.password), sampleMail());
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_FALSE(result.error.isEmpty()) << c.name;
        EXPECT_LT(clock.elapsed(), 15000) << c.name << " did not end";
        EXPECT_TRUE(server.received().empty()) << c.name;
    }
}

TEST(MailSend, EventsKeepRunningWhileTheSendWaits)
{
    SmtpTestServer server(kUser, kPassword, SmtpTestServer::Mode::Stall);
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    MailSender sender;
    sender.setTimeouts(2000, 1500);
    int ticks = 0;
    bool busySeen = false;
    QTimer probe;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        ++ticks;
        busySeen = busySeen || sender.busy();
    });
    probe.start(50);
    const MailResult result = sender.send(account(server.port()), sampleMail());
    EXPECT_FALSE(result.ok);
    EXPECT_GT(ticks, 5);
    EXPECT_TRUE(busySeen);
    EXPECT_FALSE(sender.busy());
}
