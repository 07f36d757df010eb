#include "platform/text_codec.h"
#include "window_harness.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

TEST(StartUp, StoredSettingsRestoreTheAddressAndTheVoiceAlert)
{
    struct Case
    {
        const char *name;
        const char *file; // null: no settings file
        bool voice;
        const char *address;
    } cases[] = {
        {"no file", nullptr, false, ""},
        {"no", "[信息设置]\r\n通知邮箱=a@b.localhost\r\n语音提示=否\r\n", false, "a@b.localhost"},
        {"yes", "[信息设置]\r\n语音提示=是\r\n", true, ""},
        {"a value holding yes", "[信息设置]\r\n语音提示=不是\r\n", true, ""},
        {"anything else", "[信息设置]\r\n语音提示=1\r\n", false, ""},
    };
    for (const Case &c : cases) {
        WindowHarness h;
        if (c.file) {
            QFile file(h.test.dataDir() + QStringLiteral("/parcelvue.ini"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(encodeGb(QString::fromUtf8(c.file)));
        }
        Form1 &form = h.open();
        form.Timer3->stop();
        EXPECT_EQ(form.Check3->isChecked(), c.voice) << c.name;
        EXPECT_EQ(form.Sendmail->text(), QString::fromUtf8(c.address)) << c.name;
        EXPECT_FALSE(form.Check2->isChecked()) << c.name << ": the mail switch is never stored";
    }
}
