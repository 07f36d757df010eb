#include "gui/window/form1.h"
#include "store/ini_file.h"
#include "store/notice_address.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>

namespace {
const QString kSection = QStringLiteral("信息设置");
const QString kAddressKey = QStringLiteral("通知邮箱");
const QString kVoiceKey = QStringLiteral("语音提示");
const char *const kSettingsSaveFailed = QT_TRANSLATE_NOOP("Form1", "设置保存失败!请检查磁盘或权限..");
} // namespace

QString Form1::GetFromINI(const QString &AppName, const QString &KeyName, const QString &Default,
                          const QString &FileName)
{
    return readProfileString(FileName, AppName, KeyName, Default);
}

void Form1::readSettingsAtStartup()
{
    Sendmail->setText(GetFromINI(kSection, kAddressKey, QString(), settingsFilePath()));
    strVoiceSetting = GetFromINI(kSection, kVoiceKey, QString(), settingsFilePath());
    // Ticking writes the value back through Check3_Click, as a click would.
    Check3->setChecked(strVoiceSetting.contains(QStringLiteral("是")));
}

void Form1::Check3_Click()
{
    const QString value = Check3->isChecked() ? QStringLiteral("是") : QStringLiteral("否");
    if (!writeProfileString(settingsFilePath(), kSection, kVoiceKey, value))
        setStatus(tr(kSettingsSaveFailed));
}

void Form1::Check2_Click()
{
    Sendmail->setEnabled(Check2->isChecked());
}

void Form1::Command4_Click()
{
    showPanel(Picture4);
}

void Form1::aicAlphaImage1_Click()
{
    if (!Check2->isChecked()) {
        // Notices off: the stored address stays as it is.
        Picture4->hide();
        setStatus(tr("设置完毕.."));
        return;
    }
    const QString address = Sendmail->text();
    switch (checkNoticeAddress(address)) {
    case NoticeAddressCheck::Empty:
        setStatus(tr("请输入您的E-mail地址.."));
        Sendmail->setFocus();
        return;
    case NoticeAddressCheck::NoAt:
        setStatus(tr("您的E-mail地址输入错误!请您检查!"));
        Sendmail->setFocus();
        return;
    case NoticeAddressCheck::NoKnownEnding:
        setStatus(tr("您的E-mail地址输入错误!请您检查!"));
        return;
    case NoticeAddressCheck::Accepted:
        break;
    }
    const bool written = writeProfileString(settingsFilePath(), kSection, kAddressKey, address);
    Picture4->hide();
    setStatus(written ? tr("设置完毕..") : tr(kSettingsSaveFailed));
}
