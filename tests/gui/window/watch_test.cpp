#include "platform/text_codec.h"
#include "qt_wait.h"
#include "smtp_server.h"
#include "test_servers.h"
#include "window_harness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

// A saved parcel whose progress grows in the sandbox, watched by the loop query: each new row
// turns the update state red, plays the alert and mails the watcher.
TEST(Watch, LoopQueryFindsNewProgressPlaysAndMails)
{
    SandboxOptions options;
    options.stepSeconds = 1;
    TestSandbox sandbox(options);
    const QString user = QStringLiteral("notice@parcelvue.localhost");
    SmtpTestServer smtp(user, QStringLiteral("pw123456"));
    ASSERT_TRUE(smtp.start()) << smtp.error().toStdString();

    WindowHarness h;
    h.test.useServer(sandbox.baseUrl());
    h.test.useSmtp(smtp.port(), user, QStringLiteral("pw123456"));
    {
        QFile saved(h.test.dataDir() + QStringLiteral("/wlnum.ini"));
        ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
        saved.write(encodeGb(QStringLiteral("SF20240301|顺丰快递|冬衣\r\n")));
    }
    Form1 &form = h.open();
    form.Timer3->stop();
    form.Timer3_Timer(); // the version check unlocks the list
    ASSERT_TRUE(form.Text1->isEnabled());
    form.Check3->setChecked(true);
    form.Check2->setChecked(true);
    form.Sendmail->setText(QStringLiteral("watcher@example.localhost"));

    const auto parsed = [&] { return waitUntil([&] { return !form.Timer1->isActive(); }); };
    form.Text1->setCurrentIndex(0);
    form.Text1_Click();
    ASSERT_TRUE(parsed());
    const int firstRows = form.ListView1->topLevelItemCount();
    ASSERT_GE(firstRows, 1);
    EXPECT_EQ(form.Label12[3]->text(), QStringLiteral("有更新")) << "the first answer compares against 0";
    ASSERT_EQ(smtp.received().size(), 1u);

    form.Command10->click();
    form.Combo4->setCurrentIndex(0); // every minute
    form.Command5->click();
    ASSERT_EQ(form.Command5->text(), QStringLiteral("停止循环"));
    EXPECT_FALSE(form.Text1->isEnabled());

    // Wait for the sandbox to add a row, then let the minute pass.
    QThread::msleep(1100);
    form.Timer6_Timer();
    ASSERT_TRUE(parsed());
    EXPECT_GT(form.ListView1->topLevelItemCount(), firstRows);
    EXPECT_EQ(form.Label12[3]->text(), QStringLiteral("有更新"));
    EXPECT_EQ(form.Label12[3]->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(h.test.sound.played.size(), 2u);
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("快递有最新进展，已发送至邮箱!"));
    const auto mails = smtp.received();
    ASSERT_EQ(mails.size(), 2u);
    EXPECT_EQ(mails[1].subject, QStringLiteral("您的快递【冬衣】有最新动态 - LumetraParcelvue"));
    EXPECT_TRUE(mails[1].body.contains(QStringLiteral("（SF20240301）")));
    EXPECT_TRUE(mails[1].body.contains(form.ListView1->topLevelItem(0)->text(2)));
    EXPECT_EQ(sandbox.server().countRequests("/data/tg.txt"), 1);
    EXPECT_TRUE(mails[1].body.contains(QStringLiteral("/site/promo.html' target='_blank'")));
}
