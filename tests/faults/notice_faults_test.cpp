#include "fault_support.h"

#include "smtp_server.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTreeWidget>

namespace {
const QString kUser = QStringLiteral("notice@parcelvue.localhost");
const QString kPassword = QStringLiteral("a1b2c3d4");
const QString kFailed = QStringLiteral("最新信息发送失败!错误原因");

enum class StallAt { Greeting, DataCommand, MessageEnd };

// A mail server that answers like a real one up to the point where it falls silent.
FaultyService smtpStandIn(StallAt stallAt)
{
    return raw([stallAt](RawConnection &c) {
        if (!c.send("220 stand-in ESMTP\r\n"))
            return;
        if (stallAt == StallAt::Greeting) {
            c.stall();
            return;
        }
        while (c.readUntil("\r\n")) {
            const QByteArray command = c.received().left(4).toUpper();
            if (command == "DATA") {
                if (stallAt == StallAt::DataCommand || !c.send("354 go on\r\n") || !c.readUntil("\r\n.\r\n"))
                    break;
                c.stall();
                return;
            }
            if (command == "QUIT") {
                c.send("221 bye\r\n");
                return;
            }
            c.send(command == "EHLO" ? "250 stand-in\r\n" : "250 ok\r\n");
        }
        c.stall();
    });
}

struct SmtpFault
{
    const char *name;
    friend void PrintTo(const SmtpFault &fault, std::ostream *out) { *out << fault.name; }
};

class NoticeFaults : public ::testing::TestWithParam<SmtpFault>
{
};

TEST_P(NoticeFaults, FailureToldUpdateStaysNothingHangs)
{
    const std::string name = GetParam().name;
    std::unique_ptr<SmtpTestServer> smtp;
    FaultyService standIn;
    int port = closedLoopbackPort();
    QString password = kPassword;
    if (name == "WrongPassword") {
        smtp = std::make_unique<SmtpTestServer>(kUser, kPassword);
        ASSERT_TRUE(smtp->start()) << smtp->error().toStdString();
        port = smtp->port();
        password = QStringLiteral("wrong");
    } else if (name != "Refused") {
        standIn = smtpStandIn(name == "StallsAfterGreeting"   ? StallAt::Greeting
                                  : name == "StallsAfterData" ? StallAt::DataCommand
                                                              : StallAt::MessageEnd);
        port = standIn.raw->port();
    }

    FaultyService tracking = answering([](httplib::Response &r) {
        r.set_content("<table><tr><td>2024-01-02 08:00:00</td><td>已揽收</td></tr></table>",
                      "text/html; charset=utf-8");
    });
    WindowHarness h;
    h.test.useSmtp(port, kUser, password);
    h.test.mail.setTimeouts(1000, 2000);
    Form1 &form = openWindow(h, tracking.baseUrl, savedBefore());
    form.Check2->setChecked(true);
    form.Sendmail->setText(QStringLiteral("watcher@example.localhost"));

    const qint64 took = timed([&] {
        choose(form, 0);
        ASSERT_TRUE(parseDone(form));
    });
    EXPECT_LT(took, kHangBoundMs);

    const QString status = form.Label11[2]->text();
    EXPECT_TRUE(status.startsWith(kFailed)) << status.toStdString();
    EXPECT_GT(status.size(), kFailed.size()) << "no description";
    const QString reason = name == "Refused" ? QStringLiteral("无法连接邮件服务器")
        : name == "WrongPassword"            ? QStringLiteral("登录被拒绝")
                                             : QStringLiteral("连接超时");
    EXPECT_TRUE(status.startsWith(kFailed + reason)) << status.toStdString();
    EXPECT_EQ(form.Label12[3]->text(), QStringLiteral("有更新"));
    EXPECT_EQ(form.ListView1->topLevelItemCount(), 1);
    EXPECT_TRUE(form.Command1->isEnabled());
    EXPECT_TRUE(h.test.messages.shown.empty());
    EXPECT_EQ(readBytes(savedFileOf(h)), savedBefore());
    if (smtp) {
        EXPECT_TRUE(smtp->received().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Smtp, NoticeFaults,
                         ::testing::Values(SmtpFault {"Refused"}, SmtpFault {"WrongPassword"},
                                           SmtpFault {"StallsAfterGreeting"}, SmtpFault {"StallsAfterData"},
                                           SmtpFault {"StallsAfterMessage"}),
                         [](const auto &info) { return std::string(info.param.name); });
} // namespace
