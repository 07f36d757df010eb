#include "gui/dialogs/sender_settings_dialog.h"
#include "platform/secret_store.h"
#include "qt_wait.h"
#include "services/tracking_service.h"
#include "smtp_server.h"
#include "test_servers.h"
#include "window_harness.h"

#include <httplib.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
const QString kSender = QStringLiteral("notice@parcelvue.localhost");
const QString kPassword = QStringLiteral("app-code-1234");
const QString kNotice = QStringLiteral("watcher@example.localhost");
using Tls = SmtpTestServer::Tls;

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The main window with a tracking service whose answers grow by a row each query, so that every
// query is news and sends the notice.
struct MailWindow
{
    ScriptedHttpServer tracking;
    int rows = 0;
    WindowHarness h;
    Form1 *form = nullptr;
    QString iniPath;

    explicit MailWindow(const QByteArray &endpointsIni)
    {
        tracking.get("/", [this](const httplib::Request &, httplib::Response &response) {
            std::string body = "<table>";
            for (int i = 0; i <= rows; ++i)
                body += "<tr><td>2024-01-02 0" + std::to_string(i % 10) + ":00:00</td><td>到达第"
                    + std::to_string(i) + "站</td></tr>";
            response.set_content(body + "</table>", "text/html; charset=utf-8");
        });
        const QString base = tracking.start();
        iniPath = h.test.dataDir() + QStringLiteral("/endpoints.ini");
        QFile file(iniPath);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(endpointsIni);
        file.close();
        h.test.configuration.set(loadServiceEndpoints(iniPath));
        h.test.useServer(base);
        form = &h.open();
        form->Timer3->stop();
        form->show();
        form->Check2->setChecked(true);
        form->Sendmail->setText(kNotice);
    }

    void query()
    {
        ++rows;
        form->queriedRemark = QStringLiteral("衣服");
        form->ListView1->clear();
        form->intRowCount = 0;
        form->kdgs(QStringLiteral("SF100"));
        form->hx2();
        ASSERT_TRUE(waitUntil([&] { return !form->Timer1->isActive(); }));
    }

    // The settings panel, then its button, as a person would click them.
    SenderSettingsDialog *openDialog()
    {
        QTest::mouseClick(form->Command4, Qt::LeftButton);
        auto *button = form->Frame1->findChild<QPushButton *>(QStringLiteral("senderSettingsButton"));
        if (!button)
            return nullptr;
        QTest::mouseClick(button, Qt::LeftButton);
        SenderSettingsDialog *dialog = nullptr;
        waitUntil([&] {
            dialog = form->findChild<SenderSettingsDialog *>();
            return dialog && dialog->isVisible();
        });
        return dialog;
    }
};

template<typename T> T *control(QWidget *dialog, const char *name)
{
    T *found = dialog->findChild<T *>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

// Fills the server in as a user would: pick a preset close to it, then type over its address and
// port.
void typeServer(QWidget *dialog, int port, Qt::Key presetKey, int downPresses)
{
    auto *provider = control<QComboBox>(dialog, "provider");
    QTest::keyClick(provider, presetKey);
    for (int i = 0; i < downPresses; ++i)
        QTest::keyClick(provider, Qt::Key_Down);
    typeInto(control<QLineEdit>(dialog, "host"), QStringLiteral("127.0.0.1"));
    auto *portBox = control<QSpinBox>(dialog, "port");
    portBox->selectAll();
    QTest::keyClicks(portBox, QString::number(port));
}

QString resultText(QWidget *dialog)
{
    return control<QLabel>(dialog, "result")->text();
}
} // namespace

TEST(SenderDialog, TheButtonSitsInTheMailFrameInFreeSpace)
{
    MailWindow w("");
    QTest::mouseClick(w.form->Command4, Qt::LeftButton);
    auto *button = w.form->Frame1->findChild<QPushButton *>(QStringLiteral("senderSettingsButton"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("发件设置..."));
    EXPECT_TRUE(button->isVisible());
    EXPECT_TRUE(w.form->Frame1->rect().contains(button->geometry()));
    for (QWidget *designed :
         std::initializer_list<QWidget *> {w.form->Check2, w.form->lblSendmail, w.form->Sendmail})
        EXPECT_FALSE(button->geometry().intersects(designed->geometry()))
            << designed->objectName().toStdString();
    // The caption drawn in the frame's top line ends before the button.
    const QFontMetrics metrics(w.form->Frame1->font());
    EXPECT_LT(w.form->Check2->x() + metrics.horizontalAdvance(w.form->Frame1->title()), button->x());
    const QPoint centre = button->mapTo(w.form, button->rect().center());
    EXPECT_EQ(w.form->childAt(centre), button) << "nothing covers it";
    EXPECT_EQ(w.form->Sendmail->nextInFocusChain(), button) << "reached by Tab after the address";
}

TEST(SenderDialog, ControlsAreNamedByTheirLabelsAndPresetsFillTheServer)
{
    MailWindow w("");
    SenderSettingsDialog *dialog = w.openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("发件设置"));
    const struct
    {
        const char *label;
        const char *control;
    } labelled[]
        = {{"服务商", "provider"}, {"SMTP服务器", "host"}, {"端口", "port"},    {"加密方式", "security"},
           {"发件邮箱", "sender"}, {"用户名", "username"}, {"密码", "password"}};
    for (const auto &l : labelled) {
        bool found = false;
        for (QLabel *label : dialog->findChildren<QLabel *>()) {
            if (label->text() == QString::fromUtf8(l.label))
                found = label->buddy() && label->buddy()->objectName() == QLatin1String(l.control);
        }
        EXPECT_TRUE(found) << l.label;
    }
    for (const char *caption : {"发送测试邮件", "保存", "取消"}) {
        bool found = false;
        for (QPushButton *button : dialog->findChildren<QPushButton *>())
            found = found || button->text() == QString::fromUtf8(caption);
        EXPECT_TRUE(found) << caption;
    }
    EXPECT_EQ(control<QLineEdit>(dialog, "password")->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(control<QLabel>(dialog, "passwordHint")->text().contains(QStringLiteral("授权码")));

    auto *provider = control<QComboBox>(dialog, "provider");
    auto *host = control<QLineEdit>(dialog, "host");
    auto *port = control<QSpinBox>(dialog, "port");
    auto *security = control<QComboBox>(dialog, "security");
    EXPECT_EQ(provider->currentText(), QStringLiteral("自定义")) << "the sandbox's server is no preset";
    const struct
    {
        const char *provider;
        const char *host;
        int port;
        const char *security;
    } presets[] = {{"QQ邮箱", "smtp.qq.com", 465, "SSL/TLS"},
                   {"163邮箱", "smtp.163.com", 465, "SSL/TLS"},
                   {"Gmail", "smtp.gmail.com", 587, "STARTTLS"},
                   {"Outlook", "smtp.office365.com", 587, "STARTTLS"}};
    QTest::keyClick(provider, Qt::Key_Home);
    for (const auto &p : presets) {
        EXPECT_EQ(provider->currentText(), QString::fromUtf8(p.provider));
        EXPECT_EQ(host->text(), QLatin1String(p.host));
        EXPECT_EQ(port->value(), p.port);
        EXPECT_EQ(security->currentText(), QLatin1String(p.security));
        QTest::keyClick(provider, Qt::Key_Down);
    }
    EXPECT_EQ(provider->currentText(), QStringLiteral("自定义"));
    EXPECT_EQ(host->text(), QStringLiteral("smtp.office365.com")) << "自定义 keeps the server";
    QTest::keyClicks(host, QStringLiteral("x"));
    EXPECT_EQ(provider->currentText(), QStringLiteral("自定义"));
    EXPECT_FALSE(control<QLabel>(dialog, "plainWarning")->isVisible());
    QTest::keyClick(security, Qt::Key_End);
    EXPECT_EQ(security->currentText(), QStringLiteral("无"));
    EXPECT_TRUE(control<QLabel>(dialog, "plainWarning")->isVisible());

    QTest::mouseClick(control<QPushButton>(dialog, "cancel"), Qt::LeftButton);
    EXPECT_TRUE(waitUntil([&] { return !w.form->findChild<SenderSettingsDialog *>(); }));
    EXPECT_TRUE(readBytes(w.iniPath).isEmpty()) << "cancel writes nothing";
}

TEST(SenderDialog, SetUpOverStartTlsTestMailSaveAndTheNoticeUsesTheStoredPassword)
{
    SmtpTestServer smtp(kSender, kPassword, SmtpTestServer::Mode::Accept, Tls::StartTls);
    ASSERT_TRUE(smtp.start()) << smtp.error().toStdString();
    // The user's own file: comments, other sections and the certificate file of the private
    // server stay as they are; the old password goes once the store holds the new one.
    const QByteArray ini
        = "; my services\n[tracking]\ntimeout=5\n\n[smtp]\n; the office server\nhost=old.localhost\n"
          "port=25\nsender=old@parcelvue.localhost\npassword=old-password\nca_file="
        + smtp.caFile().toUtf8() + "\n";
    MailWindow w(ini);
    QString error;
    ASSERT_TRUE(w.h.test.useSecretStore(true, &error)) << error.toStdString();

    SenderSettingsDialog *dialog = w.openDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(control<QLabel>(dialog, "storeNote")->isVisible()) << "the store is there";
    EXPECT_EQ(control<QLineEdit>(dialog, "password")->text(), QStringLiteral("old-password"));
    typeServer(dialog, smtp.port(), Qt::Key_Home, 2); // Gmail: STARTTLS
    EXPECT_EQ(control<QComboBox>(dialog, "security")->currentText(), QStringLiteral("STARTTLS"));
    typeInto(control<QLineEdit>(dialog, "sender"), kSender);
    typeInto(control<QLineEdit>(dialog, "password"), kPassword);

    QTest::mouseClick(control<QPushButton>(dialog, "sendTestMail"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return resultText(dialog).startsWith(QStringLiteral("测试邮件已")); }, 20000))
        << resultText(dialog).toStdString();
    EXPECT_EQ(resultText(dialog), QStringLiteral("测试邮件已发送至%1，请查收。").arg(kNotice));
    ASSERT_EQ(smtp.received().size(), 1u);
    EXPECT_EQ(smtp.received()[0].recipients, QStringList {kNotice});
    EXPECT_EQ(smtp.received()[0].subject, QStringLiteral("Parcelvue测试邮件"));

    QTest::mouseClick(control<QPushButton>(dialog, "save"), Qt::LeftButton);
    ASSERT_TRUE(waitUntil([&] { return !w.form->findChild<SenderSettingsDialog *>(); }, 20000))
        << resultText(dialog).toStdString();

    const QByteArray after = readBytes(w.iniPath);
    EXPECT_TRUE(after.startsWith(
        "; my services\n[tracking]\ntimeout=5\n\n[smtp]\n; the office server\nhost=127.0.0.1\n"))
        << after.toStdString();
    EXPECT_FALSE(after.contains("password")) << "the secret store holds it";
    EXPECT_EQ(QFile::permissions(w.iniPath) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
              QFileDevice::Permissions());
    const Endpoints saved = loadServiceEndpoints(w.iniPath);
    EXPECT_EQ(saved.smtpHost, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(saved.smtpPort, smtp.port());
    EXPECT_EQ(saved.smtpSecurity, SmtpSecurity::StartTls);
    EXPECT_EQ(saved.smtpLogin(), kSender);
    EXPECT_EQ(saved.smtpCaFile, smtp.caFile());
    EXPECT_EQ(saved.trackingTimeoutSeconds, 5);
    const SecretStore::Result stored
        = w.h.test.secrets.readWaiting(smtpSecretKey(kSender, QStringLiteral("127.0.0.1")), 20000);
    EXPECT_EQ(stored.secret, kPassword) << stored.error.toStdString();

    w.query();
    EXPECT_EQ(w.form->Label11[2]->text(), QStringLiteral("快递有最新进展，已发送至邮箱!"));
    ASSERT_EQ(smtp.received().size(), 2u);
    EXPECT_EQ(smtp.received()[1].login, kSender);
    const auto logins = smtp.commands(QStringLiteral("AUTH"));
    ASSERT_EQ(logins.size(), 2u);
    for (const auto &login : logins)
        EXPECT_TRUE(login.encrypted);
}

TEST(SenderDialog, TestMailOverTlsGoesToTheSenderWithoutANoticeAddressAndTellsAFailure)
{
    SmtpTestServer smtp(kSender, kPassword, SmtpTestServer::Mode::Accept, Tls::Implicit);
    ASSERT_TRUE(smtp.start()) << smtp.error().toStdString();
    MailWindow w("[smtp]\nca_file=" + smtp.caFile().toUtf8() + "\n");
    w.form->Sendmail->clear();
    SenderSettingsDialog *dialog = w.openDialog();
    ASSERT_NE(dialog, nullptr);
    typeServer(dialog, smtp.port(), Qt::Key_Home, 0); // QQ邮箱: SSL/TLS
    typeInto(control<QLineEdit>(dialog, "sender"), kSender);
    const struct
    {
        QString password;
        QString result;
    } attempts[] = {{QStringLiteral("wrong"), QStringLiteral("测试邮件发送失败!错误原因登录被拒绝")},
                    {kPassword, QStringLiteral("测试邮件已发送至%1，请查收。").arg(kSender)}};
    for (const auto &attempt : attempts) {
        typeInto(control<QLineEdit>(dialog, "password"), attempt.password);
        QTest::mouseClick(control<QPushButton>(dialog, "sendTestMail"), Qt::LeftButton);
        EXPECT_FALSE(control<QPushButton>(dialog, "sendTestMail")->isEnabled()) << "one test mail at a time";
        ASSERT_TRUE(
            waitUntil([&] { return control<QPushButton>(dialog, "sendTestMail")->isEnabled(); }, 20000));
        EXPECT_TRUE(resultText(dialog).startsWith(attempt.result)) << resultText(dialog).toStdString();
    }
    ASSERT_EQ(smtp.received().size(), 1u);
    EXPECT_EQ(smtp.received()[0].recipients, QStringList {kSender});
    for (const auto &login : smtp.commands(QStringLiteral("AUTH")))
        EXPECT_TRUE(login.encrypted);
    EXPECT_TRUE(readBytes(w.iniPath).startsWith("[smtp]\nca_file=")) << "a test mail saves nothing";
}

TEST(NoticePassword, TheFilesPasswordWinsThenTheStoredOne)
{
    WindowHarness h;
    QString error;
    ASSERT_TRUE(h.test.useSecretStore(true, &error)) << error.toStdString();
    SecretStore &store = h.test.secrets;
    const QString key
        = smtpSecretKey(QStringLiteral("login@parcelvue.localhost"), QStringLiteral("stored.localhost"));
    bool written = false;
    QObject context;
    store.write(key, QStringLiteral("from-store"), &context, [&](const SecretStore::Result &r) {
        EXPECT_EQ(r.status, SecretStore::Status::Ok) << r.error.toStdString();
        written = true;
    });
    ASSERT_TRUE(waitUntil([&] { return written; }, 20000));

    const struct
    {
        const char *name;
        const char *host;
        const char *filePassword;
        bool withStore;
        const char *expected;
    } cases[] = {
        {"file wins", "stored.localhost", "from-file", true, "from-file"},
        {"stored under user and host", "stored.localhost", "", true, "from-store"},
        {"nothing stored for another host", "other.localhost", "", true, ""},
        {"no store", "stored.localhost", "", false, ""},
    };
    for (const auto &c : cases) {
        Endpoints e = Endpoints::defaults();
        e.smtpHost = QLatin1String(c.host);
        e.smtpSender = QStringLiteral("sender@parcelvue.localhost");
        e.smtpUsername = QStringLiteral("login@parcelvue.localhost");
        e.smtpPassword = QLatin1String(c.filePassword);
        const NoticePassword password = noticePassword(e, c.withStore ? &store : nullptr, 20000);
        EXPECT_TRUE(password.ok) << c.name << password.error.toStdString();
        EXPECT_EQ(password.password, QLatin1String(c.expected)) << c.name;
    }
}
