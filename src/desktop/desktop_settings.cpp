#include "desktop/desktop_settings.h"

#include "store/ini_file.h"
#include "watch/watch_settings.h"

namespace {
const QString kNotificationsKey = QStringLiteral("桌面通知");
const QString kMinimiseToTrayKey = QStringLiteral("最小化到托盘");
const QString kClipboardNumbersKey = QStringLiteral("识别剪贴板中的单号");
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
