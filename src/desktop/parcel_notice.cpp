#include "desktop/parcel_notice.h"

#include "core/delivery_status.h"

#include <QCoreApplication>

QString noticeSummary(const ParcelNotice &notice)
{
    return QCoreApplication::translate("ParcelNotice", "您的快递【%1】有最新动态").arg(notice.note);
}

QString noticeBody(const ParcelNotice &notice, bool markup)
{
    const QString time = markup ? notice.time.toHtmlEscaped() : notice.time;
    const QString text = markup ? notice.text.toHtmlEscaped() : notice.text;
    if (time.isEmpty())
        return text;
    return time + QLatin1Char('\n') + text;
}

QString trayToolTip(const QList<ParcelRecord> &parcels)
{
    int inTransit = 0, outForDelivery = 0, withNews = 0;
    for (const ParcelRecord &parcel : parcels) {
        inTransit += parcel.status == kInTransit;
        outForDelivery += parcel.status == kOutForDelivery;
        withNews += parcel.unseenNews;
    }
    return QStringLiteral("Parcelvue\n")
        + QCoreApplication::translate("ParcelNotice", "运送中 %1 件，派件中 %2 件，有新动态 %3 件")
              .arg(inTransit)
              .arg(outForDelivery)
              .arg(withNews);
}
