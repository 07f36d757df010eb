#include "desktop/desktop_settings.h"

#include "store/ini_file.h"
#include "watch/watch_settings.h"

namespace {
const QString kNotificationsKey = QStringLiteral("桌面通知");
const QString kMinimiseToTrayKey = QStringLiteral("最小化到托盘");
const QString kClipboardNumbersKey = QStringLiteral("识别剪贴板中的单号");
const QString kCheckNewMailKey = QStringLiteral("自动检查新邮件");
const QString kLanguageKey = QStringLiteral("界面语言");
const QString kYes = QStringLiteral("是");
const QString kNo = QStringLiteral("否");

bool readYesNo(const QString &path, const QString &key, bool byDefault)
{
    const QString value = readProfileString(path, kWatchSection, key, QString()).trimmed();
    if (value == kYes)
        return true;
    if (value == kNo)
        return false;
    return byDefault;
}
} // namespace

DesktopSettings DesktopSettings::load(const QString &settingsPath)
{
    DesktopSettings settings;
    settings.notifications = readYesNo(settingsPath, kNotificationsKey, settings.notifications);
    settings.minimiseToTray = readYesNo(settingsPath, kMinimiseToTrayKey, settings.minimiseToTray);
    settings.clipboardNumbers = readYesNo(settingsPath, kClipboardNumbersKey, settings.clipboardNumbers);
    settings.checkNewMail = readYesNo(settingsPath, kCheckNewMailKey, settings.checkNewMail);
    const QString language
        = readProfileString(settingsPath, kWatchSection, kLanguageKey, QString()).trimmed();
    if (language == QStringLiteral("中文") || language == QLatin1String("English"))
        settings.language = language;
    return settings;
}

bool DesktopSettings::saveNotifications(const QString &settingsPath, bool on)
{
    return writeProfileString(settingsPath, kWatchSection, kNotificationsKey, on ? kYes : kNo);
}

bool DesktopSettings::saveMinimiseToTray(const QString &settingsPath, bool on)
{
    return writeProfileString(settingsPath, kWatchSection, kMinimiseToTrayKey, on ? kYes : kNo);
}

bool DesktopSettings::saveClipboardNumbers(const QString &settingsPath, bool on)
{
    return writeProfileString(settingsPath, kWatchSection, kClipboardNumbersKey, on ? kYes : kNo);
}

bool DesktopSettings::saveLanguage(const QString &settingsPath, const QString &language)
{
    // Only the setting's own values are stored: anything else (a caption shown in another
    // language) means automatic.
    const QString value = language == QStringLiteral("中文") || language == QLatin1String("English")
        ? language
        : QStringLiteral("自动");
    return writeProfileString(settingsPath, kWatchSection, kLanguageKey, value);
}

bool DesktopSettings::saveCheckNewMail(const QString &settingsPath, bool on)
{
    return writeProfileString(settingsPath, kWatchSection, kCheckNewMailKey, on ? kYes : kNo);
}
