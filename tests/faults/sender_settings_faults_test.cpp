#include "services/tracking_service.h"
#include "fault_support.h"

#include "gui/dialogs/sender_settings_dialog.h"
#include "qt_wait.h"
#include "read_only_directory.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {
// This test process's bus has no Secret Service: the desktop offers no secret store.
struct WindowWithoutSecretStore
{
    WindowHarness h;
    Form1 *form = nullptr;
    QString iniPath;

    explicit WindowWithoutSecretStore(const QByteArray &ini)
    {
        QString error;
        EXPECT_TRUE(h.test.useSecretStore(false, &error)) << error.toStdString();
        iniPath = h.test.dataDir() + QStringLiteral("/endpoints.ini");
        writeBytes(iniPath, ini);
        h.test.configuration.set(loadServiceEndpoints(iniPath));
        form = &h.open();
        form->Timer3->stop();
    }

    SenderSettingsDialog *openDialog()
    {
        form->Command4->click();
        form->Frame1->findChild<QPushButton *>(QStringLiteral("senderSettingsButton"))->click();
        return form->findChild<SenderSettingsDialog *>();
    }
    bool dialogClosed()
    {
        return waitUntil([&] { return !form->findChild<SenderSettingsDialog *>(); }, 10000);
    }
};

const QByteArray kIni = "[tracking]\ntimeout=7\n[smtp]\nhost=smtp.localhost\nsender=a@parcelvue.localhost\n"
                        "password=old-password\n";
} // namespace

TEST(SenderDialogWithoutSecretStore, SaysSoAndKeepsThePasswordInTheFileOnlyWhenTheUserAgrees)
{
    for (MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
        WindowWithoutSecretStore w(kIni);
        SenderSettingsDialog *dialog = w.openDialog();
        ASSERT_NE(dialog, nullptr);
        auto *note = dialog->findChild<QLabel *>(QStringLiteral("storeNote"));
        EXPECT_TRUE(note->isVisibleTo(dialog));
        EXPECT_TRUE(note->text().contains(QStringLiteral("未找到系统密钥环"))) << note->text().toStdString();
        auto *password = dialog->findChild<QLineEdit *>(QStringLiteral("password"));
        password->selectAll();
        QTest::keyClicks(password, QStringLiteral("new;password"));

        w.h.test.messages.answerNext(answer);
        dialog->findChild<QPushButton *>(QStringLiteral("save"))->click();
        ASSERT_TRUE(w.dialogClosed());
        ASSERT_FALSE(w.h.test.messages.shown.empty());
        EXPECT_TRUE(w.h.test.messages.shown[0].text.contains(QStringLiteral("endpoints.ini")));
        EXPECT_EQ(w.h.test.messages.shown[0].buttons, MsgButtons::YesNo);

        const Endpoints saved = loadServiceEndpoints(w.iniPath);
        const QString expected
            = answer == MsgAnswer::Yes ? QStringLiteral("new;password") : QStringLiteral("old-password");
        EXPECT_EQ(saved.smtpPassword, expected);
        EXPECT_EQ(w.h.test.platform().endpoints().smtpPassword, expected) << "the next notice's password";
        EXPECT_EQ(saved.smtpSecurity, SmtpSecurity::StartTls) << "the dialog's choice is written";
        EXPECT_EQ(saved.trackingTimeoutSeconds, 7);
        EXPECT_EQ(QFile::permissions(w.iniPath) & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
                  QFileDevice::Permissions());
        if (answer == MsgAnswer::No) {
            ASSERT_EQ(w.h.test.messages.shown.size(), 2u);
            EXPECT_TRUE(w.h.test.messages.shown[1].text.contains(QStringLiteral("密码没有保存")));
        }
    }
}

TEST(SenderDialogWithoutSecretStore, AFailedSaveIsToldAndTheFileStaysWhole)
{
    WindowWithoutSecretStore w(kIni);
    SenderSettingsDialog *dialog = w.openDialog();
    ASSERT_NE(dialog, nullptr);
    auto *host = dialog->findChild<QLineEdit *>(QStringLiteral("host"));
    host->selectAll();
    QTest::keyClicks(host, QStringLiteral("smtp.other.localhost"));
    w.h.test.messages.answerNext(MsgAnswer::Yes);
    {
        ReadOnlyDirectory readOnly(w.h.test.dataDir());
        if (!readOnly.active())
            GTEST_SKIP() << "no way to make a directory read-only here";
        dialog->findChild<QPushButton *>(QStringLiteral("save"))->click();
    }
    EXPECT_EQ(w.form->findChild<SenderSettingsDialog *>(), dialog) << "the dialog stays open";
    const QString result = dialog->findChild<QLabel *>(QStringLiteral("result"))->text();
    EXPECT_TRUE(result.startsWith(QStringLiteral("发件设置保存失败!错误原因"))) << result.toStdString();
    EXPECT_GT(result.size(), QStringLiteral("发件设置保存失败!错误原因").size());
    EXPECT_EQ(readBytes(w.iniPath), kIni);
    EXPECT_EQ(w.h.test.platform().endpoints().smtpHost, QStringLiteral("smtp.localhost"));
}
