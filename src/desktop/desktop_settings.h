#pragma once

#include <QString>

// The desktop's settings in parcelvue.ini, section "监控设置", beside the watcher's own keys.
struct DesktopSettings
{
    bool notifications = true; // "桌面通知": "是" or "否"
    bool minimiseToTray = false; // "最小化到托盘": "是" or "否"
    bool clipboardNumbers = false; // "识别剪贴板中的单号": "是" or "否"
    bool checkNewMail = false; // "自动检查新邮件": "是" or "否"
    QString language = QStringLiteral("自动"); // "界面语言": "自动", "中文" or "English"

    static DesktopSettings load(const QString &settingsPath);
    // False when the file could not be written (it stays as it was).
    static bool saveNotifications(const QString &settingsPath, bool on);
    static bool saveMinimiseToTray(const QString &settingsPath, bool on);
    static bool saveClipboardNumbers(const QString &settingsPath, bool on);
    static bool saveCheckNewMail(const QString &settingsPath, bool on);
    static bool saveLanguage(const QString &settingsPath, const QString &language);
};
