#include "watch/watch_settings.h"

#include "store/ini_file.h"
#include "watch/parcel_watcher.h"

#include <algorithm>

namespace {
const QString kWatchAllKey = QStringLiteral("全部监控");
const QString kIntervalKey = QStringLiteral("间隔分钟");
const QString kArchiveDaysKey = QStringLiteral("归档天数");
const QString kYes = QStringLiteral("是");
const QString kNo = QStringLiteral("否");
} // namespace

WatchSettings WatchSettings::load(const QString &settingsPath)
{
    WatchSettings settings;
    settings.watchAll = readProfileString(settingsPath, kWatchSection, kWatchAllKey, kNo).trimmed() == kYes;
    bool isNumber = false;
    const int minutes
        = readProfileString(settingsPath, kWatchSection, kIntervalKey, QString()).trimmed().toInt(&isNumber);
    settings.intervalMinutes
        = isNumber ? WatchPlan::clampInterval(minutes) : WatchPlan::kDefaultIntervalMinutes;
    const int days = readProfileString(settingsPath, kWatchSection, kArchiveDaysKey, QString())
                         .trimmed()
                         .toInt(&isNumber);
    settings.archiveDays = isNumber && days >= 0 ? std::min(days, kMaxArchiveDays) : kDefaultArchiveDays;
    return settings;
}

bool WatchSettings::saveWatchAll(const QString &settingsPath, bool on)
{
    return writeProfileString(settingsPath, kWatchSection, kWatchAllKey, on ? kYes : kNo);
}

bool WatchSettings::saveInterval(const QString &settingsPath, int minutes)
{
    return writeProfileString(settingsPath, kWatchSection, kIntervalKey,
                              QString::number(WatchPlan::clampInterval(minutes)));
}

bool WatchSettings::saveArchiveDays(const QString &settingsPath, int days)
{
    return writeProfileString(settingsPath, kWatchSection, kArchiveDaysKey,
                              QString::number(std::clamp(days, 0, kMaxArchiveDays)));
}
