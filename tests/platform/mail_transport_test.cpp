#include "english_interface.h"
#include "monitor/mail_body.h"
#include "monitor/mail_message.h"
#include "smtp_server.h"
#include "test_servers.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kUser = QStringLiteral("notice@parcelvue.localhost");
const QString kPassword = QStringLiteral("a1b2c3d4");
using Tls = SmtpTestServer::Tls;

MailMessage noticeMail()
{
    MailBodyValues v;
    v.remark = QStringLiteral("<衣服> & 鞋");
    v.number = QStringLiteral("SF1234567890");
    v.time = QStringLiteral("2024-01-02 10:00:00");
    v.progress = QStringLiteral("到达【北京】转运中心");
    v.transit = QStringLiteral("1天2小时");
    v.carrier = QStringLiteral("顺丰快递");
    v.promoUrl = QStringLiteral("http://127.0.0.1:1/promo?a=1&b=2");
    v.promoText = QStringLiteral("推广");
    v.sendTime = QStringLiteral("2024-01-02 12:05:30");
    MailMessage mail;
    mail.from = kUser;
    mail.to = QStringLiteral("watcher@example.localhost");
    mail.subject = mailSubject(v.remark);
    mail.htmlBody = mailBody(Endpoints::defaults(), v);
    mail.textBody = mailText(Endpoints::defaults(), v);
    return mail;
}

struct Server
{
    SmtpTestServer smtp;
    explicit Server(Tls tls)
        : smtp(kUser, kPassword, SmtpTestServer::Mode::Accept, tls)
    {
        EXPECT_TRUE(smtp.start()) << smtp.error().toStdString();
    }
};

MailResult send(int port, SmtpSecurity security, const QString &caFile, const QString &password = kPassword)
{
    MailSender sender;
    sender.setTimeouts(5000, 10000);
    const SmtpAccount account {QStringLiteral("127.0.0.1"), port, kUser, password, security, caFile};
    return sender.send(account, outgoingMail(noticeMail()));
}
} // namespace

TEST(MailTransport, ReachesTlsAndStartTlsServersLoggingInOnlyWhenEncrypted)
{
    const struct
    {
        const char *name;
        Tls server;
        SmtpSecurity security;
    } cases[] = {
        {"implicit TLS", Tls::Implicit, SmtpSecurity::Tls},
        {"STARTTLS", Tls::StartTls, SmtpSecurity::StartTls},
        {"STARTTLS as the default of a port other than 465", Tls::StartTls, SmtpSecurity::ByPort},
        {"plain, chosen as such", Tls::None, SmtpSecurity::None},
    };
    for (const auto &c : cases) {
        Server s(c.server);
        const MailResult result
            = send(s.smtp.port(), c.security, c.server == Tls::None ? QString() : s.smtp.caFile());
        EXPECT_TRUE(result.ok) << c.name << ": " << result.error.toStdString();
        ASSERT_EQ(s.smtp.received().size(), 1u) << c.name;
        EXPECT_EQ(s.smtp.received()[0].login, kUser) << c.name;
        const auto logins = s.smtp.commands(QStringLiteral("AUTH"));
        ASSERT_EQ(logins.size(), 1u) << c.name;
        EXPECT_EQ(logins[0].encrypted, c.server != Tls::None) << c.name;
    }
}

TEST(MailTransport, TheTextAndTheDesignedHtmlArriveWholeAsAlternatives)
{
    Server s(Tls::StartTls);
    ASSERT_TRUE(send(s.smtp.port(), SmtpSecurity::StartTls, s.smtp.caFile()).ok);
    const auto mails = s.smtp.received();
    ASSERT_EQ(mails.size(), 1u);
    const auto &m = mails[0];
    const MailMessage sent = noticeMail();
    EXPECT_EQ(m.contentType, QStringLiteral("multipart/alternative"));
    EXPECT_TRUE(m.defects.isEmpty()) << m.defects.join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(m.subject, sent.subject);
    ASSERT_EQ(m.parts.size(), 2u);
    EXPECT_EQ(m.parts[0].contentType, QStringLiteral("text/plain"));
    EXPECT_EQ(m.parts[1].contentType, QStringLiteral("text/html"));
    for (const auto &part : m.parts) {
        EXPECT_EQ(part.charset.toLower(), QStringLiteral("utf-8"));
        EXPECT_EQ(part.transferEncoding, QStringLiteral("base64"));
    }
    EXPECT_EQ(m.parts[0].body, sent.textBody);
    EXPECT_EQ(m.parts[1].body, sent.htmlBody) << "the designed body, byte for byte";
    for (const char *fact : {"<衣服> & 鞋", "SF1234567890", "到达【北京】转运中心", "1天2小时", "顺丰快递",
                             "http://127.0.0.1:1/promo?a=1&b=2"})
        EXPECT_TRUE(m.parts[0].body.contains(QString::fromUtf8(fact))) << fact;
}

TEST(MailTransport, WithoutTheStartTlsOfferNothingIsSentAndNoLoginLeaves)
{
    for (SmtpSecurity security : {SmtpSecurity::StartTls, SmtpSecurity::ByPort}) {
        Server s(Tls::None);
        const MailResult result = send(s.smtp.port(), security, {});
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.startsWith(QStringLiteral("服务器不提供加密连接")))
            << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(QStringLiteral("加密方式选为“无”")));
        EXPECT_TRUE(s.smtp.commands(QStringLiteral("AUTH")).empty()) << "the password crossed in clear";
        EXPECT_FALSE(s.smtp.commands(QStringLiteral("EHLO")).empty()) << "the server was reached";
        EXPECT_TRUE(s.smtp.received().empty());
    }
}

TEST(MailTransport, FailuresSayWhatToCheckThenTheOwnText)
{
    QTemporaryDir dir;
    const QString missingCa = dir.filePath(QStringLiteral("none.pem"));
    const struct
    {
        const char *name;
        Tls server; // None with refused: no server at all
        bool refused;
        SmtpSecurity security;
        bool trusted;
        const char *password;
        const char *reason;
        const char *detail; // expected in the text after the reason
    } cases[] = {
        {"certificate of an unknown authority, TLS", Tls::Implicit, false, SmtpSecurity::Tls, false,
         "a1b2c3d4", "服务器证书不受信任：", "certificate"},
        {"certificate of an unknown authority, STARTTLS", Tls::StartTls, false, SmtpSecurity::StartTls, false,
         "a1b2c3d4", "服务器证书不受信任：", "certificate"},
        {"wrong password", Tls::Implicit, false, SmtpSecurity::Tls, true, "wrong", "登录被拒绝", "535"},
        {"TLS spoken to a plain server", Tls::None, false, SmtpSecurity::Tls, true, "a1b2c3d4",
         "无法建立加密连接", "SSL"},
        {"nothing listens", Tls::None, true, SmtpSecurity::Tls, true, "a1b2c3d4", "无法连接邮件服务器",
         "onnect"},
        {"certificate file missing", Tls::Implicit, false, SmtpSecurity::Tls, false, "a1b2c3d4",
         "证书文件无法读取", "none.pem"},
    };
    for (const auto &c : cases) {
        std::unique_ptr<Server> s;
        int port = closedLoopbackPort();
        QString caFile;
        if (!c.refused) {
            s = std::make_unique<Server>(c.server);
            port = s->smtp.port();
            caFile = c.trusted && c.server != Tls::None ? s->smtp.caFile() : QString();
        }
        if (QByteArray(c.name).contains("missing"))
            caFile = missingCa;
        const MailResult result = send(port, c.security, caFile, QString::fromLatin1(c.password));
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_TRUE(result.error.startsWith(QString::fromUtf8(c.reason)))
            << c.name << ": " << result.error.toStdString();
        EXPECT_TRUE(result.error.contains(QLatin1String(c.detail), Qt::CaseInsensitive))
            << c.name << ": " << result.error.toStdString();
        if (s) {
            EXPECT_TRUE(s->smtp.received().empty()) << c.name;
            for (const auto &login : s->smtp.commands(QStringLiteral("AUTH")))
                EXPECT_TRUE(login.encrypted) << c.name;
        }
    }
    // Under the English interface the reason is English; the transport's own text follows it.
    const EnglishInterface english;
    const MailResult refused = send(closedLoopbackPort(), SmtpSecurity::Tls, QString());
    EXPECT_TRUE(refused.error.startsWith(
        QStringLiteral("Cannot reach the mail server: check its address and port: ")))
        << refused.error.toStdString();
}
