#pragma once

#include "core/parcel_types.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The columns of the overview "全部快递", in order.
enum class OverviewColumn {
    Note,
    Number,
    Carrier,
    Status,
    Newest,
    Transit,
    LastChecked,
    NextCheck,
    Error,
    Count
};

// The columns' captions, in the interface's language.
QStringList overviewHeaders();

inline const QString kNotQueried = QStringLiteral("未查询");
inline const QString kQueryFailed = QStringLiteral("查询失败");
inline const QString kNoInformationYet = QStringLiteral("暂无信息");

// 已签收, 派件中 or 运送中 from the newest answer; 查询失败 while the last query failed; 暂无信息
// while the service knows nothing of a parcel never answered with rows; 未查询 before the first
// answer.
QString overviewStatus(const ParcelRecord &parcel);
// The text of one cell (OverviewList sorts them).
QString overviewCell(const ParcelRecord &parcel, OverviewColumn column, const QDateTime &now);
// The cell as the window shows it, in the interface's language: statuses, transit times, failure
// messages and carrier names translated, the rest as overviewCell() has it.
QString shownOverviewCell(const ParcelRecord &parcel, OverviewColumn column, const QDateTime &now);
// overviewStatus() in the interface's language.
QString shownOverviewStatus(const ParcelRecord &parcel);
