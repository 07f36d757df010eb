#include "watch/parcel_groups.h"

#include "core/delivery_status.h"
#include "core/shown_text.h"
#include "watch/overview_rows.h"
#include "watch/wall_clock.h"

#include <QCoreApplication>

QString groupCaption(ParcelGroup group)
{
    switch (group) {
    case ParcelGroup::All:
        return QCoreApplication::translate("ParcelGroups", "全部");
    case ParcelGroup::OutForDelivery:
        return shownStatus(kOutForDelivery);
    case ParcelGroup::InTransit:
        return shownStatus(kInTransit);
    case ParcelGroup::Problem:
        return shownStatus(QStringLiteral("问题件"));
    case ParcelGroup::Signed:
        return shownStatus(kSignedFor);
    case ParcelGroup::Archived:
        return QCoreApplication::translate("ParcelGroups", "已归档");
    case ParcelGroup::Count:
        break;
    }
    return QString();
}

bool isProblemStatus(const QString &status)
{
    // With the service's reason after it, as in "问题件：拒收".
    return status.startsWith(u"问题件") || status.startsWith(u"待取件") || status.startsWith(u"派送失败");
}

ParcelGroup statusGroup(const ParcelRecord &parcel)
{
    if (parcel.status.isEmpty())
        return ParcelGroup::All;
    if (parcel.status == kSignedFor)
        return ParcelGroup::Signed;
    if (parcel.status == kOutForDelivery)
        return ParcelGroup::OutForDelivery;
    if (isProblemStatus(parcel.status))
        return ParcelGroup::Problem;
    return ParcelGroup::InTransit;
}

namespace {
bool archivedByRule(const ParcelRecord &parcel, int archiveDays, const QDateTime &now)
{
    if (archiveDays <= 0 || parcel.status != kSignedFor)
        return false;
    const qint64 signedAt = wallSeconds(parcel.signedTime);
    return signedAt >= 0 && signedAt + qint64(archiveDays) * 86400 <= wallSeconds(now);
}
} // namespace

bool isArchived(const ParcelRecord &parcel, int archiveDays, const QDateTime &now)
{
    switch (parcel.archive) {
    case ArchiveMark::Archived:
        return true;
    case ArchiveMark::KeptOut:
        return false;
    case ArchiveMark::ByRule:
        break;
    }
    return archivedByRule(parcel, archiveDays, now);
}

ArchiveMark unarchiveMark(const ParcelRecord &parcel, int archiveDays, const QDateTime &now)
{
    return archivedByRule(parcel, archiveDays, now) ? ArchiveMark::KeptOut : ArchiveMark::ByRule;
}

int defaultRank(const ParcelRecord &parcel)
{
    if (parcel.unseenNews)
        return 0;
    const QString shown = overviewStatus(parcel);
    if (shown == kOutForDelivery)
        return 1;
    if (isProblemStatus(shown))
        return 2;
    if (shown == kNotQueried || shown == kQueryFailed || shown == kNoInformationYet)
        return 4;
    if (shown == kSignedFor)
        return 5;
    return 3;
}
