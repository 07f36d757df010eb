#include "watch/overview_rows.h"

#include "core/carrier_catalogue.h"
#include "core/delivery_status.h"
#include "core/shown_text.h"
#include "core/tracking_check.h"

#include <QCoreApplication>

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
    static const char *const headers[]
        = {QT_TRANSLATE_NOOP("OverviewRows", "备注"),     QT_TRANSLATE_NOOP("OverviewRows", "单号"),
           QT_TRANSLATE_NOOP("OverviewRows", "快递公司"), QT_TRANSLATE_NOOP("OverviewRows", "状态"),
           QT_TRANSLATE_NOOP("OverviewRows", "最新进度"), QT_TRANSLATE_NOOP("OverviewRows", "运送时间"),
           QT_TRANSLATE_NOOP("OverviewRows", "上次查询"), QT_TRANSLATE_NOOP("OverviewRows", "下次查询"),
           QT_TRANSLATE_NOOP("OverviewRows", "错误")};
    QStringList shown;
    for (const char *header : headers)
        shown.append(QCoreApplication::translate("OverviewRows", header));
    return shown;
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

QString shownOverviewStatus(const ParcelRecord &parcel)
{
    const QString status = overviewStatus(parcel);
    if (status == kNoInformationYet)
        return QCoreApplication::translate("OverviewRows", "暂无信息");
    // An exception state may carry the service's reason after it, as in "问题件：拒收".
    return shownStatus(status);
}

QString shownOverviewCell(const ParcelRecord &parcel, OverviewColumn column, const QDateTime &now)
{
    switch (column) {
    case OverviewColumn::Carrier:
        return carrierShownName(parcel.carrierName);
    case OverviewColumn::Status:
        return shownOverviewStatus(parcel);
    case OverviewColumn::Transit:
        if (parcel.status == kSignedFor)
            return shownStatus(kSignedFor);
        return parcel.oldestTime.isEmpty() ? QString() : shownTransitTime(transitSeconds(parcel, now));
    case OverviewColumn::Error:
        return shownVerdict(parcel.lastError);
    default:
        return overviewCell(parcel, column, now);
    }
}
