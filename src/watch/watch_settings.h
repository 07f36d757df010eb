#pragma once

#include <QString>

// The watcher's settings in parcelvue.ini, section "监控设置" (beside the window's own section).
struct WatchSettings
{
    bool watchAll = false; // "全部监控": "是" or "否"
    int intervalMinutes = 60; // "间隔分钟", at least 30
    int archiveDays
        = kDefaultArchiveDays; // "归档天数": signed-for parcels archived after so many days; 0 never

    static constexpr int kDefaultArchiveDays = 7;
    static constexpr int kMaxArchiveDays = 3650;

    static WatchSettings load(const QString &settingsPath);
    // False when the file could not be written (it stays as it was).
    static bool saveWatchAll(const QString &settingsPath, bool on);
    static bool saveInterval(const QString &settingsPath, int minutes);
    static bool saveArchiveDays(const QString &settingsPath, int days);
};

inline const QString kWatchSection = QStringLiteral("监控设置");
