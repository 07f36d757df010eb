#include "store_support.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace {
const QString kPath = QStringLiteral("/parcelvue.ini");

QString settingsText(WindowHarness &h)
{
    return decodeGb(readBytes(h.test.dataDir() + kPath));
}

Form1 &openWithSettings(WindowHarness &h, const QByteArray &settings = QByteArray())
{
    if (!settings.isNull())
        writeBytes(h.test.dataDir() + kPath, settings);
    return openWindow(h, QStringLiteral("http://127.0.0.1:9"));
}
} // namespace

TEST(Settings, StartupReadsTheStoredValues)
{
    struct Case
    {
        QByteArray file; // null: no file
        bool voice;
        QString address;
        QString fileAfter; // null: no file
    };
    const QString yes = QStringLiteral("[信息设置]\r\n语音提示=是\r\n");
    const Case cases[] = {
        {QByteArray(), false, "", QString()},
        {fixture("voice_no.ini"), false, "", QStringLiteral("[信息设置]\r\n语音提示=否\r\n")},
        // Ticking at start-up writes the value back as a click would.
        {fixture("voice_yes_among.ini"), true, "", yes},
        {encodeGb(yes), true, "", yes},
        {fixture("settings_by_hand.ini"), false, QStringLiteral("dad@example.com"),
         decodeGb(fixture("settings_by_hand.ini"))},
    };
    for (const Case &c : cases) {
        WindowHarness h;
        Form1 &form = openWithSettings(h, c.file);
        EXPECT_EQ(form.Check3->isChecked(), c.voice);
        EXPECT_EQ(form.Sendmail->text(), c.address);
        EXPECT_FALSE(form.Check2->isChecked());
        EXPECT_FALSE(form.Sendmail->isEnabled());
        EXPECT_EQ(QFile::exists(h.test.dataDir() + kPath), !c.fileAfter.isNull());
        if (!c.fileAfter.isNull()) {
            EXPECT_EQ(settingsText(h), c.fileAfter);
        }
    }
}

TEST(Settings, VoiceSwitchIsWrittenAtOnce)
{
    WindowHarness h;
    Form1 &form = openWithSettings(h);
    form.Check3->click();
    EXPECT_EQ(settingsText(h), QStringLiteral("[信息设置]\r\n语音提示=是\r\n"));
    form.Check3->click();
    EXPECT_EQ(settingsText(h), QStringLiteral("[信息设置]\r\n语音提示=否\r\n"));
    // The next start reads what was written.
    h.form.reset();
    Form1 &again = h.open();
    EXPECT_FALSE(again.Check3->isChecked());
}

TEST(Settings, MailSwitchEnablesTheAddress)
{
    WindowHarness h;
    Form1 &form = openWithSettings(h);
    form.Check2->click();
    EXPECT_TRUE(form.Sendmail->isEnabled());
    form.Check2->click();
    EXPECT_FALSE(form.Sendmail->isEnabled());
    EXPECT_FALSE(QFile::exists(h.test.dataDir() + kPath));
}

TEST(Settings, ConfirmTestsTheAddress)
{
    struct Case
    {
        QString address;
        QString status;
        bool stored;
    };
    const Case cases[] = {
        {"", QStringLiteral("请输入您的E-mail地址.."), false},
        {"dad.example.com", QStringLiteral("您的E-mail地址输入错误!请您检查!"), false},
        {"DAD@EXAMPLE.COM", QStringLiteral("您的E-mail地址输入错误!请您检查!"), false},
        {"dad@example.com", QStringLiteral("设置完毕.."), true},
        {"a@me", QStringLiteral("设置完毕.."), true},
    };
    for (const Case &c : cases) {
        WindowHarness h;
        Form1 &form
            = openWithSettings(h, encodeGb(QStringLiteral("[信息设置]\r\n通知邮箱=old@example.cn\r\n")));
        form.Command4->click();
        EXPECT_FALSE(form.Picture4->isHidden());
        form.Check2->setChecked(true);
        form.Sendmail->setText(c.address);
        form.aicAlphaImage1->click();
        EXPECT_EQ(form.Label11[2]->text(), c.status) << c.address.toStdString();
        EXPECT_EQ(form.Picture4->isHidden(), c.stored);
        EXPECT_EQ(settingsText(h),
                  QStringLiteral("[信息设置]\r\n通知邮箱=")
                      + (c.stored ? c.address : QStringLiteral("old@example.cn")) + QStringLiteral("\r\n"));
    }
}

TEST(Settings, ConfirmWithMailOffKeepsTheStoredAddress)
{
    WindowHarness h;
    const QByteArray file = encodeGb(QStringLiteral("[信息设置]\r\n通知邮箱=old@example.cn\r\n"));
    Form1 &form = openWithSettings(h, file);
    form.Command4_Click();
    form.Sendmail->setText(QStringLiteral("new@example.com"));
    form.aicAlphaImage1_Click();
    EXPECT_TRUE(form.Picture4->isHidden());
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("设置完毕.."));
    EXPECT_EQ(readBytes(h.test.dataDir() + kPath), file);
}

TEST(Settings, AFailedWriteIsTold)
{
    WindowHarness h;
    const QByteArray file = fixture("voice_no.ini");
    Form1 &form = openWithSettings(h, file);
    {
        FileSizeLimit limit(4);
        form.Check3->click();
    }
    EXPECT_EQ(form.Label11[2]->text(), QStringLiteral("设置保存失败!请检查磁盘或权限.."));
    EXPECT_EQ(readBytes(h.test.dataDir() + kPath), file);
}
