#include "watch/overview_rows.h"

#include "core/delivery_status.h"
#include "core/tracking_check.h"

namespace {
QString timeText(const QDateTime &time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) : QString();
}

qint64 transitSeconds(const ParcelRecord &parcel, const QDateTime &now)
{
    return parcel.oldestTime.isEmpty() ? -1 : secondsSince(parcel.oldestTime, now);
}
} // namespace

QStringList overviewHeaders()
{
    return {QStringLiteral("备注"),     QStringLiteral("单号"),     QStringLiteral("快递公司"),
            QStringLiteral("状态"),     QStringLiteral("最新进度"), QStringLiteral("运送时间"),
            QStringLiteral("上次查询"), QStringLiteral("下次查询"), QStringLiteral("错误")};
}

QString overviewStatus(const ParcelRecord &parcel)
{
    // "No information yet" is not a failure of the parcel.
    if (parcel.lastError == kNoInformationMessage)
        return parcel.status.isEmpty() ? kNoInformationYet : parcel.status;
    if (!parcel.lastError.isEmpty())
        return kQueryFailed;
    return parcel.status.isEmpty() ? kNotQueried : parcel.status;
}

QString overviewCell(const ParcelRecord &parcel, OverviewColumn column, const QDateTime &now)
{
    switch (column) {
    case OverviewColumn::Note:
        return parcel.note;
    case OverviewColumn::Number:
        return parcel.key.number;
    case OverviewColumn::Carrier:
        return parcel.carrierName;
    case OverviewColumn::Status:
        return overviewStatus(parcel);
    case OverviewColumn::Newest:
        return parcel.newestTime.isEmpty() ? parcel.newestText
                                           : parcel.newestTime + QLatin1Char(' ') + parcel.newestText;
    case OverviewColumn::Transit:
        if (parcel.status == kSignedFor)
            return kSignedFor;
        return parcel.oldestTime.isEmpty() ? QString() : transitTimeText(transitSeconds(parcel, now));
    case OverviewColumn::LastChecked:
        return timeText(parcel.lastChecked);
    case OverviewColumn::NextCheck:
        return parcel.status == kSignedFor ? QString() : timeText(parcel.nextCheck);
    case OverviewColumn::Error:
        return parcel.lastError;
    case OverviewColumn::Count:
        break;
    }
    return QString();
}
