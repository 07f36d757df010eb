#include "desktop_harness.h"
#include "gui/mailscan/mail_import_dialog.h"
#include "gui/mailscan/mail_watch.h"
#include "gui/window/main_window.h"
#include "imap_server.h"
#include "mailscan/mail_account.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>

namespace {
void writeMail(const QString &dir, const QString &name, const QByteArray &mail)
{
    QFile file(QDir(dir).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(mail);
}

// A Maildir of three shop mails and a newsletter; one number is saved already.
QString shopMaildir(const QTemporaryDir &dir)
{
    const QString maildir = dir.filePath(QStringLiteral("Mail"));
    for (const char *sub : {"cur", "new", "tmp"})
        QDir().mkpath(QDir(maildir).filePath(QLatin1String(sub)));
    const QString cur = QDir(maildir).filePath(QStringLiteral("cur"));
    writeMail(cur, QStringLiteral("1.mail:2,"),
              "From: Shop Example <orders@shop.example>\nSubject: Your order has shipped\n"
              "Date: Mon, 07 Dec 2026 10:00:00 +0800\n\nUPS tracking number: 1Z999AA10123456784\n");
    writeMail(cur, QStringLiteral("2.mail:2,S"),
              "From: =?UTF-8?B?5reY5a6d572R?= <shop@taobao.example>\nSubject: =?UTF-8?B?5bey5Y+R6LSn?=\n"
              "Date: Tue, 08 Dec 2026 10:00:00 +0800\nContent-Type: text/plain; charset=UTF-8\n"
              "Content-Transfer-Encoding: 8bit\n\n您的包裹已由顺丰速运发出，运单号：SF1234567890123\n");
    writeMail(cur, QStringLiteral("3.mail:2,"),
              "From: news@shop.example\nSubject: Newsletter\nDate: Tue, 08 Dec 2026 11:00:00 +0800\n\n"
              "Order 202612081234567, call 13812345678, total 99.00\n");
    writeMail(QDir(maildir).filePath(QStringLiteral("new")), QStringLiteral("4.mail"),
              "From: Shop <a@b.example>\nSubject: again\nDate: Tue, 08 Dec 2026 12:00:00 +0800\n\n"
              "运单号 SF1001 顺丰\n");
    return maildir;
}
} // namespace

// The menu entry opens the dialog; a Maildir gives its new numbers in 找到的单号, and 添加所选 saves
// the checked ones with the notes as edited, nothing else.
TEST(MailImport, FoundNumbersAreSavedOnlyWhenChosen)
{
    DesktopHarness h;
    ASSERT_EQ(h.form().Combo5->itemText(8), QStringLiteral("从邮件导入"));
    h.form().Combo5->setCurrentIndex(8);
    Q_EMIT h.form().Combo5->activated(8);
    MailImportDialog *dialog = h.session->mailImport();
    ASSERT_TRUE(dialog && dialog->isVisible());
    EXPECT_EQ(dialog->days->value(), 30);
    for (QWidget *input : {static_cast<QWidget *>(dialog->folderPath), static_cast<QWidget *>(dialog->days),
                           static_cast<QWidget *>(dialog->found)})
        EXPECT_FALSE(input->accessibleName().isEmpty()) << input->objectName().toStdString();

    QTemporaryDir dir;
    h.test.saveDialog.nextName = dir.filePath(QStringLiteral("nothing-here"));
    dialog->chooseFile->click();
    dialog->scan->click();
    EXPECT_TRUE(dialog->status->text().contains(QStringLiteral("不是 mbox 文件或 Maildir 目录")));

    h.test.saveDialog.nextName = shopMaildir(dir);
    dialog->chooseDirectory->click();
    dialog->days->setValue(0);
    QSignalSpy finished(dialog, &MailImportDialog::scanFinished);
    dialog->scan->click();
    ASSERT_TRUE(waitUntil([&] { return finished.size() == 1; }, 10000));
    EXPECT_EQ(dialog->status->text(), QStringLiteral("读取了4封邮件,找到2个新单号"));
    ASSERT_EQ(dialog->found->rowCount(), 2);
    QStringList numbers;
    for (int row = 0; row < 2; ++row)
        numbers << dialog->found->item(row, 0)->text();
    numbers.sort();
    EXPECT_EQ(numbers,
              (QStringList {QStringLiteral("1Z999AA10123456784"), QStringLiteral("SF1234567890123")}));

    const QStringList before = h.session->mainWindow().savedLines();
    const int ups = dialog->found->item(0, 0)->text().startsWith(QLatin1String("1Z")) ? 0 : 1;
    dialog->found->item(1 - ups, 0)->setCheckState(Qt::Unchecked);
    dialog->found->item(ups, 2)->setText(QStringLiteral("耳机"));
    dialog->addChosen->click();
    const QStringList after = h.session->mainWindow().savedLines();
    ASSERT_EQ(after.size(), before.size() + 1);
    EXPECT_EQ(after.last(), QStringLiteral("1Z999AA10123456784|UPS|耳机"));
    EXPECT_EQ(dialog->found->rowCount(), 1) << "the unchecked number stays to be chosen";
    EXPECT_EQ(dialog->found->item(0, 0)->text(), QStringLiteral("SF1234567890123"));
}

// 收件服务器: the account of endpoints.ini read over TLS from a Dovecot of the test's own; no flag
// changes, a second reading reads only what came since, and the automatic check offers the new
// numbers in a notification whose 查看 shows them in the table.
TEST(MailImport, TheMailboxIsReadOnlyAndOnlyItsNewMailIsOffered)
{
    if (!ImapTestServer::installed())
        GTEST_SKIP() << "dovecot or openssl is not installed (scripts/install-deps.sh installs them)";
    const QString user = QStringLiteral("reader@parcelvue.localhost"), secret = QStringLiteral("pw-9x!");
    ImapTestServer server(user, secret);
    server.deliver("From: Shop Example <orders@shop.example>\nSubject: Your order has shipped\n"
                   "Date: Mon, 07 Dec 2026 10:00:00 +0800\n\nUPS tracking number: 1Z999AA10123456784\n");
    server.deliver("From: news@shop.example\nSubject: Newsletter\n\nOrder 202612081234567, total 99.00\n");
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    const QString status = server.mailboxStatus();

    DesktopHarness h;
    MailAccountSettings settings;
    settings.account.host = QStringLiteral("127.0.0.1");
    settings.account.port = server.tlsPort();
    settings.account.login = user;
    settings.account.password = secret;
    settings.account.caFile = server.caFile();
    settings.passwordInFile = true;
    ASSERT_TRUE(saveMailAccount(QDir(h.test.dataDir()).filePath(QStringLiteral("endpoints.ini")), settings));

    h.session->showMailImport();
    MailImportDialog *dialog = h.session->mailImport();
    ASSERT_TRUE(dialog->serverSource->isChecked()) << "an account set up is the source";
    EXPECT_EQ(dialog->port->value(), server.tlsPort());
    QSignalSpy finished(dialog, &MailImportDialog::scanFinished);
    const auto scan = [&] {
        dialog->scan->click();
        return waitUntil([&] { return !finished.isEmpty(); }, 20000) && (finished.clear(), true);
    };
    ASSERT_TRUE(scan());
    EXPECT_EQ(dialog->status->text(), QStringLiteral("读取了2封邮件,找到1个新单号"))
        << server.log().toStdString();
    ASSERT_EQ(dialog->found->rowCount(), 1);
    EXPECT_EQ(dialog->found->item(0, 0)->text(), QStringLiteral("1Z999AA10123456784"));
    EXPECT_EQ(server.mailboxStatus(), status) << "no message was marked read";
    ASSERT_TRUE(scan());
    EXPECT_EQ(dialog->status->text(), QStringLiteral("读取了0封邮件,找到0个新单号"))
        << "only what came since";

    server.deliver("From: 京东 <jd@jd.example>\nSubject: =?UTF-8?B?5bey5Y+R6LSn?=\nContent-Type: text/plain; "
                   "charset=UTF-8\n\n您的订单已由顺丰速运发出，运单号：SF1234567890123\n");
    dialog->close();
    h.session->mailWatch().checkNow();
    ASSERT_TRUE(waitUntil([&] { return h.notifications() == 1; }, 20000)) << server.log().toStdString();
    const FakeDesktop::Notification offer = h.fake.notifications().at(0);
    EXPECT_EQ(offer.summary, QStringLiteral("发现1个新单号"));
    EXPECT_EQ(h.session->mainWindow().savedLines().size(), 3) << "nothing is added by itself";
    h.fake.invokeAction(offer.id, QStringLiteral("view"));
    ASSERT_TRUE(waitUntil([&] { return dialog->isVisible(); }));
    ASSERT_EQ(dialog->found->rowCount(), 1);
    EXPECT_EQ(dialog->found->item(0, 0)->text(), QStringLiteral("SF1234567890123"));
}
