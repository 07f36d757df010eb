#include "english_interface.h"
#include "imap_server.h"
#include "mailscan/mail_scan.h"
#include "platform/imap_reader.h"
#include "qt_wait.h"
#include "raw_socket_server.h"
#include "shop_mails.h"

#include <QSemaphore>
#include <gtest/gtest.h>

namespace {
const QString kUser = QStringLiteral("reader@parcelvue.localhost");
const QString kPassword = QStringLiteral("q7-Lm2#zz");

// The messages of the test mailbox: the shop mails of every shape, and one of 9 MB.
constexpr int kShopMails = 6;
const char *const kAllNumbers
    = "1Z999AA10123456784 ups, 731234567890 zhongtong, EA123456785CN ems, "
      "SF1234567890123 shunfeng, SF1357924680135 shunfeng, YT1234567890123 yuantong";

class ImapScan : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!ImapTestServer::installed())
            GTEST_SKIP() << "dovecot or openssl is not installed (scripts/install-deps.sh installs them)";
        for (int i = 0; i < kShopMails; ++i)
            server.deliver(shopMail(i));
        server.deliver(largeShopMail());
        ASSERT_TRUE(server.start()) << server.error().toStdString();
    }

    ImapAccount account(ImapSecurity security = ImapSecurity::Tls) const
    {
        ImapAccount a;
        a.host = QStringLiteral("127.0.0.1");
        a.security = security;
        a.port = security == ImapSecurity::Tls ? server.tlsPort() : server.startTlsPort();
        a.login = kUser;
        a.password = kPassword;
        a.caFile = server.caFile();
        return a;
    }

    ImapReadResult scan(const ImapAccount &a, const ImapScanState &state, MailScan *mails,
                        const QDate &since = {}, const ImapLimits &limits = {})
    {
        progress.clear();
        return readImapMessages(
            a, state, since, [&](const QByteArray &raw) { return mails->add(raw), true; },
            [&](int done, int total) { progress.append(QStringLiteral("%1/%2").arg(done).arg(total)); },
            nullptr, limits);
    }

    ImapTestServer server {kUser, kPassword};
    QStringList progress;
};
} // namespace

// Every message is read, over TLS and over STARTTLS, and the server keeps every flag as it was.
TEST_F(ImapScan, ReadsEveryMessageAndChangesNoFlag)
{
    const QStringList before = server.messageFiles();
    const QString status = QStringLiteral("messages=7 recent=7 unseen=7");
    ASSERT_EQ(server.mailboxStatus().toStdString(), status.toStdString());
    for (ImapSecurity security : {ImapSecurity::Tls, ImapSecurity::StartTls}) {
        SCOPED_TRACE(static_cast<int>(security));
        MailScan mails({}, {});
        const ImapReadResult result = scan(account(security), {}, &mails);
        EXPECT_EQ(result.error.toStdString(), "") << server.log().toStdString();
        EXPECT_EQ(result.messages, kShopMails + 1);
        EXPECT_EQ(numbersOf(mails, true), kAllNumbers);
        EXPECT_GT(result.state.uidValidity, 0);
        EXPECT_EQ(result.state.highestUid, kShopMails + 1);
        EXPECT_EQ(progress.join(QLatin1Char(' ')), QStringLiteral("0/7 1/7 2/7 3/7 4/7 5/7 6/7 7/7"));
    }
    // Still unseen, and still new to the user's own mail program (which SELECT would have taken);
    // the Maildir's files neither renamed (flags are in the names) nor moved.
    EXPECT_EQ(server.mailboxStatus().toStdString(), status.toStdString());
    EXPECT_EQ(server.messageFiles().join(QLatin1Char(' ')).toStdString(),
              before.join(QLatin1Char(' ')).toStdString());
}

// A scan goes on from the state of the last one: only new messages, all again when UIDVALIDITY
// changed, only messages from the given day on.
TEST_F(ImapScan, ReadsOnlyWhatIsNewSinceTheLastScan)
{
    MailScan first({}, {});
    const ImapReadResult all = scan(account(), {}, &first);
    ASSERT_EQ(all.error.toStdString(), "");
    server.deliver(utf8("From: shop@x.example\nSubject: later\n\n运单号 YT9876543210987\n"));

    const struct
    {
        const char *what;
        ImapScanState state;
        QDate since;
        int messages;
        const char *numbers;
        qint64 highestUid;
    } cases[] = {
        {"after the last scan", all.state, {}, 1, "YT9876543210987 yuantong", 8},
        {"of another UIDVALIDITY", {all.state.uidValidity + 1, 7}, {}, kShopMails + 2, nullptr, 8},
        {"from tomorrow on", {}, QDate::currentDate().addDays(1), 0, "", 0},
        {"after the last scan, from yesterday on", all.state, QDate::currentDate().addDays(-1), 1,
         "YT9876543210987 yuantong", 8},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        MailScan mails({}, {});
        const ImapReadResult result = scan(account(), c.state, &mails, c.since);
        EXPECT_EQ(result.error.toStdString(), "");
        EXPECT_EQ(result.messages, c.messages);
        if (c.numbers) {
            EXPECT_EQ(numbersOf(mails, true), c.numbers);
        }
        EXPECT_EQ(result.state, (ImapScanState {all.state.uidValidity, c.highestUid}));
    }
}

// Each failure says, naming the server, what went wrong; nothing is read, nothing hangs.
TEST_F(ImapScan, FailuresNameTheServerAndSayWhy)
{
    RawSocketServer stalled([](RawConnection &c) { c.stall(); });
    const ImapLimits quick {1500, 1500, 1024, 60};
    const struct
    {
        const char *what;
        ImapAccount account;
        const char *says;
    } cases[] = {
        {"certificate of nobody trusted",
         [&] {
             ImapAccount a = account(ImapSecurity::StartTls);
             a.caFile.clear();
             return a;
         }(),
         "：服务器证书未通过验证"},
        {"no such folder",
         [&] {
             ImapAccount a = account();
             a.folder = QStringLiteral("Nowhere");
             return a;
         }(),
         "：没有文件夹“Nowhere”"},
        {"stalled, TLS",
         [&] {
             ImapAccount a = account();
             a.port = stalled.port();
             return a;
         }(),
         "：服务器没有在规定时间内应答"},
        {"stalled, STARTTLS",
         [&] {
             ImapAccount a = account(ImapSecurity::StartTls);
             a.port = stalled.port();
             return a;
         }(),
         "：服务器没有在规定时间内应答"},
        {"nothing listening",
         [&] {
             ImapAccount a = account();
             a.port = 1;
             return a;
         }(),
         "：无法连接收件服务器"},
        // last: the server holds off further logins from an address that failed one
        {"wrong password",
         [&] {
             ImapAccount a = account();
             a.password = QStringLiteral("nope");
             return a;
         }(),
         "：登录被拒绝，请检查用户名和密码"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        MailScan mails({}, {});
        const ImapReadResult result
            = scan(c.account, {}, &mails, {}, c.account.port == stalled.port() ? quick : ImapLimits());
        const QString server = QStringLiteral("收件服务器 127.0.0.1:%1").arg(c.account.port);
        EXPECT_TRUE(result.error.startsWith(server + QString::fromUtf8(c.says)))
            << result.error.toStdString();
        EXPECT_EQ(result.messages, 0);
        EXPECT_EQ(mails.mailsRead(), 0);
        EXPECT_EQ(result.state, ImapScanState());
    }
    // Under the English interface the same failure is told in English.
    const EnglishInterface english;
    ImapAccount nowhere = account();
    nowhere.folder = QStringLiteral("Nowhere");
    MailScan mails({}, {});
    const QString error = scan(nowhere, {}, &mails).error;
    EXPECT_TRUE(error.startsWith(
        QStringLiteral("Incoming mail server 127.0.0.1:%1: There is no folder “Nowhere” (server: ")
            .arg(nowhere.port)))
        << error.toStdString();
}

// A server that stops answering after the login is given up after the bound on its silence.
TEST_F(ImapScan, ServerFallingSilentMidSessionIsGivenUp)
{
    MailScan mails({}, {});
    const ImapReadResult result = readImapMessages(
        account(), {}, {}, [&](const QByteArray &raw) { return mails.add(raw), true; },
        [&](int done, int) {
            if (done == 0) // the search is answered, the messages not yet asked for
                server.pauseSessions(true);
        },
        nullptr, {5000, 1500, 1024, 60});
    server.pauseSessions(false);
    EXPECT_EQ(result.error.toStdString(),
              QStringLiteral("收件服务器 127.0.0.1:%1：服务器没有在规定时间内应答")
                  .arg(server.tlsPort())
                  .toStdString());
    EXPECT_EQ(result.messages, 0);
    EXPECT_EQ(result.state.highestUid, 0);
}

// The reader on its thread: progress reaches the window's thread, a cancel stops the read after the
// message under way, and the state covers what was read, so the next scan goes on from there.
TEST_F(ImapScan, ReaderOnItsThreadCancelsAndGoesOn)
{
    ImapReader reader;
    QSemaphore cancelled;
    MailScan mails({}, {});
    QStringList seen;
    ImapReadResult result;
    bool done = false;
    QObject::connect(&reader, &ImapReader::progress,
                     [&](int n, int total) { seen.append(QStringLiteral("%1/%2").arg(n).arg(total)); });
    QObject::connect(&reader, &ImapReader::finished, [&](const ImapReadResult &r) {
        result = r;
        done = true;
    });
    ASSERT_TRUE(reader.start(account(), {}, {}, [&](const QByteArray &raw) {
        // The first message is under way when the window asks to stop.
        QMetaObject::invokeMethod(
            &reader,
            [&] {
                reader.cancel();
                cancelled.release();
            },
            Qt::QueuedConnection);
        cancelled.acquire();
        return mails.add(raw), true;
    }));
    EXPECT_FALSE(reader.start(account(), {}, {}, [](const QByteArray &) { return true; }));
    ASSERT_TRUE(waitUntil([&] { return done; }, 30000));
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.error.toStdString(), "");
    EXPECT_EQ(result.messages, 1);
    EXPECT_EQ(seen.join(QLatin1Char(' ')), QStringLiteral("0/7 1/7"));
    EXPECT_EQ(result.state.highestUid, 1);

    MailScan rest({}, {});
    const ImapReadResult next = scan(account(), result.state, &rest);
    EXPECT_EQ(next.messages, kShopMails);
    EXPECT_EQ(mails.mailsRead() + rest.mailsRead(), kShopMails + 1);
}

TEST(ImapMailbox, NamesGoInModifiedUtf7AndQuoted)
{
    const struct
    {
        const char *name, *argument;
    } cases[] = {
        {"INBOX", "\"INBOX\""},
        {"已发送", "\"&XfJT0ZAB-\""},
        {"Shops & 快递/京东", "\"Shops &- &X+uQEg-/&TqxOHA-\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"line\r\nA1 DELETE INBOX", "\"line&AA0ACg-A1 DELETE INBOX\""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(imapMailboxArgument(QString::fromUtf8(c.name)).toStdString(), c.argument) << c.name;
}
